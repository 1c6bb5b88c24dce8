// The connection after the server dropped it (a restart, a failover, a network that broke): reads
// go on on a new connection, changes are never repeated half-done, and a commit without answer
// says so.
#include "common/db.h"
#include "common/messages.h"
#include "flakylink.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Reconnect : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readsGoOnOnANewConnection_data();
    void readsGoOnOnANewConnection();
    void transactionCutOffIsNeitherRepeatedNorKept();
    void commitWithoutAnswerLeavesTheOutcomeOpen_data();
    void commitWithoutAnswerLeavesTheOutcomeOpen();
    void changeOutsideATransactionIsNotRepeated();
    void serverGoneForGoodGivesTheConnectionMessage();

private:
    // The test server behind a link that breaks on request.
    void openThroughLink();
    int rowsOfT();

    std::unique_ptr<FlakyLink> m_link;
    Db m_db{u"tst_reconnect"_s};
    Db m_holder{u"tst_reconnect_holder"_s};
};

void tst_Reconnect::init()
{
    REQUIRE_TEST_DB();
    TestDb::reset({u"CREATE TABLE t (id INT PRIMARY KEY);"_s});
    TestDb::open(m_holder);
    openThroughLink();
}

void tst_Reconnect::openThroughLink()
{
    m_link = std::make_unique<FlakyLink>(TestDb::deployment().port);
    Deployment deployment = TestDb::deployment();
    deployment.port = m_link->port();
    deployment.connectRetrySeconds = 1;
    m_db.open(deployment.connectSettings(u"127.0.0.1"_s));
}

int tst_Reconnect::rowsOfT() { return m_holder.firstValue(u"Select count(*) from t"_s).toInt(); }

void tst_Reconnect::readsGoOnOnANewConnection_data()
{
    QTest::addColumn<bool>("serverKills");
    QTest::newRow("session-killed-by-the-server") << true;
    QTest::newRow("link-broken") << false;
}

void tst_Reconnect::readsGoOnOnANewConnection()
{
    QFETCH(bool, serverKills);
    const QString session = m_db.firstValue(u"Select connection_id()"_s);
    ResultSet started = m_db.query(u"Select seq from seq_1_to_3"_s);
    QVERIFY(started.next());
    PreparedQuery lookUp = m_db.prepare(u"Select ? + 1"_s);
    {
        ResultSet looked = lookUp.run({u"1"_s});
        QVERIFY(looked.next());
        QCOMPARE(looked.text(0), u"2"_s);
    }
    if (serverKills)
        m_holder.exec(u"Kill "_s + session);
    else
        m_link->breakAll();

    QVERIFY(m_db.firstValue(u"Select connection_id()"_s) != session);
    QVERIFY(m_db.isOpen());
    // A prepared look-up is prepared again on the new connection.
    ResultSet looked = lookUp.run({u"41"_s});
    QVERIFY(looked.next());
    QCOMPARE(looked.text(0), u"42"_s);
    // Rows the server sent before it went away are still there to read.
    QVERIFY(started.next());
    QCOMPARE(started.text(0), u"2"_s);
    QVERIFY(started.next());
    QVERIFY(!started.next());
}

void tst_Reconnect::transactionCutOffIsNeitherRepeatedNorKept()
{
    try {
        m_db.runTransaction([this] {
            m_db.exec(u"Insert into t values (1)"_s);
            m_link->breakAll();
            m_db.exec(u"Insert into t values (2)"_s);
        });
        QFAIL("the transaction was not cut off");
    } catch (const DbError &error) {
        QVERIFY(error.isConnectionLost());
        QVERIFY(!error.isCommitUnknown());
        QCOMPARE(error.text(), Msg::ConnectFailed);
    }
    QCOMPARE(rowsOfT(), 0);
    // The next change runs on a new connection.
    m_db.runTransaction([this] { m_db.exec(u"Insert into t values (3)"_s); });
    QCOMPARE(rowsOfT(), 1);
}

void tst_Reconnect::commitWithoutAnswerLeavesTheOutcomeOpen_data()
{
    QTest::addColumn<FlakyLink::Cut>("cut");
    QTest::addColumn<int>("stored");
    QTest::newRow("commit-never-reached-the-server") << FlakyLink::Cut::BeforeServer << 0;
    QTest::newRow("answer-lost") << FlakyLink::Cut::BeforeAnswer << 1;
}

void tst_Reconnect::commitWithoutAnswerLeavesTheOutcomeOpen()
{
    QFETCH(FlakyLink::Cut, cut);
    QFETCH(int, stored);
    {
        Transaction transaction = m_db.transaction();
        m_db.exec(u"Insert into t values (1)"_s);
        m_link->breakOn("COMMIT", cut);
        try {
            transaction.commit();
            QFAIL("the commit had an answer");
        } catch (const DbError &error) {
            QVERIFY(error.isCommitUnknown());
            QCOMPARE(error.text(), Msg::ConnectFailed);
        }
    }
    QCOMPARE(rowsOfT(), stored);
    QCOMPARE(m_db.firstValue(u"Select count(*) from t"_s).toInt(), stored);
}

void tst_Reconnect::changeOutsideATransactionIsNotRepeated()
{
    m_link->breakOn("Insert into t", FlakyLink::Cut::BeforeServer);
    QVERIFY_THROWS_EXCEPTION(DbError, m_db.exec(u"Insert into t values (1)"_s));
    // Run again, it would have been stored now.
    QCOMPARE(rowsOfT(), 0);
    m_db.exec(u"Insert into t values (2)"_s);
    QCOMPARE(rowsOfT(), 1);
}

void tst_Reconnect::serverGoneForGoodGivesTheConnectionMessage()
{
    // The server is not there any more and does not come back within the second of retries.
    m_link.reset();
    try {
        m_db.query(u"Select 1"_s);
        QFAIL("the query had an answer");
    } catch (const DbError &error) {
        QVERIFY(error.isConnectionLost());
        QCOMPARE(error.text(), Msg::ConnectFailed);
    }
    QVERIFY(!m_db.isOpen());
}

QTEST_GUILESS_MAIN(tst_Reconnect)
#include "tst_reconnect.moc"
