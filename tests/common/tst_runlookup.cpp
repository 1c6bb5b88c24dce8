// Look-ups of a whole run in one statement against the statement of one code (lookups.sql): each
// code the run's schedules hold gets the rows its own statement gives, in the same order.
#include "billing/billquery.h"
#include "common/db.h"
#include "common/runlookup.h"
#include "davp/davpquery.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The values of the statement of one code.
enum class SingleValues { Code, CodeAndItsUnit, UnitAndCode };

Q_DECLARE_METATYPE(RunLookUpStatements)
Q_DECLARE_METATYPE(SingleValues)

class tst_RunLookUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void eachCodeGetsWhatItsOwnStatementGives_data();
    void eachCodeGetsWhatItsOwnStatementGives();
    void aRunCostsOneStatementWhateverItsCodes();
    void onlyTheSchedulesOfTheRunAreLookedUp();
    void severalRowsOfACodeKeepTheOrderOfItsOwnStatement();
    void aFailingLookUpThrows();

private:
    LookUpRows single(const QString &statement, const QStringList &values);
    QStringList runCodes(const QString &column);

    Db m_db{u"tst_runlookup"_s};
};

namespace {

// The run: the schedules of units KOC and TVM of 1 January.
const SqlStatement RunSchedules{u" from advt_schedule where unit_code in (?,?) and sch_ins_date=?"_s,
                                {u"KOC"_s, u"TVM"_s, u"2026-01-01"_s}};

// The aggregates as the desk sends them for one schedule.
const QString PagesOfUnit =
    u"SELECT group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code=? and unit_code=?"_s;
const QString Pages = u"SELECT group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code=?"_s;
const QString Exchange =
    u"select sum(sdet_dr_amt),sum(sdet_cr_amt) from advt_sch_exchg where unit_code=? and sdet_sch_code=?"_s;

LookUpRows withoutEmptyAggregate(LookUpRows rows)
{
    // An aggregate of no rows is one row of NULLs, which the bills read as empty text.
    if (rows.size() == 1 && rows.first().join(QString()).isEmpty())
        rows.clear();
    return rows;
}

}  // namespace

void tst_RunLookUp::initTestCase() { REQUIRE_TEST_DB(); }

void tst_RunLookUp::init()
{
    TestDb::reset({TestDb::file(u"tests/common/lookups.sql"_s)});
    TestDb::open(m_db);
}

LookUpRows tst_RunLookUp::single(const QString &statement, const QStringList &values)
{
    ResultSet rows = m_db.query(statement, values);
    LookUpRows found;
    while (rows.next()) {
        QStringList row;
        for (int column = 0; column < rows.columnCount(); ++column)
            row.append(rows.textOrEmpty(column));
        found.append(row);
    }
    return found;
}

QStringList tst_RunLookUp::runCodes(const QString &column)
{
    QStringList codes;
    ResultSet rows = m_db.query(u"Select "_s + column + RunSchedules.text, RunSchedules.values);
    while (rows.next())
        codes.append(rows.textOrEmpty(0));
    return codes;
}

void tst_RunLookUp::eachCodeGetsWhatItsOwnStatementGives_data()
{
    QTest::addColumn<RunLookUpStatements>("statements");
    QTest::addColumn<QString>("codeColumn");
    QTest::addColumn<QString>("singleStatement");
    QTest::addColumn<SingleValues>("singleValues");
    const QString agency = u"sch_agency_code"_s, slno = u"sch_slno"_s;
    QTest::newRow("gst-agency") << agencyLookUp(BillKind::Gst, RunSchedules) << agency << agencyQuery(BillKind::Gst)
                                << SingleValues::Code;
    QTest::newRow("split-agency") << agencyLookUp(BillKind::Split, RunSchedules) << agency
                                  << agencyQuery(BillKind::Split) << SingleValues::Code;
    QTest::newRow("davp-agency") << davpAgencyLookUp(RunSchedules) << agency << davpAgencyQuery() << SingleValues::Code;
    QTest::newRow("client") << clientLookUp(RunSchedules) << u"sch_client_code"_s << clientQuery()
                            << SingleValues::Code;
    QTest::newRow("pages") << pagesLookUp(RunSchedules) << slno << PagesOfUnit << SingleValues::CodeAndItsUnit;
    QTest::newRow("davp-pages") << davpPagesLookUp(RunSchedules) << slno << Pages << SingleValues::Code;
    QTest::newRow("exchange") << exchangeLookUp(RunSchedules, u"KOC"_s) << slno << Exchange
                              << SingleValues::UnitAndCode;
    QTest::newRow("rate") << davpRateLookUp(RunSchedules) << u"sch_ratecode"_s << davpRateQuery() << SingleValues::Code;
}

void tst_RunLookUp::eachCodeGetsWhatItsOwnStatementGives()
{
    QFETCH(RunLookUpStatements, statements);
    QFETCH(QString, codeColumn);
    QFETCH(QString, singleStatement);
    QFETCH(SingleValues, singleValues);
    RunLookUp lookUp(m_db, statements);
    lookUp.fetch();
    int found = 0;
    for (const QString &code : runCodes(codeColumn)) {
        QStringList values{code};
        if (singleValues == SingleValues::CodeAndItsUnit)
            values.append(code.left(3));
        else if (singleValues == SingleValues::UnitAndCode)
            values.prepend(u"KOC"_s);
        const LookUpRows expected = withoutEmptyAggregate(single(singleStatement, values));
        QVERIFY2(withoutEmptyAggregate(lookUp.rows(code)) == expected, qPrintable(u"code '"_s + code + u"'"_s));
        found += expected.isEmpty() ? 0 : 1;
    }
    QVERIFY(found > 1);
}

void tst_RunLookUp::aRunCostsOneStatementWhateverItsCodes()
{
    RunLookUp lookUp(m_db, agencyLookUp(BillKind::Gst, RunSchedules));
    const qint64 before = m_db.statementCount();
    lookUp.fetch();
    lookUp.fetch();
    QCOMPARE(m_db.statementCount() - before, 1);
    // Codes the collation takes for one keep their own rows: each finds the agency as stored, and
    // E01 finds É01 the way the server's own statement does.
    for (const QString &code : {u"A001"_s, u"a001"_s, u"A001  "_s})
        QCOMPARE(lookUp.rows(code).value(0).value(0), u"Alpha Ads"_s);
    QCOMPARE(lookUp.rows(u"E01"_s).value(0).value(0), u"Accent Agency"_s);
    QCOMPARE(lookUp.rows(u"Q'1"_s).value(0).value(0), u"Quote Agency"_s);
    QVERIFY(lookUp.rows(u"x' or 1=1"_s).isEmpty());
    QVERIFY(lookUp.rows(u"A404"_s).isEmpty());
}

void tst_RunLookUp::onlyTheSchedulesOfTheRunAreLookedUp()
{
    RunLookUp lookUp(m_db, davpRateLookUp(RunSchedules));
    lookUp.fetch();
    QCOMPARE(lookUp.rows(u"DV001"_s).value(0), (QStringList{u"130187"_s, u"KOCHI"_s}));
    // DV002 is in the master, but only a schedule outside the run names it.
    QCOMPARE(single(davpRateQuery(), {u"DV002"_s}).size(), 1);
    QVERIFY(lookUp.rows(u"DV002"_s).isEmpty());
}

void tst_RunLookUp::severalRowsOfACodeKeepTheOrderOfItsOwnStatement()
{
    // Masters kept without unique keys: an agency code twice, a sub-area twice, a rate twice. The
    // run's join reaches the agencies and sub-areas in another order than the statement of one agency.
    TestDb::run(u"USE selvoro;"
                "ALTER TABLE advt_subarea DROP PRIMARY KEY;"
                "INSERT INTO advt_subarea (sub_code, sub_name) VALUES"
                "  ('S1', 'Second Ernakulam'), ('s2', 'Lower Thrissur');"
                "ALTER TABLE advt_agencymaster DROP PRIMARY KEY, ADD KEY (agency_code);"
                "INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea) VALUES"
                "  ('a002', 'Beta Again', 'AG', 'S1'), ('A001', 'Alpha Again', 'AG', 'S2');"
                "ALTER TABLE advt_ratemaster DROP PRIMARY KEY;"
                "INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place) VALUES"
                "  ('dv001', 'Display again', '999', 'ELSEWHERE');"_s);
    for (const auto &[statements, oneCode] :
         {std::pair{agencyLookUp(BillKind::Gst, RunSchedules), agencyQuery(BillKind::Gst)},
          std::pair{davpAgencyLookUp(RunSchedules), davpAgencyQuery()}}) {
        RunLookUp lookUp(m_db, statements);
        lookUp.fetch();
        QCOMPARE(lookUp.rows(u"A001"_s).size(), 4);
        for (const QString &code : runCodes(u"sch_agency_code"_s))
            QVERIFY2(lookUp.rows(code) == single(oneCode, {code}), qPrintable(code));
    }
    RunLookUp rates(m_db, davpRateLookUp(RunSchedules));
    rates.fetch();
    QCOMPARE(rates.rows(u"DV001"_s).size(), 2);
    for (const QString &code : runCodes(u"sch_ratecode"_s))
        QVERIFY2(rates.rows(code) == single(davpRateQuery(), {code}), qPrintable(code));
}

void tst_RunLookUp::aFailingLookUpThrows()
{
    TestDb::run(u"DROP TABLE selvoro.advt_scheduledetails;"_s);
    RunLookUp lookUp(m_db, pagesLookUp(RunSchedules));
    QVERIFY_THROWS_EXCEPTION(DbError, lookUp.fetch());
}

QTEST_GUILESS_MAIN(tst_RunLookUp)
#include "tst_runlookup.moc"
