#include "app/frmlogin.h"
#include "app/frmmain.h"
#include "app/frmswitch.h"
#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "memorysettings.h"
#include "recordingdialogs.h"
#include "testdb.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_AppForms : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void loginMovesWithEnterAndRemembersTheName();
    void loginFocusAfterAWrongPassword_data();
    void loginFocusAfterAWrongPassword();
    void switchGridListsUnitsAndGrowsPastNineRows();
    void switchAsksBeforeChangingTheUnit_data();
    void switchAsksBeforeChangingTheUnit();
    void escapeClosesTheSwitchWithoutChange();
    void changeUnitIsRefusedWhileAWindowIsOpen();
    void noBillFormOpensWhileTheSwitchIsOpen();
    void databaseErrorInLoginIsShownNotFatal();

private:
    Db m_db;
    RecordingDialogs m_dialogs;
    Deployment m_deployment;
    SharedState m_state;
    MemorySettings m_settings;
    AppContext m_context{m_db, m_dialogs, m_deployment, m_state};
};

void tst_AppForms::initTestCase() { REQUIRE_TEST_DB(); }

void tst_AppForms::init()
{
    // User 3 may work for twelve units: more than the grid's first nine rows.
    QString many = u"INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES "_s;
    QString access = u"INSERT INTO unitaccess (unit_code, user_id) VALUES "_s;
    for (int i = 10; i < 20; ++i) {
        many += u"('%1', 'Unit %1', 0, %1)%2"_s.arg(i).arg(i < 19 ? u","_s : u";"_s);
        access += u"('%1', 3)%2"_s.arg(i).arg(i < 19 ? u","_s : u";"_s);
    }
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s), many, access});
    TestDb::open(m_db);
    m_dialogs.shown.clear();
    m_dialogs.answers.clear();
    m_state = SharedState();
    m_state.CurrentUnitCode = u"001"_s;
    m_state.CurrentUnitName = u"Chennai"_s;
}

void tst_AppForms::loginMovesWithEnterAndRemembersTheName()
{
    m_settings.m_lastUser = u"clerk"_s;
    frmLogin login(m_context, m_settings);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    QCOMPARE(login.TxtUserName->text(), u"clerk"_s);
    QVERIFY(login.TxtPassword->text().isEmpty());
    login.TxtUserName->setFocus();
    QCOMPARE(login.TxtUserName->selectedText(), u"clerk"_s);

    QTest::keyClick(login.TxtUserName, Qt::Key_Return);
    QVERIFY(login.TxtPassword->hasFocus());
    QSignalSpy loggedIn(&login, &frmLogin::loggedIn);
    QTest::keyClicks(login.TxtPassword, u"pass2"_s);
    QTest::keyClick(login.TxtPassword, Qt::Key_Return);
    QCOMPARE(loggedIn.count(), 1);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_state.CurrentUserId, u"2"_s);
    QVERIFY(!login.isVisible());
}

void tst_AppForms::loginFocusAfterAWrongPassword_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keptPassword");
    QTest::newRow("first-user-box-emptied") << u"first"_s << QString();
    QTest::newRow("ordinary-text-kept") << u"clerk"_s << u"wrong"_s;
}

void tst_AppForms::loginFocusAfterAWrongPassword()
{
    QFETCH(QString, name);
    QFETCH(QString, keptPassword);
    frmLogin login(m_context, m_settings);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    login.TxtUserName->setText(name);
    login.TxtPassword->setText(u"wrong"_s);
    login.CmOk->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::InvalidPassword});
    QCOMPARE(login.TxtPassword->text(), keptPassword);
    QVERIFY(login.TxtPassword->hasFocus());
    QVERIFY(login.isVisible());
}

void tst_AppForms::switchGridListsUnitsAndGrowsPastNineRows()
{
    m_state.CurrentUserId = u"3"_s;
    frmSwitch form(m_context);
    QCOMPARE(form.GrUnit->rowCount(), 12);
    QCOMPARE(form.GrUnit->item(0, 1)->text(), u"Chennai"_s);
    QCOMPARE(form.GrUnit->item(11, 0)->text(), u"19"_s);
    QVERIFY(form.GrUnit->isColumnHidden(0));
    QVERIFY(form.GrUnit->isColumnHidden(2));

    m_state.CurrentUserId = u"1"_s;  // no unit at all: the grid keeps its nine empty rows
    frmSwitch empty(m_context);
    QCOMPARE(empty.GrUnit->rowCount(), 9);
    empty.CmSwitch->click();
    QVERIFY(m_dialogs.shown.isEmpty());
}

void tst_AppForms::switchAsksBeforeChangingTheUnit_data()
{
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::newRow("ok") << Dialogs::Answer::Ok;
    QTest::newRow("cancel") << Dialogs::Answer::Cancel;
}

void tst_AppForms::switchAsksBeforeChangingTheUnit()
{
    QFETCH(Dialogs::Answer, answer);
    m_state.CurrentUserId = u"2"_s;
    frmSwitch form(m_context);
    form.show();
    QSignalSpy switched(&form, &frmSwitch::unitSwitched);
    m_dialogs.answers.push_back(answer);
    form.GrUnit->setCurrentCell(0, 1);
    QTest::keyClick(form.GrUnit, Qt::Key_Return);
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::ChangeUnitQuestion});
    QCOMPARE(m_dialogs.shown.first().buttons, Dialogs::Buttons::OkCancel);
    const bool ok = answer == Dialogs::Answer::Ok;
    QCOMPARE(m_state.CurrentUnitCode, ok ? u"002"_s : u"001"_s);
    QCOMPARE(m_state.CurrentUnitName, ok ? u"Madurai"_s : u"Chennai"_s);
    QCOMPARE(switched.count(), ok ? 1 : 0);
    QCOMPARE(form.isVisible(), !ok);
}

void tst_AppForms::escapeClosesTheSwitchWithoutChange()
{
    m_state.CurrentUserId = u"2"_s;
    frmSwitch form(m_context);
    form.show();
    QTest::keyClick(form.CmSwitch, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(m_state.CurrentUnitCode, u"001"_s);
    QVERIFY(m_dialogs.shown.isEmpty());
}

void tst_AppForms::changeUnitIsRefusedWhileAWindowIsOpen()
{
    m_state.CurrentUserId = u"3"_s;
    m_state.CurrentUserName = u"boss"_s;
    m_state.IsAdminUser = true;
    frmMain main(m_context);
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(main.windowTitle(), u"Bill Print- Advertisement      Selvoro (Pvt.) LTD     Chennai            "
                                 "[User : boss ]"_s);
    main.show();
    main.mnuChangeUnit->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    main.mnuChangeUnit->trigger();  // the switch window itself is open now
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::CloseAllForms});

    auto *form = qobject_cast<frmSwitch *>(main.mdiArea()->subWindowList().first()->widget());
    QVERIFY(form);
    form->GrUnit->setCurrentCell(1, 1);
    form->CmSwitch->click();
    QTRY_VERIFY(main.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(main.windowTitle(),
             u"Advertisement     Selvoro (Pvt.) LTD     Salem"_s + QString(47, u' ') + u"*[Current User : boss ]*"_s);
}

// The other half of the rule: while the switch is open no bill form opens from the menu, and a
// bill form open beside it all the same (opened for one schedule by another screen) stops the
// switch, so the unit never changes under a bill form.
void tst_AppForms::noBillFormOpensWhileTheSwitchIsOpen()
{
    m_state.CurrentUserId = u"3"_s;
    frmMain main(m_context);
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    main.show();
    main.mnuChangeUnit->trigger();
    main.mnuPrintBill->trigger();
    main.mnuPrintDAVPBill->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QCOMPARE(m_dialogs.texts(), (QStringList{Msg::CloseAllForms, Msg::CloseAllForms}));
    auto *unitSwitch = qobject_cast<frmSwitch *>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(unitSwitch);

    auto *bills = new frmPrintBill(m_context);
    main.mdiArea()->addSubWindow(bills)->show();
    bills->GetDetails(u"0010001"_s);
    m_dialogs.shown.clear();
    unitSwitch->GrUnit->setCurrentCell(1, 1);
    unitSwitch->CmSwitch->click();
    QCOMPARE(m_dialogs.texts(), QStringList{Msg::CloseAllForms});
    QCOMPARE(m_state.CurrentUnitCode, u"001"_s);
}

void tst_AppForms::databaseErrorInLoginIsShownNotFatal()
{
    TestDb::run(u"DROP TABLE selvoro.advt_lockmaster;"_s);
    frmLogin login(m_context, m_settings);
    login.show();
    login.TxtUserName->setText(u"clerk"_s);
    login.TxtPassword->setText(u"pass2"_s);
    login.CmOk->click();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QVERIFY(m_dialogs.texts().first().contains(u"advt_lockmaster"_s));
    QVERIFY(login.isVisible());
}

QTEST_MAIN(tst_AppForms)
#include "tst_appforms.moc"
