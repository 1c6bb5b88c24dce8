// The filter checks and the statements built from the form's boxes.
#include "billing/billfilter.h"
#include "billing/billquery.h"
#include "common/messages.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_BillFilter : public QObject
{
    Q_OBJECT

private slots:
    void groupCodesAreAcceptedQuotedOrNot_data();
    void groupCodesAreAcceptedQuotedOrNot();
    void splitTotalMustBeANumber_data();
    void splitTotalMustBeANumber();
    void checksApplyOnlyWhereTheValueIsUsed();
    void dateRangeQueryKeepsItsText();
    void scheduleQueryKeepsItsText();
    void lookupQueriesKeepTheirText();
};

void tst_BillFilter::groupCodesAreAcceptedQuotedOrNot_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("empty") << QString() << true << QStringList();
    QTest::newRow("blank") << u"   "_s << true << QStringList();
    QTest::newRow("quoted-list") << u"'AG','DR'"_s << true << QStringList{u"AG"_s, u"DR"_s};
    QTest::newRow("plain-with-blanks") << u" AG , DR "_s << true << QStringList{u"AG"_s, u"DR"_s};
    QTest::newRow("double-quotes") << u"\"AG\",'DR'"_s << true << QStringList{u"AG"_s, u"DR"_s};
    QTest::newRow("blank-inside-code") << u"'GOVT AG'"_s << false << QStringList();
    QTest::newRow("joiners") << u"A-1,B/2,C.3,D_4,E&5"_s << true
                             << QStringList{u"A-1"_s, u"B/2"_s, u"C.3"_s, u"D_4"_s, u"E&5"_s};
    QTest::newRow("injection") << u"'AG') or ('1'='1"_s << false << QStringList();
    QTest::newRow("quote-inside") << u"O'X"_s << false << QStringList();
    QTest::newRow("mixed-quotes") << u"'AG\""_s << false << QStringList();
    QTest::newRow("empty-item") << u"AG,"_s << false << QStringList();
    QTest::newRow("empty-quotes") << u"''"_s << false << QStringList();
    QTest::newRow("comment") << u"AG -- x"_s << false << QStringList();
    QTest::newRow("backslash") << u"'AG\\'"_s << false << QStringList();
}

void tst_BillFilter::groupCodesAreAcceptedQuotedOrNot()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QStringList, codes);
    const std::optional<QStringList> parsed = parseGroupCodes(text);
    QCOMPARE(parsed.has_value(), accepted);
    if (parsed)
        QCOMPARE(*parsed, codes);
}

void tst_BillFilter::splitTotalMustBeANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << u"1500"_s << true << 1500.0;
    QTest::newRow("decimals") << u" 1500.50 "_s << true << 1500.5;
    QTest::newRow("point-first") << u".5"_s << true << 0.5;
    QTest::newRow("negative") << u"-20"_s << true << -20.0;
    QTest::newRow("exponent") << u"1.5e3"_s << true << 1500.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("text") << u"abc"_s << false << 0.0;
    QTest::newRow("grouped") << u"1,500"_s << false << 0.0;
    QTest::newRow("infinity") << u"inf"_s << false << 0.0;
    QTest::newRow("too-large") << u"1e999"_s << false << 0.0;
    QTest::newRow("trailing") << u"12x"_s << false << 0.0;
}

void tst_BillFilter::splitTotalMustBeANumber()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    const std::optional<double> parsed = parseSplitTotal(text);
    QCOMPARE(parsed.has_value(), accepted);
    if (parsed)
        QCOMPARE(*parsed, value);
}

void tst_BillFilter::checksApplyOnlyWhereTheValueIsUsed()
{
    BillFilter filter;
    filter.group = u"1) or (1=1"_s;
    filter.splitTotal = u"x"_s;
    QCOMPARE(checkBillFilter(filter), std::optional<QString>(Msg::GroupListInvalid));
    filter.singleSchedule = true;  // no group filter in the single-schedule query
    QCOMPARE(checkBillFilter(filter), std::nullopt);
    filter.exchange = true;
    QCOMPARE(checkBillFilter(filter), std::nullopt);
    filter.split = true;  // split wins over exchange, and reads its total
    QCOMPARE(billKind(filter), BillKind::Split);
    QCOMPARE(checkBillFilter(filter), std::optional<QString>(Msg::SplitTotalInvalid));
    filter.splitTotal = u"10"_s;
    filter.singleSchedule = false;
    QCOMPARE(checkBillFilter(filter), std::nullopt);
}

void tst_BillFilter::dateRangeQueryKeepsItsText()
{
    BillFilter filter;
    filter.unitCode = u"KOC"_s;
    filter.from = QDate(2026, 1, 5);
    filter.to = QDate(2026, 1, 31);
    const QString head = u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN "
                         u"advt_schedule.*,group_no_of_bills,group_bp_type,group_show_comm,group_show_address,"
                         "agency_bill_colcms,agency_type from advt_schedule inner join  advt_agencymaster on "
                         "agency_code=sch_agency_code  inner join advt_clienttype on agency_type=group_code  where "
                         "advt_schedule.unit_code=? and sch_bill_no<>'' and sch_ins_date>=? and "
                         "sch_ins_date<=?"_s;
    const QString tail = u" and  group_no_of_bills >0 and sch_net_total >0 Group by sch_bill_no  Order by "
                         "sch_ins_date,sch_bill_no"_s;
    const QStringList dates = {u"KOC"_s, u"2026-01-05"_s, u"2026-01-31"_s};
    SqlStatement query = mainBillQuery(BillKind::Gst, filter);
    QCOMPARE(query.text, head + tail);
    QCOMPARE(query.values, dates);

    filter.product = u"DLY/TAB"_s;
    filter.billFrom = u"KB/1"_s;
    filter.billTo = u"KB/9"_s;
    filter.group = u" 'AG', DR "_s;
    const QString range = u" And sch_ed_code=? And sch_bill_no>=? And sch_bill_no<=?"_s;
    query = mainBillQuery(BillKind::Gst, filter);
    QCOMPARE(query.text, head + range + u" And agency_type in (?,?)"_s + tail);
    QCOMPARE(query.values, (dates + QStringList{u"DLY/TAB"_s, u"KB/1"_s, u"KB/9"_s, u"AG"_s, u"DR"_s}));

    // Split bills have no group filter and their own column list.
    query = mainBillQuery(BillKind::Split, filter);
    QCOMPARE(query.text, u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN advt_schedule.*,"
                         "group_no_of_bills,group_show_comm,group_show_address,agency_bill_colcms"_s
                             + head.mid(head.indexOf(u" from "_s)) + range + tail);
    QCOMPARE(query.values, (dates + QStringList{u"DLY/TAB"_s, u"KB/1"_s, u"KB/9"_s}));

    // Quotes and backslashes travel as values; the statement keeps its shape.
    filter.group.clear();
    filter.product = u"O'X\\"_s;
    query = mainBillQuery(BillKind::Gst, filter);
    QCOMPARE(query.text, head + range + tail);
    QCOMPARE(query.values.at(3), u"O'X\\"_s);
}

void tst_BillFilter::scheduleQueryKeepsItsText()
{
    BillFilter filter;
    filter.unitCode = u"KOC"_s;
    filter.singleSchedule = true;
    filter.billFrom = u"KOC0000901"_s;
    filter.billTo = u"ignored"_s;
    filter.group = u"ignored"_s;
    const QString joins = u" from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code  inner "
                          "join advt_clienttype on agency_type=group_code  where advt_schedule.unit_code=?"
                          " And sch_slno=? Group by sch_bill_no  Order by sch_ins_date,sch_slno"_s;
    const QStringList values = {u"KOC"_s, u"KOC0000901"_s};
    SqlStatement query = mainBillQuery(BillKind::Gst, filter);
    QCOMPARE(query.text, u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN advt_schedule.*,"
                         "group_no_of_bills,group_bp_type,group_show_comm,group_show_address"_s
                             + joins);
    QCOMPARE(query.values, values);
    const QString plain = u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN advt_schedule.*,"
                          "group_no_of_bills,group_show_comm,group_show_address"_s
                          + joins;
    query = mainBillQuery(BillKind::Split, filter);
    QCOMPARE(query.text, plain);
    QCOMPARE(query.values, values);
    // Exchange bills always list by schedule number.
    filter.singleSchedule = false;
    query = mainBillQuery(BillKind::Exchange, filter);
    QCOMPARE(query.text, plain);
    QCOMPARE(query.values, values);
}

void tst_BillFilter::lookupQueriesKeepTheirText()
{
    QCOMPARE(companiesQuery(), u"Select * from acc_companymaster where comp_code in ('SV','SX')"_s);
    QCOMPARE(agencyQuery(BillKind::Gst),
             u"Select agency_name,agency_add1,agency_add2,agency_add3,sub_name,agency_bill_colcms,agency_gstin,"
             "agency_pan from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where "
             "agency_code=?"_s);
    QCOMPARE(agencyQuery(BillKind::Exchange),
             u"Select agency_name,agency_add1,agency_add2,agency_add3,sub_name,agency_bill_colcms from "
             "advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code=?"_s);
    QCOMPARE(agencyQuery(BillKind::Split), agencyQuery(BillKind::Exchange));
    QCOMPARE(clientQuery(), u"SELECT client_gstin, client_pan FROM advt_clientmaster WHERE client_code = ?"_s);
    // The pages and the exchange entries of a whole run, keyed by the run's own schedules.
    const SqlStatement schedules{u" from advt_schedule where unit_code=?"_s, {u"KOC"_s}};
    const QString codes = u" from (Select STRAIGHT_JOIN sch_slno lookup_key from advt_schedule where unit_code=? group "
                          "by cast(sch_slno as binary)) run_codes"_s;
    const SqlStatement pages = pagesLookUp(schedules).keyed;
    QCOMPARE(pages.text,
             u"Select run_codes.lookup_key,group_concat(distinct(sdet_page))"_s + codes
                 + u" inner join advt_scheduledetails on sdet_sch_code=run_codes.lookup_key and "
                   "unit_code=left(run_codes.lookup_key,3) group by cast(run_codes.lookup_key as binary)"_s);
    QCOMPARE(pages.values, QStringList{u"KOC"_s});
    const SqlStatement exchange = exchangeLookUp(schedules, u"TVM"_s).keyed;
    QCOMPARE(exchange.text, u"Select run_codes.lookup_key,sum(sdet_dr_amt),sum(sdet_cr_amt)"_s + codes
                                + u" inner join advt_sch_exchg on unit_code=? and sdet_sch_code=run_codes.lookup_key "
                                  "group by cast(run_codes.lookup_key as binary)"_s);
    QCOMPARE(exchange.values, (QStringList{u"KOC"_s, u"TVM"_s}));
}

QTEST_GUILESS_MAIN(tst_BillFilter)
#include "tst_billfilter.moc"
