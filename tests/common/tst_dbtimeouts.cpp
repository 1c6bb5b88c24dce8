// A server that stops answering in the middle of the work: the statement fails after the
// deployment's statement time-out instead of holding the program for ever, it is not run again,
// and the next statement opens the connection anew.
#include "common/db.h"
#include "common/deployment.h"
#include "flakylink.h"
#include "testdb.h"

#include <QElapsedTimer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_DbTimeouts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void unansweredStatementFails_data();
    void unansweredStatementFails();
};

void tst_DbTimeouts::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({u"INSERT INTO numbersetup (no_id, no_value) VALUES ('ADVT_SPLIT', 'SP0001');"_s});
}

void tst_DbTimeouts::unansweredStatementFails_data()
{
    QTest::addColumn<QString>("statement");
    // The server is busy past the limit, or waits for a table another session has locked.
    QTest::newRow("slow-answer") << u"Select sleep(20)"_s;
    QTest::newRow("locked-table") << u"Select no_value from numbersetup"_s;
}

void tst_DbTimeouts::unansweredStatementFails()
{
    QFETCH(QString, statement);
    Db holder(u"holder"_s);
    TestDb::open(holder);
    holder.exec(u"Lock Tables numbersetup Write"_s);

    const FlakyLink link(TestDb::deployment().port);
    Deployment deployment = TestDb::deployment();
    deployment.port = link.port();
    deployment.statementTimeout = 2;
    Db db;
    db.open(deployment.connectSettings(u"127.0.0.1"_s));
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(DbError, db.query(statement));
    QVERIFY2(clock.elapsed() >= 1500 && clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(link.connections(), 1);  // run again, it would have needed a new connection
    holder.exec(u"Unlock Tables"_s);
    QCOMPARE(db.firstValue(u"Select no_value from numbersetup"_s), u"SP0001"_s);
    QCOMPARE(link.connections(), 2);
}

QTEST_GUILESS_MAIN(tst_DbTimeouts)
#include "tst_dbtimeouts.moc"
