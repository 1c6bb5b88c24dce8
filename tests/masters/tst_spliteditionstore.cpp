#include "common/db.h"
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
    void updateRenamesAndStampsTheChange();
    void updateRefusesAnotherEditionsName();
    void updateOfAVanishedEditionStoresNothing();
    void removeDeletesOnlyThatEdition();

private:
    SplitEditionEntry entry(const QString &code, const QString &name, const QString &edition) const;
    QString value(const QString &sql) { return m_db.firstValue(sql); }
    QString series() { return value(u"Select no_value from numbersetup Where no_id='ADVT_SPLIT'"_s); }

    Db m_db;
};

void tst_SplitEditionStore::init()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
    TestDb::reset({TestDb::file(u"tests/masters/splitedition.sql"_s)});
    TestDb::open(m_db);
}

SplitEditionEntry tst_SplitEditionStore::entry(const QString &code, const QString &name, const QString &edition) const
{
    return {u"01"_s, code, name, edition, u"1"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
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

QTEST_GUILESS_MAIN(tst_SplitEditionStore)
#include "tst_spliteditionstore.moc"
