// Values reach the server as typed whatever its sql_mode: here the server treats a backslash in a
// string literal as an ordinary character (NO_BACKSLASH_ESCAPES), so any escaping of our own would
// end up stored or compared as part of the value.
#include "app/login.h"
#include "app/units.h"
#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/db.h"
#include "common/sharedstate.h"
#include "davp/davpcolumns.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "gridtexts.h"
#include "masters/spliteditionstore.h"
#include "memorysettings.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_SqlValues : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void valuesComeBackAsTyped_data();
    void valuesComeBackAsTyped();
    void splitEditionKeepsItsBackslashes();
    void loginAndUnitsFindNamesWithBackslashes();
    void billFiltersWithBackslashesMatch();
    void davpFiltersWithBackslashesMatch();

private:
    Db m_db;
    RecordingDialogs m_dialogs;
};

// The functions read and write rows of their own, so one load serves them all.
void tst_SqlValues::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/common/sqlvalues.sql"_s)});
    TestDb::run(u"SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES');"_s);
    TestDb::open(m_db);
    QVERIFY(m_db.firstValue(u"Select @@SESSION.sql_mode"_s).contains(u"NO_BACKSLASH_ESCAPES"_s));
}

void tst_SqlValues::init() { m_dialogs = RecordingDialogs(); }

void tst_SqlValues::cleanupTestCase()
{
    m_db.close();
    if (TestDb::available())
        TestDb::run(u"SET GLOBAL sql_mode = DEFAULT;"_s);
}

void tst_SqlValues::valuesComeBackAsTyped_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("backslash") << u"NBE a\\b"_s;
    QTest::newRow("trailing-backslash") << u"a\\"_s;
    QTest::newRow("escaped-quote") << u"\\' or 1=1 -- "_s;
    QTest::newRow("quotes") << u"O'Neil \"x\""_s;
    QTest::newRow("question-mark") << u"?"_s;
    QTest::newRow("line-break") << u"a\r\nb\tc"_s;
    QTest::newRow("non-ascii") << u"Kozhikode ₹ ക"_s;
}

void tst_SqlValues::valuesComeBackAsTyped()
{
    QFETCH(QString, value);
    QCOMPARE(m_db.firstValue(u"Select ?"_s, {value}), value);
    QCOMPARE(m_db.firstValue(u"Select concat(?, '|', ?)"_s, {value, u"x"_s}), value + u"|x"_s);
}

void tst_SqlValues::splitEditionKeepsItsBackslashes()
{
    SplitEditionStore store(m_db);
    const SplitEditionEntry entry{
        u"K\\1"_s, u"SP0007"_s, u"NBE a\\b"_s, u"E\\1"_s, u"1"_s, QDateTime::currentDateTime(), u"SP0007"_s};
    QCOMPARE(store.insert(entry), SplitEditionSave::Saved);
    QCOMPARE(m_db.firstValue(u"Select concat_ws('|', unit_code, split_name, edition_code) from advt_splitedition"_s),
             u"K\\1|NBE a\\b|E\\1"_s);
    QVERIFY(store.nameTaken(u" NBE a\\b "_s));
    QCOMPARE(store.list().size(), 1);
    QCOMPARE(store.insert(entry), SplitEditionSave::DuplicateName);

    SplitEditionEntry renamed = entry;
    renamed.name = u"c\\d"_s;
    QCOMPARE(store.update(u"NBE a\\b"_s, renamed), SplitEditionSave::Saved);
    QCOMPARE(m_db.firstValue(u"Select split_name from advt_splitedition"_s), u"c\\d"_s);
    store.remove(u"c\\d"_s);
    QCOMPARE(m_db.firstValue(u"Select count(*) from advt_splitedition"_s), u"0"_s);
}

void tst_SqlValues::loginAndUnitsFindNamesWithBackslashes()
{
    MemorySettings settings;
    SharedState state;
    QCOMPARE(checkLogin(m_db, m_dialogs, settings, state, u"a\\b"_s, u"p\\w'"_s), LoginOutcome::Success);
    QCOMPARE(state.CurrentUserId, u"2"_s);
    const QList<Unit> units = permittedUnits(m_db, state.CurrentUserId);
    QCOMPARE(units.size(), 1);
    QCOMPARE(units.first().code, u"K\\1"_s);
    QCOMPARE(units.first().name, u"Back\\slash"_s);
}

void tst_SqlValues::billFiltersWithBackslashesMatch()
{
    Sheet sheet;
    SetUpBillGrid(sheet, u"Daily"_s, u"Back\\slash"_s);
    BillRows bills;
    BillGenerator generator(m_db, m_dialogs, sheet, bills);
    BillFilter filter = billDates(u"K\\1"_s, u"2026-03-02"_s);
    filter.product = u"D\\L"_s;
    QCOMPARE(generator.generate(filter).outcome, BillRun::Outcome::Completed);
    QCOMPARE(billColumn(sheet, col(BillColumn::BillNo)), (QStringList{u"KB\\1"_s, u"KB\\3"_s}));

    filter.product.clear();
    filter.billFrom = u"KB\\2"_s;
    filter.billTo = u"KB\\2"_s;
    QCOMPARE(generator.generate(filter).outcome, BillRun::Outcome::Completed);
    QCOMPARE(billColumn(sheet, col(BillColumn::BillNo)), QStringList{u"KB\\2"_s});

    filter.singleSchedule = true;
    filter.billFrom = filter.billTo = u"K\\100001"_s;
    QCOMPARE(generator.generate(filter).outcome, BillRun::Outcome::Completed);
    QCOMPARE(billColumn(sheet, col(BillColumn::BillNo)), QStringList{u"KB\\1"_s});
}

void tst_SqlValues::davpFiltersWithBackslashesMatch()
{
    Sheet sheet;
    SetUpDavpGrid(sheet, {});
    DavpGenerator generator(m_db, m_dialogs, sheet);
    BillFilter filter = billDates(u"K\\1"_s, u"2026-03-02"_s);
    filter.product = u"D\\L"_s;
    QCOMPARE(generator.GenerateDavpBills(filter).outcome, BillRun::Outcome::Completed);
    QCOMPARE(billColumn(sheet, col(DavpColumn::BillNo)), QStringList{u"KB\\3"_s});
    filter.product.clear();
    filter.billFrom = u"KB\\4"_s;
    QCOMPARE(generator.GenerateDavpBills(filter).outcome, BillRun::Outcome::Completed);
    QCOMPARE(billColumn(sheet, col(DavpColumn::BillNo)), QStringList{u"KB\\4"_s});
}

QTEST_GUILESS_MAIN(tst_SqlValues)
#include "tst_sqlvalues.moc"
