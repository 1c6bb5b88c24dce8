// DAVP bill generation against crafted schedules of unit KOC (davp.sql): each date holds one case.
#include "billing/billcolumns.h"
#include "common/db.h"
#include "common/messages.h"
#include "davp/davpcolumns.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "davp/davpquery.h"
#include "gridtexts.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_DavpGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void gridLayoutHasTitlesHeadersAndFortyColumns();
    void davpAdjustmentOfWordAndAreaPricedBills();
    void writesEveryColumnOfADavpBill();
    void noDiscountAmountShowsZeroButStillAdjustsTheExtraCharge();
    void halvesGoToTheEvenWholeRupee();
    void rateMasterGivesPlaceAndCodeElseTheSubArea();
    void oneRowPerBillNumberWithItsPages();
    void filtersNarrowTheBills_data();
    void filtersNarrowTheBills();
    void queryKeepsItsTextAndBindsValues();
    void lookUpsTakeCodesWithQuotes();
    void refusedDatesAndNoRecordsLeaveTheHeaderOnly();
    void newGenerationNeverInheritsPlaceOrCode();
    void viewFollowsTheLastBills();
    void rowLimitStopsKeepingTheRowsWritten();
    void costsOneQueryAndOneStatementPerLookUp();
    void eachBillIsTheSameInARunOfItsOwn();

private:
    static BillFilter dates(const QString &from, const QString &to = {}) { return billDates(u"KOC"_s, from, to); }
    BillRun generate(const BillFilter &filter, qint16 rowLimit = 0);
    QString cell(int row, DavpColumn column) const { return m_sheet->text(row, col(column)); }
    QStringList column(DavpColumn column) const { return billColumn(*m_sheet, col(column)); }
    QList<QStringList> cells(int lastRow) const { return sheetTexts(*m_sheet, lastRow, DavpColumnCount); }

    Db m_db{u"tst_davpgenerator"_s};
    RecordingDialogs m_dialogs;
    std::unique_ptr<Sheet> m_sheet;
    QStringList m_progress;  // "done/total" as the generation told them
};

void tst_DavpGenerator::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/davp/davp.sql"_s)});
    TestDb::open(m_db);
}

void tst_DavpGenerator::init()
{
    m_sheet = std::make_unique<Sheet>();
    SetUpDavpGrid(*m_sheet, {u"Address line"_s, u"Phone 1 Fax 2"_s});
    m_dialogs.shown.clear();
    m_progress.clear();
}

BillRun tst_DavpGenerator::generate(const BillFilter &filter, qint16 rowLimit)
{
    DavpGenerator generator(m_db, m_dialogs, *m_sheet, [this](int done, int total) {
        m_progress.append(u"%1/%2"_s.arg(done).arg(total));
        return true;
    });
    if (rowLimit > 0)
        generator.setRowLimit(rowLimit);
    return generator.GenerateDavpBills(filter);
}

void tst_DavpGenerator::gridLayoutHasTitlesHeadersAndFortyColumns()
{
    Sheet &sheet = *m_sheet;
    QCOMPARE(sheet.text(1, 1), u"SELVORO (P) LTD."_s);
    QCOMPARE(sheet.text(2, 1), u"Address line"_s);
    QCOMPARE(sheet.text(3, 1), u"Phone 1 Fax 2"_s);
    QCOMPARE(sheet.style(1, 1).font.size, 14.0);
    QCOMPARE(sheet.style(3, 1).font.name, u"Book Antiqua"_s);
    QCOMPARE(sheet.style(2, 1).font.color, QRgb(0xff000080));
    QCOMPARE(sheet.rowHeight(1), std::optional<int>(500));
    // The place and DAVP code lie beyond the 38 laid-out columns; the grid shows them all.
    QCOMPARE(sheet.columnCount(), 40);
    QCOMPARE(sheet.usedColumnCount(4), 39);
    QCOMPARE(sheet.text(4, 8), QString());
    QCOMPARE(sheet.text(4, 37), u"Commission Per"_s);
    QCOMPARE(sheet.text(4, 38), u"Gross Amt"_s);
    QCOMPARE(sheet.text(4, 39), u"Place"_s);
    QCOMPARE(sheet.columnWidth(8), std::optional<int>(0));
    QCOMPARE(sheet.columnWidth(4), std::optional<int>(9300));
    QCOMPARE(sheet.columnWidth(37), std::optional<int>(3500));
    QCOMPARE(sheet.columnWidth(38), std::nullopt);
    QVERIFY(sheet.style(4, 1).font.bold);
    QCOMPARE(sheet.style(4, 20).fill, std::optional<QRgb>(0xffc0c0c0));
    QCOMPARE(sheet.style(9000, 7).numberFormat, u"0.00"_s);
    QCOMPARE(sheet.fixedRows(), 4);
    QCOMPARE(sheet.topRow(), 4);
    QCOMPARE(sheet.activeRow(), 1);
}

void tst_DavpGenerator::davpAdjustmentOfWordAndAreaPricedBills()
{
    const BillRun run = generate(dates(u"2026-02-02"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::Completed);
    QCOMPARE(run.currentRow, 6);
    // D = 50 - (100 - 80) x 10 = -150: the word-priced bill keeps its extra charge, the
    // area-priced one has it raised by 150; both show 150 as the discount.
    QCOMPARE(column(DavpColumn::ExtraCharge), (QStringList{u"25"_s, u"180"_s}));
    QCOMPARE(column(DavpColumn::Discount), (QStringList{u"150"_s, u"150"_s}));
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(m_progress, (QStringList{u"0/2"_s, u"1/2"_s, u"2/2"_s}));
}

void tst_DavpGenerator::writesEveryColumnOfADavpBill()
{
    generate(dates(u"2026-02-02"_s));
    // clang-format off
    const QStringList expected = {
        u"DV/00001"_s, u"02-Feb-2026"_s, u"010590"_s, u"MINISTRY OF INFORMATION"_s, u"02-Feb-2026"_s,
        u"Daily Kochi"_s, u"920"_s, QString(), u"1"_s, u"1"_s, u"0"_s, u"DAVP"_s, u"Soochna Bhawan"_s,
        u"Shastri Bhawan"_s, u"Rajendra Prasad Road"_s, u"New Delhi 110001"_s, u"RO/77"_s, u"28-Jan-2026"_s,
        u"B12"_s, u"PUBLIC NOTICE"_s, u"15"_s, u"25"_s, u"150"_s, u"120"_s, u"KOC0000101"_s, u"DLY"_s, u"5"_s,
        u"10"_s, u"02-Feb-2026"_s, u"100"_s, u"0"_s, u"0"_s, u"1"_s, QString(), u"80"_s, u"MOI"_s, u"15"_s,
        u"800"_s, QString(), u"110235"_s};
    // clang-format on
    for (int c = 1; c <= DavpColumnCount; ++c)
        QCOMPARE(m_sheet->text(5, c), expected[c - 1]);
    QVERIFY(m_sheet->isNumber(5, col(DavpColumn::Amount)));
    QCOMPARE(m_sheet->number(6, col(DavpColumn::Amount)), 1150.5);
    QCOMPARE(m_sheet->displayText(6, col(DavpColumn::Amount)), u"1150.50"_s);
    // Without a release order number neither it nor its date is shown.
    QCOMPARE(cell(6, DavpColumn::RoNo), QString());
    QCOMPARE(cell(6, DavpColumn::RoDate), QString());
    QCOMPARE(cell(6, DavpColumn::Commission), u"125"_s);
    QCOMPARE(cell(6, DavpColumn::CommissionPer), u"12.5"_s);
    QCOMPARE(cell(6, DavpColumn::Place), u"Kochi"_s);
    QCOMPARE(cell(6, DavpColumn::DavpCode), u"110234"_s);
    const Sheet::Style style = m_sheet->style(6, 39);
    QCOMPARE(style.font.name, u"ARIAL"_s);
    QCOMPARE(style.font.size, 8.0);
    QCOMPARE(m_sheet->style(6, 7).hAlign, Sheet::HAlign::Right);
}

void tst_DavpGenerator::noDiscountAmountShowsZeroButStillAdjustsTheExtraCharge()
{
    generate(dates(u"2026-02-03"_s));
    // D = 0 - 20 x 10 = -200: area-priced 30 + 200; word-priced unchanged.
    QCOMPARE(column(DavpColumn::ExtraCharge), (QStringList{u"230"_s, u"30"_s}));
    QCOMPARE(column(DavpColumn::Discount), (QStringList{u"0"_s, u"0"_s}));
}

void tst_DavpGenerator::halvesGoToTheEvenWholeRupee()
{
    generate(dates(u"2026-02-04"_s));
    // D of 2.5 is 2 and of 3.5 is 4; the extra charges 10.5 and 11.5 become 10 and 12 before D is
    // taken off; a rate cut of 0.25 over 10 words leaves 5 - 2.5 = 2.5, so 2.
    QCOMPARE(column(DavpColumn::Discount), (QStringList{u"-2"_s, u"-4"_s, u"-2"_s}));
    QCOMPARE(column(DavpColumn::ExtraCharge), (QStringList{u"8"_s, u"8"_s, u"0"_s}));
}

void tst_DavpGenerator::rateMasterGivesPlaceAndCodeElseTheSubArea()
{
    generate(dates(u"2026-02-05"_s));
    QCOMPARE(column(DavpColumn::Place), (QStringList{u"New Delhi"_s, QString()}));
    QCOMPARE(column(DavpColumn::DavpCode), (QStringList{QString(), u"110235"_s}));
    QVERIFY(m_dialogs.texts() == QStringList{Msg::BillGenerationCompleted});
}

void tst_DavpGenerator::oneRowPerBillNumberWithItsPages()
{
    const BillRun run = generate(dates(u"2026-02-06"_s));
    QCOMPARE(run.currentRow, 5);
    QStringList pages = cell(5, DavpColumn::Page).split(u',');
    pages.sort();
    QCOMPARE(pages, (QStringList{u"3"_s, u"5"_s}));
}

void tst_DavpGenerator::filtersNarrowTheBills_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("billFrom");
    QTest::addColumn<QString>("billTo");
    QTest::addColumn<QStringList>("bills");
    // Only DAVP's billed schedules of the unit with a net amount; bill numbers sort as text.
    QTest::newRow("all") << QString() << QString() << QString()
                         << QStringList{u"DV/10"_s, u"DV/100"_s, u"DV/9"_s, u"DV/O'X"_s};
    QTest::newRow("bounds-as-text") << QString() << u"DV/10"_s << u"DV/2"_s << QStringList{u"DV/10"_s, u"DV/100"_s};
    QTest::newRow("bounds-inclusive") << QString() << u"DV/100"_s << u"DV/9"_s << QStringList{u"DV/100"_s, u"DV/9"_s};
    QTest::newRow("product") << u"MET"_s << QString() << QString() << QStringList{u"DV/100"_s};
    QTest::newRow("quoted-product") << u"O'X"_s << QString() << QString() << QStringList{u"DV/O'X"_s};
    QTest::newRow("quoted-bound") << QString() << u"DV/O'X"_s << u"DV/O'X"_s << QStringList{u"DV/O'X"_s};
}

void tst_DavpGenerator::filtersNarrowTheBills()
{
    QFETCH(QString, product);
    QFETCH(QString, billFrom);
    QFETCH(QString, billTo);
    QFETCH(QStringList, bills);
    BillFilter filter = dates(u"2026-02-07"_s);
    filter.product = product;
    filter.billFrom = billFrom;
    filter.billTo = billTo;
    generate(filter);
    QCOMPARE(column(DavpColumn::BillNo), bills);
}

void tst_DavpGenerator::queryKeepsItsTextAndBindsValues()
{
    BillFilter filter = dates(u"2026-02-01"_s, u"2026-02-07"_s);
    filter.product = u"O'X"_s;
    filter.billFrom = u"A"_s;
    filter.billTo = u"B\\"_s;
    const SqlStatement query = davpBillQuery(filter);
    QCOMPARE(query.text, u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN "
                         u"advt_schedule.*,group_no_of_bills,group_show_comm,group_show_address "
                         u"from advt_schedule inner "
                         "join  advt_agencymaster on agency_code=sch_agency_code  inner join advt_clienttype on "
                         "agency_type=group_code  where advt_schedule.unit_code=? and sch_bill_no<>'' and "
                         "sch_ins_date>=? and sch_ins_date<=? and sch_agency_code=? And "
                         "sch_ed_code=? And sch_bill_no>=? And sch_bill_no<=? and  group_no_of_bills >0 and "
                         "sch_net_total >0 Group by sch_bill_no  Order by sch_ins_date,sch_bill_no"_s);
    QCOMPARE(query.values,
             (QStringList{u"KOC"_s, u"2026-02-01"_s, u"2026-02-07"_s, u"010590"_s, u"O'X"_s, u"A"_s, u"B\\"_s}));
}

void tst_DavpGenerator::lookUpsTakeCodesWithQuotes()
{
    generate(dates(u"2026-02-09"_s));
    QCOMPARE(column(DavpColumn::Place), QStringList{u"Quote\\Town"_s});
    QCOMPARE(column(DavpColumn::DavpCode), QStringList{u"110299"_s});
    QCOMPARE(column(DavpColumn::Page), QStringList{u"9"_s});
}

void tst_DavpGenerator::refusedDatesAndNoRecordsLeaveTheHeaderOnly()
{
    generate(dates(u"2026-02-02"_s));
    QCOMPARE(generate(dates(u"2026-02-03"_s, u"2026-02-02"_s)).outcome, BillRun::Outcome::DatesRefused);
    QCOMPARE(m_sheet->lastUsedRow(), 4);
    QCOMPARE(generate(dates(u"2030-01-01"_s)).outcome, BillRun::Outcome::NoRecords);
    QCOMPARE(m_sheet->lastUsedRow(), 4);
    QCOMPARE(m_dialogs.texts(),
             (QStringList{Msg::BillGenerationCompleted, Msg::ToDateBeforeFromDate, Msg::NoRecordsFound}));
    QCOMPARE(m_sheet->text(3, 1), u"Phone 1 Fax 2"_s);
}

void tst_DavpGenerator::newGenerationNeverInheritsPlaceOrCode()
{
    generate(dates(u"2026-02-02"_s));
    QCOMPARE(cell(5, DavpColumn::DavpCode), u"110235"_s);
    // The first bill of the 5th has no rate-master row: its newspaper code must be blank.
    generate(dates(u"2026-02-05"_s));
    QCOMPARE(cell(5, DavpColumn::DavpCode), QString());
    QCOMPARE(cell(5, DavpColumn::Place), u"New Delhi"_s);
    QCOMPARE(m_sheet->text(6, 40), u"110235"_s);
    QCOMPARE(m_sheet->lastUsedRow(), 6);
}

void tst_DavpGenerator::viewFollowsTheLastBills()
{
    const BillRun run = generate(dates(u"2026-03-02"_s));
    QCOMPARE(run.currentRow, 24);
    QCOMPARE(m_sheet->topRow(), 12);
    QCOMPARE(m_progress.size(), 21);
    QCOMPARE(m_progress.last(), u"20/20"_s);
}

void tst_DavpGenerator::rowLimitStopsKeepingTheRowsWritten()
{
    const BillRun run = generate(dates(u"2026-03-02"_s), 7);
    QCOMPARE(run.outcome, BillRun::Outcome::RowLimit);
    QCOMPARE(run.currentRow, 7);
    QCOMPARE(column(DavpColumn::BillNo).size(), 3);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::BillRowLimitReached});
}

void tst_DavpGenerator::costsOneQueryAndOneStatementPerLookUp()
{
    // Twenty bills: the main query, then the agency, the pages and the rate master of all of them.
    const qint64 before = m_db.statementCount();
    generate(dates(u"2026-03-02"_s));
    QCOMPARE(m_db.statementCount() - before, 1 + 3);
}

void tst_DavpGenerator::eachBillIsTheSameInARunOfItsOwn()
{
    const BillFilter filter = dates(u"2026-02-01"_s, u"2026-03-31"_s);
    const BillRun whole = generate(filter);
    const QList<QStringList> rows = cells(whole.currentRow).mid(FirstBillRow - 1);
    QVERIFY(rows.size() > 3);
    // The look-ups of a run are keyed by the run's own schedules: a bill alone in its run reads the same.
    for (const QStringList &row : rows) {
        init();
        BillFilter alone = filter;
        alone.billFrom = alone.billTo = row.at(col(DavpColumn::BillNo) - 1);
        QCOMPARE(generate(alone).currentRow, FirstBillRow);
        QCOMPARE(cells(FirstBillRow).mid(FirstBillRow - 1), QList<QStringList>{row});
    }
}

QTEST_GUILESS_MAIN(tst_DavpGenerator)
#include "tst_davpgenerator.moc"
