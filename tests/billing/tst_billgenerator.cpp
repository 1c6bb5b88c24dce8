// Bill generation against crafted schedules of unit KOC (billing.sql): each date holds one case.
#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/db.h"
#include "common/messages.h"
#include "gridtexts.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_BillGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void areaPricedDiscountIsSetAgainstExtraCharge();
    void wordPricedDiscountRoundsHalvesToEven();
    void writesEveryColumnOfAGstBill();
    void secondCompanyAndClientGstIdentity();
    void filtersNarrowTheBills_data();
    void filtersNarrowTheBills();
    void quotesInFiltersNeverBreakTheStatement();
    void lookUpsTakeCodesAsTheyAre();
    void inputThatIsRefusedTouchesNeitherServerNorGrid_data();
    void inputThatIsRefusedTouchesNeitherServerNorGrid();
    void singleScheduleListsAnUnbilledSchedule();
    void titlesNameTheDatesAndProduct();
    void refusedDatesKeepTheOldTitleAndClearTheRows();
    void noRecordsLeavesTheHeaderOnly();
    void unknownColumnCountLeavesHeightEmpty();
    void viewFollowsTheLastBills();
    void rowLimitStopsKeepingTheRowsWritten();
    void progressThatSaysStopEndsKeepingTheRowsWritten();
    void splitFrameIsBilledInEveryRow();
    void splitBillForAnAgencyWithoutSubArea();
    void exchangeEntriesAreNettedIn_data();
    void exchangeEntriesAreNettedIn();
    void lookUpsRunForManyBillsAtOnce();
    void eachBillLooksUpWhatItFindsInARunOfItsOwn_data();
    void eachBillLooksUpWhatItFindsInARunOfItsOwn();
    void clientWithoutMasterRowKeepsTheAgencyIdentity();
    void failingLookUpEndsTheRun();

private:
    static BillFilter dates(const QString &from, const QString &to = {}) { return billDates(u"KOC"_s, from, to); }
    BillRun generate(const BillFilter &filter);
    QString cell(int row, BillColumn column) const { return m_sheet->text(row, col(column)); }
    QStringList column(BillColumn column) const { return billColumn(*m_sheet, col(column)); }

    Db m_db{u"tst_billgenerator"_s};
    RecordingDialogs m_dialogs;
    std::unique_ptr<Sheet> m_sheet;
    BillRows m_bills;
    QStringList m_progress;  // "done/total" as the generation told them
};

void tst_BillGenerator::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/billing/billing.sql"_s)});
    TestDb::open(m_db);
}

void tst_BillGenerator::init()
{
    m_sheet = std::make_unique<Sheet>();
    SetUpBillGrid(*m_sheet, u"Daily"_s, u"Kochi"_s);
    m_dialogs.shown.clear();
    m_progress.clear();
}

BillRun tst_BillGenerator::generate(const BillFilter &filter)
{
    BillGenerator generator(m_db, m_dialogs, *m_sheet, m_bills, [this](int done, int total) {
        m_progress.append(u"%1/%2"_s.arg(done).arg(total));
        return true;
    });
    return generator.generate(filter);
}

void tst_BillGenerator::areaPricedDiscountIsSetAgainstExtraCharge()
{
    const BillRun run = generate(dates(u"2026-01-05"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::Completed);
    QCOMPARE(run.currentRow, 6);
    // Discount 700 less the rate cut of 500 leaves 200; with no extra charge the two cancel.
    QCOMPARE(cell(5, BillColumn::ExtraCharge), u"0"_s);
    QCOMPARE(cell(5, BillColumn::Discount), u"0"_s);
    // With an extra charge of 500 the discount is set against it and both stay.
    QCOMPARE(cell(6, BillColumn::ExtraCharge), u"300"_s);
    QCOMPARE(cell(6, BillColumn::Discount), u"200"_s);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(m_progress, (QStringList{u"0/2"_s, u"1/2"_s, u"2/2"_s}));
}

void tst_BillGenerator::wordPricedDiscountRoundsHalvesToEven()
{
    generate(dates(u"2026-01-06"_s));
    // 50 - 20 words x (10 - 8) = 10; 42.5 - 40 = 2.5 goes to 2; 43.5 - 40 = 3.5 goes to 4.
    QCOMPARE(column(BillColumn::Discount), (QStringList{u"10"_s, u"2"_s, u"4"_s}));
    QCOMPARE(column(BillColumn::ExtraCharge), (QStringList{u"0"_s, u"0"_s, u"0"_s}));
    // Word-priced bills carry no display measures.
    QCOMPARE(column(BillColumn::HeightCm), (QStringList{QString(), QString(), QString()}));
    QCOMPARE(column(BillColumn::MechData), (QStringList{QString(), QString(), QString()}));
}

void tst_BillGenerator::writesEveryColumnOfAGstBill()
{
    generate(dates(u"2026-01-05"_s));
    // clang-format off
    const QStringList expected = {
        u"KB/00001"_s, u"05-Jan-2026"_s, u"A001"_s, u"A client name longer than thir, Broadway"_s, u"05-Jan-2026"_s,
        u"Daily Kochi"_s, u"1500"_s, u"AG"_s, u"1"_s, u"2"_s, u"1"_s, u"Alpha Ads"_s, u"MG Road"_s, u"Broadway"_s,
        u"Line 2"_s, u"Line 3"_s, u"RO-1"_s, u"01-Jan-2026"_s, QString(), QString(), u"0"_s, u"0"_s, u"0"_s,
        u"150"_s, u"KOC0000101"_s, u"DLY"_s, u"0"_s, u"0"_s, u"05-Jan-2026"_s, u"100"_s, u"50"_s, u"25"_s, u"2"_s,
        QString(), u"90"_s, QString(), u"Kochi"_s, u"Kerala"_s, u"Ernakulam"_s, u"5"_s, u"6"_s, u"83.33"_s,
        u"2000"_s, u"1"_s, u"15"_s, u"32AGGSTIN0001"_s, u"AGPAN0001A"_s, u"SVCIN0000000000000001"_s,
        u"32SVGSTIN00001"_s, u"9.00"_s, u"9.00"_s, u"90.00"_s, u"90.00"_s, u"1180"_s, u"1"_s, u"0.00"_s, u"0.00"_s,
        u"1180"_s};
    // clang-format on
    for (int column = 1; column <= BillColumnCount; ++column)
        QCOMPARE(m_sheet->text(5, column), expected.at(column - 1));
    QVERIFY(m_sheet->isNumber(5, col(BillColumn::Amount)));
    QVERIFY(m_sheet->isNumber(5, col(BillColumn::NetAmt)));
    // No release order: its columns stay empty. The net amount has two decimals as a number.
    QCOMPARE(cell(6, BillColumn::RoNo), QString());
    QCOMPARE(cell(6, BillColumn::RoDate), QString());
    QCOMPARE(cell(6, BillColumn::NetAmt), u"1180.75"_s);
    QCOMPARE(cell(6, BillColumn::CgstPer), u"2.50"_s);
    QCOMPARE(cell(6, BillColumn::SgstAmt), u"90.25"_s);

    const Sheet::Style amount = m_sheet->style(5, col(BillColumn::Amount));
    QCOMPARE(amount.font.name, u"ARIAL"_s);
    QCOMPARE(amount.font.size, 8.0);
    QCOMPARE(amount.hAlign, Sheet::HAlign::Right);
    QCOMPARE(amount.numberFormat, u"0.00"_s);
    QCOMPARE(m_sheet->style(5, 12).font.bold, false);
}

void tst_BillGenerator::secondCompanyAndClientGstIdentity()
{
    const qint64 before = m_db.statementCount();
    generate(dates(u"2026-01-07"_s));
    // Companies, the main query, then one statement each for the agencies, the clients of GST type 1
    // and the pages of both bills.
    QCOMPARE(m_db.statementCount() - before, 2 + 3);
    QCOMPARE(column(BillColumn::SvCin), (QStringList{u"SXCIN0000000000000002"_s, u"SVCIN0000000000000001"_s}));
    QCOMPARE(column(BillColumn::SvGstin), (QStringList{u"32SXGSTIN00002"_s, u"32SVGSTIN00001"_s}));
    // The client's GSTIN replaces the agency's; its empty PAN leaves the agency's.
    QCOMPARE(column(BillColumn::AgencyGst), (QStringList{u"32AGGSTIN0001"_s, u"32CLGSTIN0001"_s}));
    QCOMPARE(column(BillColumn::AgencyPan), (QStringList{u"AGPAN0001A"_s, u"DRPAN0002B"_s}));
    // FSH: 78 sq cm over 7.8 cm columns is 10 cm high; 1000 over 2 x 10 column-cm. Others: 61 / 12.2.
    QCOMPARE(column(BillColumn::HeightCm), (QStringList{u"10"_s, u"5"_s}));
    QCOMPARE(column(BillColumn::MechData), (QStringList{u"50.00"_s, u"61.00"_s}));
    QCOMPARE(column(BillColumn::BpType), (QStringList{u"1"_s, u"2"_s}));
    // The buyer is the party whose GSTIN the bill carries: the agency, or the client as booked.
    QCOMPARE(m_bills.size(), std::size_t(2));
    const BillParty agency = m_bills[0].buyer();
    QCOMPARE(agency.name, u"Alpha Ads"_s);
    QCOMPARE(agency.address, (QStringList{u"MG Road"_s, u"Kochi"_s, u"Kerala"_s}));
    QCOMPARE(agency.place, u"Ernakulam"_s);
    QCOMPARE(agency.gstin, u"32AGGSTIN0001"_s);
    const BillParty client = m_bills[1].buyer();
    QCOMPARE(client.name, u"GST Client"_s);
    QCOMPARE(client.address, QStringList());
    QCOMPARE(client.gstin, u"32CLGSTIN0001"_s);
    QCOMPARE(client.pan, u"DRPAN0002B"_s);
}

void tst_BillGenerator::filtersNarrowTheBills_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("billFrom");
    QTest::addColumn<QString>("billTo");
    QTest::addColumn<QStringList>("bills");
    QTest::newRow("none") << QString() << QString() << QString() << QString()
                          << QStringList{u"KB/00010"_s, u"KB/00011"_s, u"KB/O'X"_s};
    QTest::newRow("product") << u"DLY"_s << QString() << QString() << QString() << QStringList{u"KB/00010"_s};
    QTest::newRow("bill-from") << QString() << QString() << u"KB/00011"_s << QString()
                               << QStringList{u"KB/00011"_s, u"KB/O'X"_s};
    QTest::newRow("bill-to") << QString() << QString() << QString() << u"KB/00010"_s << QStringList{u"KB/00010"_s};
    QTest::newRow("group-quoted") << QString() << u" 'DR' "_s << QString() << QString() << QStringList{u"KB/00011"_s};
    QTest::newRow("group-plain-list") << QString() << u"AG, DR"_s << QString() << QString()
                                      << QStringList{u"KB/00010"_s, u"KB/00011"_s, u"KB/O'X"_s};
    QTest::newRow("group-double-quoted") << QString() << u"\"AG\""_s << QString() << QString()
                                         << QStringList{u"KB/00010"_s, u"KB/O'X"_s};
}

void tst_BillGenerator::filtersNarrowTheBills()
{
    QFETCH(QString, product);
    QFETCH(QString, group);
    QFETCH(QString, billFrom);
    QFETCH(QString, billTo);
    QFETCH(QStringList, bills);
    BillFilter filter = dates(u"2026-01-08"_s);
    filter.product = product;
    filter.group = group;
    filter.billFrom = billFrom;
    filter.billTo = billTo;
    generate(filter);
    QCOMPARE(column(BillColumn::BillNo), bills);
}

void tst_BillGenerator::quotesInFiltersNeverBreakTheStatement()
{
    BillFilter filter = dates(u"2026-01-08"_s);
    filter.product = u"O'X"_s;
    generate(filter);
    QCOMPARE(column(BillColumn::BillNo), QStringList{u"KB/O'X"_s});

    init();
    filter.product = u"x' or '1'='1"_s;
    QCOMPARE(generate(filter).outcome, BillRun::Outcome::NoRecords);
    filter.product.clear();
    filter.billFrom = u"KB/'"_s;
    filter.billTo = u"KB/'"_s;
    QCOMPARE(generate(filter).outcome, BillRun::Outcome::NoRecords);

    init();
    filter = dates(u"2026-01-08"_s);
    filter.singleSchedule = true;
    filter.billFrom = u"KOC0000901' or ''='"_s;
    QCOMPARE(generate(filter).outcome, BillRun::Outcome::NoRecords);
}

void tst_BillGenerator::lookUpsTakeCodesAsTheyAre()
{
    generate(dates(u"2026-01-13"_s));
    QCOMPARE(column(BillColumn::AgentName), (QStringList{u"Quote Agency"_s, u"Alpha Ads"_s}));
    QCOMPARE(column(BillColumn::AgencyGst), (QStringList{u"QGSTIN"_s, u"32CLGSTIN0001"_s}));
    QCOMPARE(column(BillColumn::AgencyPan), (QStringList{u"QPAN"_s, u"AGPAN0001A"_s}));
    QCOMPARE(column(BillColumn::Page), (QStringList{u"12"_s, QString()}));
}

// A group text that is not a list of codes, or a split total that is not a number, is refused before
// any statement runs, and the grid of the previous run is left as it was.
void tst_BillGenerator::inputThatIsRefusedTouchesNeitherServerNorGrid_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("splitTotal");
    QTest::addColumn<QString>("message");
    const auto group = [](const char *name, const QString &text) {
        QTest::newRow(name) << text << false << QString() << Msg::GroupListInvalid;
    };
    group("group-injection", u"'AG') or (1=1"_s);
    group("group-quote-inside", u"'A'G'"_s);
    group("group-empty-item", u"AG,,DR"_s);
    group("group-trailing-comma", u"'AG',"_s);
    group("group-semicolon", u"AG; drop table x"_s);
    group("group-unbalanced-quote", u"'AG"_s);
    const auto splitTotal = [](const char *name, const QString &total) {
        QTest::newRow(name) << QString() << true << total << Msg::SplitTotalInvalid;
    };
    splitTotal("split-total-empty", QString());
    splitTotal("split-total-word", u"fifteen"_s);
    splitTotal("split-total-trailing-text", u"1500 Rs"_s);
    splitTotal("split-total-grouped", u"1,500"_s);
}

void tst_BillGenerator::inputThatIsRefusedTouchesNeitherServerNorGrid()
{
    QFETCH(QString, group);
    QFETCH(bool, split);
    QFETCH(QString, splitTotal);
    QFETCH(QString, message);
    generate(dates(u"2026-01-05"_s));
    m_dialogs.shown.clear();
    const qint64 before = m_db.statementCount();
    BillFilter filter = dates(u"2026-01-06"_s);
    filter.group = group;
    filter.split = split;
    filter.splitTotal = splitTotal;
    QCOMPARE(generate(filter).outcome, BillRun::Outcome::InputRefused);
    QCOMPARE(m_db.statementCount(), before);
    QCOMPARE(m_dialogs.texts(), QStringList{message});
    QCOMPARE(column(BillColumn::BillNo), (QStringList{u"KB/00001"_s, u"KB/00002"_s}));
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report on 05-Jan-2026"_s);
}

void tst_BillGenerator::singleScheduleListsAnUnbilledSchedule()
{
    BillFilter filter = dates(u"2026-12-08"_s);
    filter.singleSchedule = true;
    filter.billFrom = filter.billTo = u"KOC0000901"_s;
    filter.group = u"not a list ("_s;  // the single-schedule query has no group filter
    const BillRun run = generate(filter);
    QCOMPARE(run.outcome, BillRun::Outcome::Completed);
    QCOMPARE(run.currentRow, 5);
    QCOMPARE(cell(5, BillColumn::BillNo), u"KOC0000901"_s);
    QCOMPARE(cell(5, BillColumn::BillDate), u"09-Jan-2026"_s);
    QCOMPARE(cell(5, BillColumn::BillFlag), u"0"_s);
    // Pages of this unit's insertions only, each once.
    QCOMPARE(cell(5, BillColumn::Page), u"3,5"_s);
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report on 08-Dec-2026"_s);
}

void tst_BillGenerator::titlesNameTheDatesAndProduct()
{
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Receipt Report"_s);
    BillFilter filter = dates(u"2026-01-08"_s);
    filter.product = u"DLY"_s;
    generate(filter);
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report on 08-Jan-2026- [DLY]"_s);
    generate(dates(u"2026-02-01"_s, u"2026-02-03"_s));
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report from 01-Feb-2026 to 03-Feb-2026"_s);
    filter.product = u"  "_s;  // a blank product filter adds nothing to the title
    generate(filter);
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report on 08-Jan-2026"_s);
}

void tst_BillGenerator::refusedDatesKeepTheOldTitleAndClearTheRows()
{
    generate(dates(u"2026-01-05"_s));
    m_dialogs.shown.clear();
    const BillRun run = generate(dates(u"2026-01-06"_s, u"2026-01-05"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::DatesRefused);
    QCOMPARE(run.currentRow, HeaderRow);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::ToDateBeforeFromDate});
    QCOMPARE(m_sheet->text(ReportTitleRow, 1), u"Schedule Report on 05-Jan-2026"_s);
    QCOMPARE(m_sheet->lastUsedRow(), HeaderRow);
}

void tst_BillGenerator::noRecordsLeavesTheHeaderOnly()
{
    generate(dates(u"2026-01-05"_s));
    m_dialogs.shown.clear();
    const BillRun run = generate(dates(u"2025-01-01"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::NoRecords);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::NoRecordsFound});
    QCOMPARE(m_sheet->lastUsedRow(), HeaderRow);
    QCOMPARE(m_sheet->style(5, col(BillColumn::BillNo)), Sheet::Style());
}

void tst_BillGenerator::unknownColumnCountLeavesHeightEmpty()
{
    generate(dates(u"2026-01-11"_s));
    // 20 columns as the first bill: no width known yet, so no height and no rate. The next bill
    // sets 3.8 cm, which the third (20 columns again) keeps.
    QCOMPARE(column(BillColumn::HeightCm), (QStringList{QString(), u"5"_s, u"5"_s}));
    QCOMPARE(column(BillColumn::MechData), (QStringList{QString(), u"20.00"_s, u"1.00"_s}));
}

void tst_BillGenerator::viewFollowsTheLastBills()
{
    const BillRun run = generate(dates(u"2026-02-01"_s, u"2026-02-20"_s));
    QCOMPARE(run.currentRow, 24);
    QCOMPARE(m_sheet->topRow(), 12);
    QCOMPARE(m_progress.size(), 21);
    QCOMPARE(m_progress.last(), u"20/20"_s);
}

void tst_BillGenerator::rowLimitStopsKeepingTheRowsWritten()
{
    BillGenerator generator(m_db, m_dialogs, *m_sheet, m_bills);
    generator.setRowLimit(10);
    const BillRun run = generator.GenerateGstBills(dates(u"2026-02-01"_s, u"2026-02-20"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::RowLimit);
    QCOMPARE(run.currentRow, 10);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::BillRowLimitReached});
    QCOMPARE(column(BillColumn::BillNo).size(), 6);
    QCOMPARE(cell(10, BillColumn::BillNo), u"KB/10006"_s);
}

// The window's Stop: the bills written stay, nothing is said (the window tells it was stopped).
void tst_BillGenerator::progressThatSaysStopEndsKeepingTheRowsWritten()
{
    BillGenerator generator(m_db, m_dialogs, *m_sheet, m_bills,
                            [](int done, int total) { return total == 20 && done < 3; });
    const BillRun run = generator.GenerateGstBills(dates(u"2026-02-01"_s, u"2026-02-20"_s));
    QCOMPARE(run.outcome, BillRun::Outcome::Stopped);
    QCOMPARE(run.currentRow, FirstBillRow + 2);
    QCOMPARE(column(BillColumn::BillNo).size(), 3);
    QCOMPARE(m_bills.size(), std::size_t(3));
    QVERIFY(m_dialogs.shown.isEmpty());
}

void tst_BillGenerator::splitFrameIsBilledInEveryRow()
{
    BillFilter filter = dates(u"2026-01-05"_s, u"2026-01-07"_s);
    filter.split = true;
    filter.group = u"ignored ("_s;
    filter.splitClient = u"Split Client With A Rather Long Name Indeed"_s;
    filter.splitAdd1 = u"Split Road"_s;
    filter.splitAdd2 = u"Split Town"_s;
    filter.splitAdd3 = u"Split State"_s;
    filter.splitTotal = u"1500.50"_s;
    QCOMPARE(generate(filter).currentRow, 11);
    const QStringList seven(7, QString());
    QCOMPARE(column(BillColumn::ClientName), QStringList(7, u"Split Client With A Rather Lon, Split Road"_s));
    QCOMPARE(column(BillColumn::AgentName), QStringList(7, filter.splitClient));
    QCOMPARE(column(BillColumn::AgentAddress3), QStringList(7, u"Split State"_s));
    QCOMPARE(column(BillColumn::ClientAddress), QStringList(7, u"Split Road"_s));
    QCOMPARE(column(BillColumn::ClientAddress3), QStringList(7, u"Split State"_s));
    QCOMPARE(column(BillColumn::Amount), QStringList(7, u"1500.5"_s));
    QCOMPARE(column(BillColumn::SubName), QStringList(7, u"Ernakulam"_s));
    // No GST, company or print-type data on a split bill; the discount steps run as for GST bills.
    for (BillColumn empty : {BillColumn::AgencyType, BillColumn::AgencyGst, BillColumn::SvCin, BillColumn::CgstPer,
                             BillColumn::NetAmt, BillColumn::BpType, BillColumn::GrossBill})
        QCOMPARE(column(empty), seven);
    QCOMPARE(column(BillColumn::Discount).mid(0, 3), (QStringList{u"0"_s, u"200"_s, u"10"_s}));
    QCOMPARE(column(BillColumn::HeightCm).mid(5), (QStringList{u"10"_s, u"5"_s}));
}

void tst_BillGenerator::splitBillForAnAgencyWithoutSubArea()
{
    BillFilter filter = dates(u"2026-01-12"_s);
    filter.split = true;
    filter.splitClient = u"Split"_s;
    filter.splitAdd1 = u"A1"_s;
    filter.splitAdd2 = u"A2"_s;
    filter.splitTotal = u"99"_s;
    generate(filter);
    QCOMPARE(cell(5, BillColumn::ClientName), u"Split, A1"_s);
    QCOMPARE(cell(5, BillColumn::ClientAddress2), u"A2"_s);
    for (BillColumn empty : {BillColumn::AgentName, BillColumn::AgentAddress1, BillColumn::AgentAddress2,
                             BillColumn::AgentAddress3, BillColumn::SubName, BillColumn::BillColumns})
        QCOMPARE(cell(5, empty), QString());
}

void tst_BillGenerator::exchangeEntriesAreNettedIn_data()
{
    QTest::addColumn<QString>("schedule");
    QTest::addColumn<QString>("extraCharge");
    QTest::addColumn<QString>("discount");
    // Words: 100 less debits 30; discount 50.4 taken whole (50) less credits 20.
    QTest::newRow("word-priced") << u"KOC0001001"_s << u"70"_s << u"30"_s;
    // Area: no entries; the discount of 40 is set against the extra charge when it covers it.
    QTest::newRow("area-covered") << u"KOC0001002"_s << u"60"_s << u"40"_s;
    QTest::newRow("area-not-covered") << u"KOC0001003"_s << u"10"_s << u"40"_s;
}

void tst_BillGenerator::exchangeEntriesAreNettedIn()
{
    QFETCH(QString, schedule);
    QFETCH(QString, extraCharge);
    QFETCH(QString, discount);
    BillFilter filter = dates(u"2026-03-01"_s);  // the dates filter nothing in exchange runs
    filter.exchange = true;
    filter.billFrom = schedule;
    filter.billTo = u"ignored"_s;
    const BillRun run = generate(filter);
    QCOMPARE(run.currentRow, 5);
    QCOMPARE(cell(5, BillColumn::BillNo), schedule);
    QCOMPARE(cell(5, BillColumn::BillDate), u"10-Jan-2026"_s);
    QCOMPARE(cell(5, BillColumn::ExtraCharge), extraCharge);
    QCOMPARE(cell(5, BillColumn::Discount), discount);
    for (BillColumn empty : {BillColumn::BillFlag, BillColumn::CommPer, BillColumn::HeightCm, BillColumn::MechData,
                             BillColumn::AgencyGst, BillColumn::SvGstin, BillColumn::BpType})
        QCOMPARE(cell(5, empty), QString());
    QCOMPARE(cell(5, BillColumn::AgentName), u"Alpha Ads"_s);
}

void tst_BillGenerator::lookUpsRunForManyBillsAtOnce()
{
    // Twenty bills: the companies and the main query, then one statement each for the agencies,
    // the clients and the pages of all twenty.
    const qint64 before = m_db.statementCount();
    QCOMPARE(generate(dates(u"2026-02-01"_s, u"2026-02-20"_s)).currentRow, 24);
    QCOMPARE(m_db.statementCount() - before, 2 + 3);
    QCOMPARE(column(BillColumn::AgentName), QStringList(20, u"Alpha Ads"_s));
    QCOMPARE(column(BillColumn::SubName), QStringList(20, u"Ernakulam"_s));
}

void tst_BillGenerator::eachBillLooksUpWhatItFindsInARunOfItsOwn_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<bool>("exchange");
    QTest::newRow("gst") << false << false;
    QTest::newRow("split") << true << false;
    QTest::newRow("exchange") << false << true;
}

void tst_BillGenerator::eachBillLooksUpWhatItFindsInARunOfItsOwn()
{
    QFETCH(bool, split);
    QFETCH(bool, exchange);
    // Every January case: agencies shared by many bills, a sub-area missing, clients with and
    // without a master row, schedules with and without pages or exchange entries, codes with quotes.
    BillFilter filter = dates(u"2026-01-01"_s, u"2026-01-31"_s);
    filter.split = split;
    filter.splitClient = u"Split Client"_s;
    filter.splitAdd1 = u"Split Road"_s;
    filter.splitTotal = u"100"_s;
    filter.exchange = exchange;
    const BillRun whole = generate(filter);
    QVERIFY(whole.currentRow > 10);
    const QList<BillColumn> lookedUp = {BillColumn::AgentName,     BillColumn::AgentAddress1, BillColumn::AgentAddress2,
                                        BillColumn::AgentAddress3, BillColumn::SubName,       BillColumn::BillColumns,
                                        BillColumn::AgencyGst,     BillColumn::AgencyPan,     BillColumn::Page,
                                        BillColumn::ExtraCharge,   BillColumn::Discount};
    QList<QStringList> inTheRun;
    QStringList keys;
    for (int row = FirstBillRow; row <= whole.currentRow; ++row) {
        QStringList texts;
        for (const BillColumn column : lookedUp)
            texts.append(cell(row, column));
        inTheRun.append(texts);
        // Exchange runs list by schedule number, the others by bill number.
        keys.append(cell(row, exchange ? BillColumn::ScheduleNo : BillColumn::BillNo));
    }
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::BillGenerationCompleted});

    // The look-ups of a run are keyed by the run's own schedules: a bill alone in its run finds the same.
    for (qsizetype i = 0; i < keys.size(); ++i) {
        init();
        BillFilter alone = filter;
        alone.billFrom = keys.at(i);
        alone.billTo = exchange ? QString() : keys.at(i);
        const qint64 before = m_db.statementCount();
        QCOMPARE(generate(alone).currentRow, FirstBillRow);
        QCOMPARE(m_db.statementCount() - before, split ? 1 + 2 : (exchange ? 1 + 3 : 2 + 3));
        QStringList texts;
        for (const BillColumn column : lookedUp)
            texts.append(cell(FirstBillRow, column));
        QVERIFY2(texts == inTheRun.at(i), qPrintable(keys.at(i)));
    }
}

void tst_BillGenerator::clientWithoutMasterRowKeepsTheAgencyIdentity()
{
    generate(dates(u"2026-01-14"_s));
    QCOMPARE(column(BillColumn::AgencyGst), (QStringList{u"32AGGSTIN0001"_s, u"32CLGSTIN0001"_s}));
    QCOMPARE(column(BillColumn::AgencyPan), (QStringList{u"AGPAN0001A"_s, u"AGPAN0001A"_s}));
    // A schedule without insertion details has no pages.
    QCOMPARE(column(BillColumn::Page), (QStringList{QString(), QString()}));
}

void tst_BillGenerator::failingLookUpEndsTheRun()
{
    generate(dates(u"2026-02-01"_s, u"2026-02-20"_s));
    m_dialogs.shown.clear();
    TestDb::run(u"RENAME TABLE selvoro.advt_scheduledetails TO selvoro.advt_scheduledetails_away;"_s);
    BillGenerator generator(m_db, m_dialogs, *m_sheet, m_bills);
    QVERIFY_THROWS_EXCEPTION(DbError, generator.generate(dates(u"2026-02-01"_s, u"2026-02-20"_s)));
    TestDb::run(u"RENAME TABLE selvoro.advt_scheduledetails_away TO selvoro.advt_scheduledetails;"_s);
    // The grid was cleared for the run and no bill was written: the first look-up failed.
    QCOMPARE(m_sheet->lastUsedRow(), HeaderRow);
    QCOMPARE(m_dialogs.texts(), QStringList());
}

QTEST_GUILESS_MAIN(tst_BillGenerator)
#include "tst_billgenerator.moc"
