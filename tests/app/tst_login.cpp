#include "app/login.h"
#include "common/db.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "memorysettings.h"
#include "recordingdialogs.h"
#include "testdb.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

int locksOf(Db &db, int userId)
{
    return db.firstValue(u"Select count(*) from advt_lockmaster where user_id="_s + QString::number(userId)).toInt();
}

}  // namespace

class tst_Login : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void refusalsShowTheirMessage_data();
    void refusalsShowTheirMessage();
    void ordinaryUserLogsInWithTrimmedNameAndPassword();
    void firstUserIsReleasedBeforeThePermissionCheck();
    void firstUserIsNeverAnAdministrator();
    void deniedOrdinaryUserChangesNothing();

private:
    Db m_db;
    RecordingDialogs m_dialogs;
    MemorySettings m_settings;
    SharedState m_state;
};

void tst_Login::initTestCase() { REQUIRE_TEST_DB(); }

void tst_Login::init()
{
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
    TestDb::open(m_db);
    m_dialogs = RecordingDialogs();
    m_settings = MemorySettings();
    m_state = SharedState();
}

void tst_Login::refusalsShowTheirMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<LoginOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Dialogs::Icon>("icon");
    const auto info = Dialogs::Icon::Information;
    const auto critical = Dialogs::Icon::Critical;
    QTest::newRow("unknown-name") << u"nobody"_s << u"x"_s << LoginOutcome::InvalidUserName << Msg::InvalidUserName
                                  << info;
    QTest::newRow("quote-in-name-is-just-unknown")
        << u"x' or '1'='1"_s << u"x"_s << LoginOutcome::InvalidUserName << Msg::InvalidUserName << info;
    QTest::newRow("first-user-wrong-password")
        << u"first"_s << u"Secret"_s << LoginOutcome::InvalidFirstUserPassword << Msg::InvalidPassword << info;
    QTest::newRow("ordinary-wrong-password")
        << u"clerk"_s << u"pass"_s << LoginOutcome::InvalidPassword << Msg::InvalidPassword << critical;
    QTest::newRow("refused-for-this-program")
        << u"outsider"_s << u"pass4"_s << LoginOutcome::Denied << Msg::LoginDenied << critical;
    QTest::newRow("null-password-matches-nothing")
        << u"nopass"_s << QString() << LoginOutcome::InvalidPassword << Msg::InvalidPassword << critical;
    QTest::newRow("null-login-flag-denies")
        << u"noflag"_s << u"pass6"_s << LoginOutcome::Denied << Msg::LoginDenied << critical;
}

void tst_Login::refusalsShowTheirMessage()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(LoginOutcome, outcome);
    QFETCH(QString, message);
    QFETCH(Dialogs::Icon, icon);
    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, name, password), outcome);
    QCOMPARE(m_dialogs.texts(), QStringList{message});
    QCOMPARE(m_dialogs.shown.first().icon, icon);
    QVERIFY(m_state.CurrentUserName.isEmpty());
}

void tst_Login::ordinaryUserLogsInWithTrimmedNameAndPassword()
{
    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, u"  boss "_s, u" pass3  "_s), LoginOutcome::Success);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_settings.lastUser(), u"  boss "_s);  // remembered as typed
    QCOMPARE(m_state.CurrentUserName, u"  boss "_s);
    QCOMPARE(m_state.CurrentUserId, u"3"_s);
    QVERIFY(m_state.IsAdminUser);

    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, u"O'Brien"_s, u"pass7"_s), LoginOutcome::Success);
    QCOMPARE(m_state.CurrentUserId, u"7"_s);
    QVERIFY(!m_state.IsAdminUser);
}

void tst_Login::firstUserIsReleasedBeforeThePermissionCheck()
{
    TestDb::run(u"UPDATE selvoro.userdetails SET user_login_advt=0 WHERE user_id=1;"_s);
    QCOMPARE(locksOf(m_db, 1), 1);
    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, u"first "_s, u"secret"_s), LoginOutcome::Denied);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::LoginDenied});
    QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(m_settings.lastUser(), u"first "_s);
    QCOMPARE(m_state.CurrentUserId, u"1"_s);
    QCOMPARE(locksOf(m_db, 1), 0);
    QCOMPARE(locksOf(m_db, 2), 2);
}

void tst_Login::firstUserIsNeverAnAdministrator()
{
    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, u"first"_s, u"secret"_s), LoginOutcome::Success);
    QVERIFY(!m_state.IsAdminUser);  // user_type 1 in the fixture
    QCOMPARE(locksOf(m_db, 1), 0);
}

void tst_Login::deniedOrdinaryUserChangesNothing()
{
    QCOMPARE(checkLogin(m_db, m_dialogs, m_settings, m_state, u"outsider"_s, u"pass4"_s), LoginOutcome::Denied);
    QCOMPARE(m_settings.writes, 0);
    QCOMPARE(locksOf(m_db, 4), 1);
    QVERIFY(m_state.CurrentUserId.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Login)
#include "tst_login.moc"
