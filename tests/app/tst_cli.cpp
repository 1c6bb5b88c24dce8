#include "common/messages.h"
#include "testdb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Cli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void checkPrintsTheCurrentUnit_data();
    void checkPrintsTheCurrentUnit();
    void failuresEndWithTheirExitStatus_data();
    void failuresEndWithTheirExitStatus();
    void outdatedVersionEndsWithStatusFive();

private:
    struct Run
    {
        int status;
        QString out;
        QString err;
    };
    Run run(const QStringList &args, const QString &password);
    QTemporaryDir m_home;
};

void tst_Cli::initTestCase()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
}

tst_Cli::Run tst_Cli::run(const QStringList &args, const QString &password)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"SELVORO_PASSWORD"_s, password);
    env.insert(u"XDG_CONFIG_HOME"_s, m_home.path());  // no settings of the person running the tests
    env.insert(u"SELVORO_DEPLOYMENT"_s, m_home.filePath(u"none.ini"_s));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(SELVORO_CLI), args);
    cli.closeWriteChannel();
    cli.waitForFinished(60000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

void tst_Cli::checkPrintsTheCurrentUnit_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("expected");
    QTest::newRow("workstation-unit") << QStringList() << u"001\tChennai\n"_s;
    QTest::newRow("chosen-unit") << QStringList{u"--unit"_s, u"002"_s} << u"002\tMadurai\n"_s;
}

void tst_Cli::checkPrintsTheCurrentUnit()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, expected);
    const QString port = QString::number(TestDb::deployment().port);
    const Run result = run(QStringList{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port, u"--user"_s,
                                       u"clerk"_s} + extra, u"pass2"_s);
    QCOMPARE(result.err, u"message: Local Host\n"_s);
    QCOMPARE(result.out, expected);
    QCOMPARE(result.status, 0);
}

void tst_Cli::failuresEndWithTheirExitStatus_data()
{
    const QString port = QString::number(TestDb::deployment().port);
    const QStringList server{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port};
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastMessage");
    QTest::newRow("no-command") << QStringList() << QString() << 2 << QString();
    QTest::newRow("unknown-command") << QStringList{u"print"_s} << QString() << 2 << QString();
    QTest::newRow("no-user") << server << QString() << 2 << QString();
    QTest::newRow("unknown-unit") << server + QStringList{u"--user"_s, u"clerk"_s, u"--unit"_s, u"99"_s} << u"pass2"_s
                                  << 2 << QString();
    QTest::newRow("closed-port") << QStringList{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, u"1"_s,
                                                u"--user"_s, u"clerk"_s}
                                 << u"pass2"_s << 3 << u"message: "_s + Msg::ConnectFailed;
    QTest::newRow("wrong-password") << server + QStringList{u"--user"_s, u"clerk"_s} << u"nope"_s << 4
                                    << u"message: "_s + Msg::InvalidPassword;
    QTest::newRow("refused-user") << server + QStringList{u"--user"_s, u"outsider"_s} << u"pass4"_s << 4
                                  << u"message: "_s + Msg::LoginDenied;
}

void tst_Cli::failuresEndWithTheirExitStatus()
{
    QFETCH(QStringList, args);
    QFETCH(QString, password);
    QFETCH(int, status);
    QFETCH(QString, lastMessage);
    const Run result = run(args, password);
    QCOMPARE(result.status, status);
    QVERIFY(result.out.isEmpty());
    if (!lastMessage.isEmpty())
        QCOMPARE(result.err.split(u'\n', Qt::SkipEmptyParts).last(), lastMessage);
}

void tst_Cli::outdatedVersionEndsWithStatusFive()
{
    TestDb::run(u"UPDATE selvoro.versionmaster SET version_code='V15.0' WHERE pack_code='advt';"_s);
    const QString port = QString::number(TestDb::deployment().port);
    const Run result = run({u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port, u"--user"_s, u"clerk"_s},
                           u"pass2"_s);
    TestDb::run(u"UPDATE selvoro.versionmaster SET version_code='V14.6' WHERE pack_code='advt';"_s);
    QCOMPARE(result.status, 5);
    QVERIFY(result.err.contains(u"message: Advertisement Software Updated   Latest Update is available at '"_s));
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
