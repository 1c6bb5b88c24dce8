#include "app/startup.h"
#include "common/db.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "flakylink.h"
#include "recordingdialogs.h"
#include "silentserver.h"
#include "testdb.h"

#include <QElapsedTimer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void loopbackShowsLocalHostAndFillsTheState();
    void unreachableServerFailsToConnect_data();
    void unreachableServerFailsToConnect();
    void silentServerFailsToConnectInTime();
    void refusedOrResetConnectionIsTriedAgain_data();
    void refusedOrResetConnectionIsTriedAgain();
    void brokenDatabaseIsAnInvalidConfiguration_data();
    void brokenDatabaseIsAnInvalidConfiguration();
    void outdatedVersionOffersTheUpdate_data();
    void outdatedVersionOffersTheUpdate();
    void missingVersionRowSkipsTheCheck();
    void updatePageDependsOnTheServer_data();
    void updatePageDependsOnTheServer();
};

namespace {

const QString Loopback = u"127.0.0.1"_s;

// A privileged loopback port on which no server of ours listens.
constexpr int ClosedPort = 1;

}  // namespace

void tst_Startup::init()
{
    if (QByteArray(QTest::currentTestFunction()) == "updatePageDependsOnTheServer")
        return;
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
}

void tst_Startup::loopbackShowsLocalHostAndFillsTheState()
{
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, TestDb::deployment(), Loopback, state);
    QCOMPARE(result.outcome, StartupResult::Outcome::Ready);
    QCOMPARE(dialogs.texts(), QStringList{Msg::LocalHost});
    QCOMPARE(dialogs.shown.first().icon, Dialogs::Icon::None);
    QVERIFY(state.ConnectionOpened);
    QCOMPARE(state.AccountsDbName, u"selvoro_acc2026"_s);
    QCOMPARE(state.AppVersion, u"V14.6"_s);
    QCOMPARE(state.DefaultProductCode, u"DLY"_s);
    QCOMPARE(state.CurrentUnitCode, u"001"_s);
    QCOMPARE(state.CurrentUnitName, u"Chennai"_s);
    QVERIFY(db.isOpen());
    // Accounts database, version and default unit come in one exchange with the server.
    QCOMPARE(db.statementCount(), 1);
}

void tst_Startup::unreachableServerFailsToConnect_data()
{
    QTest::addColumn<bool>("wrongPassword");
    QTest::newRow("closed-port") << false;
    QTest::newRow("wrong-password") << true;
}

void tst_Startup::unreachableServerFailsToConnect()
{
    QFETCH(bool, wrongPassword);
    Deployment deployment = TestDb::deployment();
    if (wrongPassword)
        deployment.loopbackPassword = u"6310"_s;
    else
        deployment.port = ClosedPort;
    deployment.connectRetrySeconds = 1;
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, deployment, Loopback, state);
    QCOMPARE(result.outcome, StartupResult::Outcome::ConnectFailed);
    QCOMPARE(dialogs.texts(), QStringList{Msg::ConnectFailed});
    QVERIFY(!state.ConnectionOpened);
    QVERIFY(!db.isOpen());
}

// A server that takes the connection and never answers: start-up gives up after the connection
// time-out with the usual message instead of hanging, and does not try again.
void tst_Startup::silentServerFailsToConnectInTime()
{
    const SilentServer silent;
    QVERIFY(silent.port() > 0);
    const FlakyLink link(silent.port());
    Deployment deployment = TestDb::deployment();
    deployment.port = link.port();
    deployment.connectTimeout = 2;
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    QElapsedTimer clock;
    clock.start();
    const StartupResult result = runStartup(db, dialogs, deployment, Loopback, state);
    QCOMPARE(result.outcome, StartupResult::Outcome::ConnectFailed);
    QCOMPARE(dialogs.texts(), QStringList{Msg::ConnectFailed});
    QVERIFY(!state.ConnectionOpened);
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(link.connections(), 1);
}

// A server that restarts refuses connections, or resets them, for a moment: start-up tries again
// for the retry time before it says the connection failed.
void tst_Startup::refusedOrResetConnectionIsTriedAgain_data()
{
    QTest::addColumn<int>("refusedMs");
    QTest::addColumn<int>("resets");
    QTest::addColumn<int>("retrySeconds");
    QTest::addColumn<bool>("ready");
    QTest::newRow("refused-for-a-moment") << 300 << 0 << 5 << true;
    QTest::newRow("reset-twice") << 0 << 2 << 5 << true;
    QTest::newRow("no-retry-time") << 0 << 1 << 0 << false;
}

void tst_Startup::refusedOrResetConnectionIsTriedAgain()
{
    QFETCH(int, refusedMs);
    QFETCH(int, resets);
    QFETCH(int, retrySeconds);
    QFETCH(bool, ready);
    FlakyLink link(TestDb::deployment().port, std::chrono::milliseconds(refusedMs));
    link.resetNext(resets);
    Deployment deployment = TestDb::deployment();
    deployment.port = link.port();
    deployment.connectRetrySeconds = retrySeconds;
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, deployment, Loopback, state);
    QCOMPARE(result.outcome, ready ? StartupResult::Outcome::Ready : StartupResult::Outcome::ConnectFailed);
    QCOMPARE(dialogs.texts(), QStringList{ready ? Msg::LocalHost : Msg::ConnectFailed});
    if (resets > 0)
        QCOMPARE(link.connections(), ready ? resets + 1 : resets);
}

void tst_Startup::brokenDatabaseIsAnInvalidConfiguration_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("defaultUnit");
    QTest::newRow("no-fin-year-table") << u"DROP TABLE selvoro.ac_fin_year;"_s << u"001"_s;
    QTest::newRow("no-version-table") << u"DROP TABLE selvoro.versionmaster;"_s << u"001"_s;
    QTest::newRow("unknown-default-unit") << QString() << u"99"_s;
}

void tst_Startup::brokenDatabaseIsAnInvalidConfiguration()
{
    QFETCH(QString, damage);
    QFETCH(QString, defaultUnit);
    if (!damage.isEmpty())
        TestDb::run(damage);
    Deployment deployment = TestDb::deployment();
    deployment.defaultUnitCode = defaultUnit;
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, deployment, Loopback, state);
    QCOMPARE(result.outcome, StartupResult::Outcome::InvalidConfiguration);
    QCOMPARE(dialogs.texts(), (QStringList{Msg::LocalHost, Msg::InvalidConfiguration}));
}

void tst_Startup::outdatedVersionOffersTheUpdate_data()
{
    QTest::addColumn<QString>("version");
    QTest::newRow("newer") << u"V14.7"_s;
    QTest::newRow("letter-case-differs") << u"v14.6"_s;
}

void tst_Startup::outdatedVersionOffersTheUpdate()
{
    QFETCH(QString, version);
    TestDb::run(u"UPDATE selvoro.versionmaster SET version_code='"_s + version + u"' WHERE pack_code='advt';"_s);
    Deployment deployment = TestDb::deployment();
    deployment.vendorWebAddress = u"www.vendor.example"_s;
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, deployment, Loopback, state);
    QCOMPARE(result.outcome, StartupResult::Outcome::Outdated);
    QCOMPARE(result.updateAddress, deployment.inHouseUpdatePage);
    QCOMPARE(dialogs.texts().last(), u"Advertisement Software Updated \r\n\r\nLatest Update is available at "
                                     "'www.vendor.example'."_s);
    QCOMPARE(dialogs.shown.last().icon, Dialogs::Icon::Information);
    QVERIFY(state.CurrentUnitCode.isEmpty());
}

void tst_Startup::missingVersionRowSkipsTheCheck()
{
    TestDb::run(u"DELETE FROM selvoro.versionmaster WHERE pack_code='advt';"_s);
    Db db;
    RecordingDialogs dialogs;
    SharedState state;
    QCOMPARE(runStartup(db, dialogs, TestDb::deployment(), Loopback, state).outcome, StartupResult::Outcome::Ready);
}

void tst_Startup::updatePageDependsOnTheServer_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("inHouse");
    QTest::newRow("loopback") << Loopback << true;
    QTest::newRow("first-in-house") << u"10.0.0.5"_s << true;
    QTest::newRow("second-in-house") << u"10.0.0.6"_s << true;
    QTest::newRow("other") << u"db.example.org"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_Startup::updatePageDependsOnTheServer()
{
    QFETCH(QString, server);
    QFETCH(bool, inHouse);
    Deployment deployment;
    deployment.inHouseServer1 = u"10.0.0.5"_s;
    deployment.inHouseServer2 = u"10.0.0.6"_s;
    QCOMPARE(updateAddress(deployment, server), inHouse ? deployment.inHouseUpdatePage : deployment.vendorWebPage);
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
