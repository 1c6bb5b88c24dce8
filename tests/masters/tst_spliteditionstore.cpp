#include "common/db.h"
#include "common/messages.h"
#include "flakylink.h"
#include "masters/spliteditionstore.h"
#include "recordingdialogs.h"
#include "testdb.h"

#include <QTest>

#include <future>
#include <thread>

using namespace Qt::Literals::StringLiterals;

class tst_SplitEditionStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void insertStoresTrimmedRowAndMovesTheSeries();
    void insertKeepsQuotesAndBackslashesAsTyped();
    void insertRefusesANameAnyUnitHas_data();
    void insertRefusesANameAnyUnitHas();
    void nameSavedMeanwhileElsewhereIsADuplicate();
    void concurrentSavesTakeDistinctCodes();
    void aCodeTypedByHandIsKeptAndUnique();
    void aCodeTypedByHandNeverMovesTheSeriesBack();
    void lockWaitsAreRetriedThenReported();
    void updateRenamesAndStampsTheChange();
    void updateRefusesAnotherEditionsName();
    void updateOfAVanishedEditionStoresNothing();
    void removeDeletesOnlyThatEdition();
    void saveWhoseCommitLostItsAnswerLooksForItsRow_data();
    void saveWhoseCommitLostItsAnswerLooksForItsRow();

private:
    SplitEditionEntry entry(const QString &code, const QString &name, const QString &edition) const;
    QString value(const QString &sql) { return m_db.firstValue(sql); }
    QString series() { return value(u"Select no_value from numbersetup Where no_id='ADVT_SPLIT'"_s); }

    Db m_db;
};

void tst_SplitEditionStore::init()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/masters/splitedition.sql"_s)});
    TestDb::open(m_db);
}

SplitEditionEntry tst_SplitEditionStore::entry(const QString &code, const QString &name, const QString &edition) const
{
    return {u"01"_s, code, name, edition, u"1"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)), {}};
}

void tst_SplitEditionStore::insertStoresTrimmedRowAndMovesTheSeries()
{
    SplitEditionStore store(m_db);
    RecordingDialogs dialogs;
    const QString code = store.proposedCode(dialogs);
    QCOMPARE(code, u"SP0007"_s);
    QCOMPARE(store.insert(entry(code, u"  Tambaram  "_s, u" 01 "_s)), SplitEditionSave::Saved);

    QCOMPARE(series(), u"SP0008"_s);
    QCOMPARE(value(u"Select concat_ws('|', unit_code, split_code, split_name, edition_code, created_by, "
                   "created_date, created_time) from advt_splitedition Where split_code='SP0007'"_s),
             u"01|SP0007|Tambaram|01|1|2026-12-08|14:05:09"_s);
    QVERIFY(dialogs.shown.isEmpty());
}

void tst_SplitEditionStore::insertKeepsQuotesAndBackslashesAsTyped()
{
    SplitEditionStore store(m_db);
    const QString name = u"O'Neil \"Special\" \\ Edition'; --"_s;
    QCOMPARE(store.insert(entry(u"SP'07"_s, name, u"0'1"_s)), SplitEditionSave::Saved);
    QCOMPARE(value(u"Select split_name from advt_splitedition Where split_code='SP''07'"_s), name);
    QCOMPARE(value(u"Select edition_code from advt_splitedition Where split_code='SP''07'"_s), u"0'1"_s);
    QCOMPARE(series(), u"SP'08"_s);
    QCOMPARE(store.insert(entry(u"SP0009"_s, name, u"01"_s)), SplitEditionSave::DuplicateName);
}

void tst_SplitEditionStore::insertRefusesANameAnyUnitHas_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("same-unit") << u"North Chennai"_s;
    QTest::newRow("other-unit") << u"Madurai Rural"_s;
    QTest::newRow("blanks-around") << u"  Madurai Rural "_s;
    QTest::newRow("letter-case") << u"NORTH chennai"_s;
    QTest::newRow("edition-not-listed") << u"Orphan"_s;
}

void tst_SplitEditionStore::insertRefusesANameAnyUnitHas()
{
    QFETCH(QString, name);
    SplitEditionStore store(m_db);
    QCOMPARE(store.insert(entry(u"SP0007"_s, name, u"01"_s)), SplitEditionSave::DuplicateName);
    QCOMPARE(value(u"Select count(*) from advt_splitedition"_s), u"4"_s);
    QCOMPARE(series(), u"SP0007"_s);
}

// Another workstation stores the same name after our check and before our insert: the unique key
// holds our insert until theirs commits, refuses it, and the user hears of a duplicate.
void tst_SplitEditionStore::nameSavedMeanwhileElsewhereIsADuplicate()
{
    std::promise<void> rivalInserted;
    std::thread rival([&rivalInserted] {
        Db other(u"rival"_s);
        TestDb::open(other);
        Transaction transaction = other.transaction();
        other.exec(u"Insert into advt_splitedition(unit_code,split_code,split_name,edition_code) "
                   "Values('02','SP0007','Tambaram','02')"_s);
        rivalInserted.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        transaction.commit();
    });
    rivalInserted.get_future().wait();
    SplitEditionStore store(m_db);
    const SplitEditionSave result = store.insert(entry(u"SP0007"_s, u"Tambaram"_s, u"01"_s));
    rival.join();
    QCOMPARE(result, SplitEditionSave::DuplicateName);
    QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_name='Tambaram'"_s), u"1"_s);
    QCOMPARE(value(u"Select unit_code from advt_splitedition Where split_name='Tambaram'"_s), u"02"_s);
    QCOMPARE(series(), u"SP0007"_s);
}

// Workstations that pressed New at the same time were all offered SP0007; saving at once, each
// takes its own code and the series moves on once per row.
void tst_SplitEditionStore::concurrentSavesTakeDistinctCodes()
{
    constexpr int Workstations = 6;
    std::promise<void> go;
    std::shared_future<void> start = go.get_future().share();
    std::vector<std::future<SplitEditionSave>> saves;
    for (int i = 0; i < Workstations; ++i) {
        saves.push_back(std::async(std::launch::async, [this, i, start] {
            Db db(u"workstation%1"_s.arg(i));
            TestDb::open(db);
            SplitEditionStore store(db);
            SplitEditionEntry saved = entry(u"SP0007"_s, u"Concurrent %1"_s.arg(i), u"01"_s);
            saved.proposedCode = saved.code;
            start.wait();
            return store.insert(saved);
        }));
    }
    go.set_value();
    for (auto &save : saves)
        QCOMPARE(save.get(), SplitEditionSave::Saved);
    QCOMPARE(value(u"Select group_concat(split_code order by split_code) from advt_splitedition "
                   "Where split_name like 'Concurrent %'"_s),
             u"SP0007,SP0008,SP0009,SP0010,SP0011,SP0012"_s);
    QCOMPARE(series(), u"SP0013"_s);
}

void tst_SplitEditionStore::aCodeTypedByHandIsKeptAndUnique()
{
    SplitEditionStore store(m_db);
    SplitEditionEntry typed = entry(u"SP0100"_s, u"By Hand"_s, u"01"_s);
    typed.proposedCode = u"SP0007"_s;
    QCOMPARE(store.insert(typed), SplitEditionSave::Saved);
    QCOMPARE(series(), u"SP0101"_s);
    // Another split edition already has the typed code: nothing is stored, the series stays.
    typed.code = u"SP0003"_s;
    typed.name = u"Taken Code"_s;
    QVERIFY_THROWS_EXCEPTION(DbError, store.insert(typed));
    QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_code='SP0003'"_s), u"1"_s);
    QCOMPARE(series(), u"SP0101"_s);
}

// A code typed below the series would send it back to codes already used, and every later save
// would fail on a duplicate code.
void tst_SplitEditionStore::aCodeTypedByHandNeverMovesTheSeriesBack()
{
    SplitEditionStore store(m_db);
    SplitEditionEntry typed = entry(u"SP0000"_s, u"Zero"_s, u"01"_s);
    typed.proposedCode = u"SP0007"_s;
    QCOMPARE(store.insert(typed), SplitEditionSave::Saved);
    QCOMPARE(series(), u"SP0007"_s);
    SplitEditionEntry next = entry(u"SP0007"_s, u"Next"_s, u"01"_s);
    next.proposedCode = next.code;
    QCOMPARE(store.insert(next), SplitEditionSave::Saved);
    QCOMPARE(series(), u"SP0008"_s);
}

// Another session holds the series row. A save that waits too long for it runs again; when the
// row stays held through every attempt, the lock wait is reported and nothing is stored.
void tst_SplitEditionStore::lockWaitsAreRetriedThenReported()
{
    m_db.exec(u"SET SESSION innodb_lock_wait_timeout = 1"_s);
    const auto holdSeries = [](std::promise<void> &held, int milliseconds) {
        Db other(u"holder"_s);
        TestDb::open(other);
        Transaction transaction = other.transaction();
        other.query(u"Select no_value from numbersetup Where no_id='ADVT_SPLIT' For Update"_s);
        held.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        transaction.commit();
    };
    SplitEditionStore store(m_db);
    SplitEditionEntry saved = entry(u"SP0007"_s, u"Patient"_s, u"01"_s);
    saved.proposedCode = saved.code;
    {
        std::promise<void> held;
        std::thread holder(holdSeries, std::ref(held), 1500);
        held.get_future().wait();
        const SplitEditionSave result = store.insert(saved);
        holder.join();
        QCOMPARE(result, SplitEditionSave::Saved);
        QCOMPARE(series(), u"SP0008"_s);
    }
    {
        std::promise<void> held;
        std::thread holder(holdSeries, std::ref(held), 1000 * (Db::LockConflictAttempts + 2));
        held.get_future().wait();
        saved.name = u"Impatient"_s;
        int serverCode = 0;
        try {
            store.insert(saved);
        } catch (const DbError &error) {
            serverCode = error.serverCode();
        }
        holder.join();
        QCOMPARE(serverCode, 1205);
        QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_name='Impatient'"_s), u"0"_s);
        QCOMPARE(series(), u"SP0008"_s);
    }
}

void tst_SplitEditionStore::updateRenamesAndStampsTheChange()
{
    SplitEditionStore store(m_db);
    SplitEditionEntry change = entry(u"ignored"_s, u" North Chennai's East "_s, u"02"_s);
    change.userId = u"1"_s;
    QCOMPARE(store.update(u"North Chennai"_s, change), SplitEditionSave::Saved);
    QCOMPARE(value(u"Select concat_ws('|', split_code, split_name, edition_code, modified_by, modified_date, "
                   "modified_time) from advt_splitedition Where split_code='SP0003'"_s),
             u"SP0003|North Chennai's East|02|1|2026-12-08|14:05:09"_s);
    // Keeping the name (or changing only its letter case) is not a clash with itself.
    QCOMPARE(store.update(u"North Chennai's East"_s, entry({}, u"NORTH CHENNAI'S EAST"_s, u"01"_s)),
             SplitEditionSave::Saved);
    QCOMPARE(value(u"Select split_name from advt_splitedition Where split_code='SP0003'"_s), u"NORTH CHENNAI'S EAST"_s);
}

void tst_SplitEditionStore::updateRefusesAnotherEditionsName()
{
    SplitEditionStore store(m_db);
    QCOMPARE(store.update(u"North Chennai"_s, entry({}, u"madurai rural"_s, u"01"_s)), SplitEditionSave::DuplicateName);
    QCOMPARE(value(u"Select edition_code from advt_splitedition Where split_name='North Chennai'"_s), u"01"_s);
    QVERIFY(value(u"Select modified_date from advt_splitedition Where split_name='North Chennai'"_s).isEmpty());
}

void tst_SplitEditionStore::updateOfAVanishedEditionStoresNothing()
{
    SplitEditionStore store(m_db);
    TestDb::run(u"USE selvoro; Delete from advt_splitedition Where split_name='North Chennai';"_s);
    QCOMPARE(store.update(u"North Chennai"_s, entry({}, u"Renamed"_s, u"01"_s)), SplitEditionSave::Missing);
    QCOMPARE(value(u"Select count(*) from advt_splitedition Where split_name='Renamed'"_s), u"0"_s);
}

void tst_SplitEditionStore::removeDeletesOnlyThatEdition()
{
    SplitEditionStore store(m_db);
    TestDb::run(u"USE selvoro; Insert into advt_splitedition(split_code,split_name,edition_code) "
                "Values('SP0009','It''s New','01');"_s);
    store.remove(u"It's New"_s);
    store.remove(u"Madurai Rural"_s);
    QCOMPARE(value(u"Select group_concat(split_name order by split_name) from advt_splitedition"_s),
             u"North Chennai,Old Town,Orphan"_s);
}

// The connection breaks during the commit of a save (a failover, a server that restarts): the save
// looks for its row on the new connection before it says anything.
void tst_SplitEditionStore::saveWhoseCommitLostItsAnswerLooksForItsRow_data()
{
    QTest::addColumn<FlakyLink::Cut>("cut");
    QTest::addColumn<bool>("stored");
    QTest::newRow("committed-answer-lost") << FlakyLink::Cut::BeforeAnswer << true;
    QTest::newRow("commit-never-arrived") << FlakyLink::Cut::BeforeServer << false;
}

void tst_SplitEditionStore::saveWhoseCommitLostItsAnswerLooksForItsRow()
{
    QFETCH(FlakyLink::Cut, cut);
    QFETCH(bool, stored);
    FlakyLink link(TestDb::deployment().port);
    Deployment deployment = TestDb::deployment();
    deployment.port = link.port();
    Db db(u"through-link"_s);
    db.open(deployment.connectSettings(u"127.0.0.1"_s));
    SplitEditionStore store(db);
    SplitEditionEntry saved = entry(u"SP0007"_s, u"Failover"_s, u"01"_s);
    saved.proposedCode = saved.code;
    link.breakOn("COMMIT", cut);
    if (stored) {
        QCOMPARE(store.insert(saved), SplitEditionSave::Saved);
        QCOMPARE(series(), u"SP0008"_s);
    } else {
        try {
            store.insert(saved);
            QFAIL("the save reported no failure");
        } catch (const DbError &error) {
            QCOMPARE(error.text(), Msg::ConnectFailed);
        }
        QCOMPARE(series(), u"SP0007"_s);
        // Saving again works on the new connection.
        QCOMPARE(store.insert(saved), SplitEditionSave::Saved);
    }
    QCOMPARE(value(u"Select group_concat(split_code) from advt_splitedition Where split_name='Failover'"_s),
             u"SP0007"_s);
}

QTEST_GUILESS_MAIN(tst_SplitEditionStore)
#include "tst_spliteditionstore.moc"
