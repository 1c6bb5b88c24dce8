// A server that stops answering in the middle of the work: the statement fails after the
// deployment's statement time-out instead of holding the program for ever.
#include "common/db.h"
#include "common/deployment.h"
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
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
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

    Deployment deployment = TestDb::deployment();
    deployment.statementTimeout = 2;
    Db db;
    db.open(deployment.connectionString(u"127.0.0.1"_s), deployment.connectTimeout);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(DbError, db.query(statement));
    QVERIFY2(clock.elapsed() >= 1500 && clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    holder.exec(u"Unlock Tables"_s);
}

QTEST_GUILESS_MAIN(tst_DbTimeouts)
#include "tst_dbtimeouts.moc"
