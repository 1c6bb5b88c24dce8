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

QTEST_GUILESS_MAIN(tst_Deployment)
#include "tst_deployment.moc"
