#include "common/deployment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Deployment : public QObject
{
    Q_OBJECT
private slots:
    void addressLinesKeepTheirCommas();
    void fileIsLookedForInOrder_data();
    void fileIsLookedForInOrder();
    void installedDeskWritesToAFolderOfTheUser();
    void namedApplicationFolderHoldsTheSpooler();
    void timeOutsReachTheConnector();
    void connectionStringsBraceValuesThatWouldAddKeys_data();
    void connectionStringsBraceValuesThatWouldAddKeys();
    void badValuesAreNamedWithTheirKey_data();
    void badValuesAreNamedWithTheirKey();
    void unreadableOrUnparsableFileIsReported();

private:
    static void write(const QString &path, const QByteArray &content);
};

void tst_Deployment::write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_Deployment::addressLinesKeepTheirCommas()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"selvoro.ini"_s);
    write(path, "[Publisher]\nAddress=Press House, M.G. Road, Kochi 682011\n"
                "PhoneFax=\"Phone 0484 2222222, Fax 0484 2333333\"\n[Workstation]\nDefaultUnit=001\n");
    const Deployment deployment = Deployment::load({path, false});
    QCOMPARE(deployment.publisherAddress, u"Press House, M.G. Road, Kochi 682011"_s);
    QCOMPARE(deployment.publisherPhoneFax, u"Phone 0484 2222222, Fax 0484 2333333"_s);
    QCOMPARE(deployment.defaultUnitCode, u"001"_s);
}

void tst_Deployment::fileIsLookedForInOrder_data()
{
    QTest::addColumn<bool>("environment");
    QTest::addColumn<bool>("beside");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("perUser");
    QTest::newRow("environment-first") << true << true << u"env.ini"_s << false;
    // Named but missing: the defaults, not a file further down the order.
    QTest::newRow("environment-missing-file") << true << false << u"env.ini"_s << false;
    QTest::newRow("beside-the-program") << false << true << u"bin/selvoro.ini"_s << false;
    QTest::newRow("system-wide") << false << false << u"etc/selvoro.ini"_s << true;
}

void tst_Deployment::fileIsLookedForInOrder()
{
    QFETCH(bool, environment);
    QFETCH(bool, beside);
    QFETCH(QString, expected);
    QFETCH(bool, perUser);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"bin"_s));
    QVERIFY(QDir(dir.path()).mkpath(u"etc"_s));
    write(dir.filePath(u"etc/selvoro.ini"_s), "[Workstation]\nDefaultUnit=system\n");
    if (beside)
        write(dir.filePath(u"bin/selvoro.ini"_s), "[Workstation]\nDefaultUnit=beside\n");
    const Deployment::Location location =
        Deployment::locate(environment ? dir.filePath(u"env.ini"_s) : QString(), dir.filePath(u"bin"_s),
                           dir.filePath(u"etc/selvoro.ini"_s));
    QCOMPARE(location.path, dir.filePath(expected));
    QCOMPARE(location.perUserFolder, perUser);
}

void tst_Deployment::installedDeskWritesToAFolderOfTheUser()
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QString system = home.filePath(u"selvoro.ini"_s);
    write(system, "[Spooler]\n;Mode=pdf\n");
    const Deployment installed = Deployment::load({system, true});
    const QString folder = home.filePath(u"Selvoro"_s);
    QCOMPARE(installed.applicationFolder(), folder);
    QVERIFY(QFileInfo(folder).isDir());
    // The programs stay where they were installed.
    QCOMPARE(installed.spoolerProgram(), QCoreApplication::applicationDirPath() + u"/inetspooler"_s);

    write(system, "[Paths]\nAppFolder=/srv/desk\n");
    QCOMPARE(Deployment::load({system, true}).applicationFolder(), u"/srv/desk"_s);
    QCOMPARE(Deployment::load({home.filePath(u"none.ini"_s), false}).applicationFolder(),
             QCoreApplication::applicationDirPath());
}

void tst_Deployment::namedApplicationFolderHoldsTheSpooler()
{
    Deployment deployment;
    deployment.appFolder = u"/srv/desk"_s;
    QCOMPARE(deployment.spoolerProgram(), u"/srv/desk/inetspooler"_s);
}

void tst_Deployment::timeOutsReachTheConnector()
{
    Deployment deployment;
    QVERIFY(deployment.connectionString(u"10.0.0.5"_s)
                .endsWith(u";OPTION=3;Database=selvoro;CONN_TIMEOUT=120;READ_TIMEOUT=300;WRITE_TIMEOUT=300"_s));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"selvoro.ini"_s);
    write(path, "[Database]\nPort=3307\nConnectTimeout=30\nStatementTimeout=0\n");
    deployment = Deployment::load({path, false});
    // No statement limit: the connector waits as long as the server takes.
    QVERIFY(deployment.connectionString(u"127.0.0.1"_s)
                .endsWith(u"';OPTION=3;Database=selvoro;PORT=3307;CONN_TIMEOUT=30"_s));
}

void tst_Deployment::connectionStringsBraceValuesThatWouldAddKeys_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expected");
    const QString tail = u";OPTION=3;Database=selvoro;CONN_TIMEOUT=120;READ_TIMEOUT=300;WRITE_TIMEOUT=300"_s;
    // Ordinary values: the two strings exactly as the desk has always sent them.
    QTest::newRow("remote")
        << u"10.1.1.20"_s << u"quorvanix"_s << u"greenmeadows"_s
        << u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=10.1.1.20; USER=quorvanix;PASSWORD=greenmeadows"_s + tail;
    QTest::newRow("loopback") << u"127.0.0.1"_s << QString() << u"6309"_s
                              << u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=127.0.0.1; USER=root;PASSWORD='6309'"_s
                                     + tail;
    QTest::newRow("server-adding-a-statement")
        << u"127.0.0.2;INITSTMT=insert into t values (1)"_s << u"quorvanix"_s << u"greenmeadows"_s
        << u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={127.0.0.2;INITSTMT=insert into t values (1)}; USER=quorvanix;"
           "PASSWORD=greenmeadows"_s
               + tail;
    QTest::newRow("password-with-separators")
        << u"10.1.1.20"_s << u"a{b"_s << u"gr;een}"_s
        << u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=10.1.1.20; USER={a{b};PASSWORD={gr;een}}}"_s + tail;
    QTest::newRow("loopback-password-with-a-semicolon")
        << u"127.0.0.1"_s << QString() << u"63;09"_s
        << u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=127.0.0.1; USER=root;PASSWORD={'63;09'}"_s + tail;
}

void tst_Deployment::connectionStringsBraceValuesThatWouldAddKeys()
{
    QFETCH(QString, server);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, expected);
    Deployment deployment;
    deployment.remoteUser = user;
    deployment.remotePassword = password;
    deployment.loopbackPassword = password;
    QCOMPARE(deployment.connectionString(server), expected);
}

void tst_Deployment::badValuesAreNamedWithTheirKey_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("problem");  // after the file's name, empty when the value is taken
    const QString seconds = u" is not a whole number of seconds from 1 to 86400."_s;
    QTest::newRow("words") << QByteArray("ConnectTimeout=abc") << seconds;
    QTest::newRow("fraction") << QByteArray("ConnectTimeout=3.9") << seconds;
    QTest::newRow("negative") << QByteArray("ConnectTimeout=-1") << seconds;
    QTest::newRow("zero-connect") << QByteArray("ConnectTimeout=0") << seconds;
    QTest::newRow("beyond-int") << QByteArray("ConnectTimeout=99999999999") << seconds;
    QTest::newRow("statement-beyond-a-day") << QByteArray("StatementTimeout=86401")
                                            << u" is not a whole number of seconds from 1 to 86400, or 0 (for ever)."_s;
    QTest::newRow("retry-negative") << QByteArray("ConnectRetrySeconds=-5")
                                    << u" is not a whole number of seconds from 0 to 86400."_s;
    QTest::newRow("port") << QByteArray("Port=33o6") << u" is not a port number from 1 to 65535."_s;
    QTest::newRow("statement-for-ever") << QByteArray("StatementTimeout=0") << QString();
    QTest::newRow("no-retry") << QByteArray("ConnectRetrySeconds=0") << QString();
    QTest::newRow("a-day") << QByteArray("ConnectTimeout=86400") << QString();
    QTest::newRow("empty-is-the-default") << QByteArray("Port=") << QString();
}

void tst_Deployment::badValuesAreNamedWithTheirKey()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"selvoro.ini"_s);
    write(path, "[Database]\n" + line + "\n");
    const Deployment deployment = Deployment::load({path, false});
    const qsizetype equals = line.indexOf('=');
    const QString named = u"Database/"_s + QString::fromUtf8(line.left(equals)) + u" = \""_s
                          + QString::fromUtf8(line.mid(equals + 1)) + u"\" in "_s + path;
    QCOMPARE(deployment.problems, problem.isEmpty() ? QStringList() : QStringList{named + problem});
}

void tst_Deployment::unreadableOrUnparsableFileIsReported()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"folder.ini"_s);
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(Deployment::load({folder, false}).problems,
             QStringList{u"The deployment file "_s + folder + u" cannot be read."_s});
    const QString broken = dir.filePath(u"broken.ini"_s);
    write(broken, "[Database\nPort=3307\n");
    QCOMPARE(Deployment::load({broken, false}).problems,
             QStringList{u"The deployment file "_s + broken
                         + u" cannot be parsed: each line must be a [Section], a Key=Value or a ; comment."_s});
}

QTEST_GUILESS_MAIN(tst_Deployment)
#include "tst_deployment.moc"
