// The windows as a user meets them: every child window of the main window opens at a size where
// each caption and box shows its whole text, with the focus where the keyboard work starts, and
// Enter presses a focused button; the splash stands long enough to be seen, and a message box is
// as wide as its title.
#include "app/frmlogin.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/frmswitch.h"
#include "app/guidialogs.h"
#include "app/usersettings.h"
#include "billing/frmprintbill.h"
#include "common/messages.h"
#include "davp/frmprintdavpbill.h"
#include "desk.h"
#include "masters/frmsplitedition.h"
#include "sheet/sheetview.h"
#include "testdb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Fixture = u"INSERT INTO productmaster (product_code, product_name, product_priority) "
                        "VALUES ('DLY', 'Daily', 1);"_s;

class MemorySettings : public UserSettings
{
public:
    QString lastUser() const override { return {}; }
    void setLastUser(const QString &) override {}
};

// The desk of user 2 in the Chennai unit, and the main window open and active on it.
struct MainDesk : Desk
{
    MainDesk() : Desk(u"windows"_s)
    {
        openDatabase({TestDb::file(u"tests/app/fixture.sql"_s), Fixture});
        state.CurrentUnitCode = u"001"_s;
        state.CurrentUnitName = u"Chennai"_s;
        state.DefaultProductCode = u"DLY"_s;
        state.CurrentUserId = u"2"_s;
        main.setAttribute(Qt::WA_DeleteOnClose, false);
        showAndActivate(main);
    }

    // The child window the menu entry opened.
    template <class Form>
    Form *open(QAction *entry)
    {
        entry->trigger();
        QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
        return sub ? qobject_cast<Form *>(sub->widget()) : nullptr;
    }

    frmMain main{context};
};

// The captions, buttons, frame titles and text boxes of a window that are narrower than their
// text. An empty box is first given a completed bill number, the longest text most boxes take.
QString narrowControls(QWidget *window)
{
    QStringList narrow;
    const auto check = [&narrow](QWidget *control, const QString &text, int frame) {
        const int needed = control->fontMetrics().horizontalAdvance(text) + frame;
        if (control->width() < needed)
            narrow.append(u"%1 \"%2\": %3 of %4 px"_s.arg(QString::fromLatin1(control->metaObject()->className()), text)
                              .arg(control->width())
                              .arg(needed));
    };
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(control); label && !label->text().isEmpty()) {
            check(label, label->text(), 0);
        } else if (auto *button = qobject_cast<QAbstractButton *>(control); button && !button->text().isEmpty()) {
            check(button, QString(button->text()).remove(u'&'), 0);
        } else if (auto *frame = qobject_cast<QGroupBox *>(control); frame && !frame->title().isEmpty()) {
            check(frame, frame->title(), 0);
        } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
            if (box->text().isEmpty())
                box->setText(u"TR/01250"_s);
            check(box, box->text(), 6);
        }
    }
    return narrow.join(u"; "_s);
}

}  // namespace

class tst_Windows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void childWindowsOpenWithEveryTextReadable();
    void focusIsWhereTheKeyboardWorkStarts();
    void enterOnAFocusedButtonPressesIt();
    void viewAfterShowKeepsTheBillNumbersInSight();
    void splashStandsAboutAThirdOfASecond();
    void messageBoxIsAsWideAsItsTitle();
};

void tst_Windows::initTestCase()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
}

void tst_Windows::childWindowsOpenWithEveryTextReadable()
{
    MainDesk desk;
    auto *unitSwitch = desk.open<frmSwitch>(desk.main.mnuChangeUnit);
    QVERIFY(unitSwitch);
    QCOMPARE(narrowControls(unitSwitch), QString());
    QTest::keyClick(unitSwitch->GrUnit, Qt::Key_Escape);
    QTRY_VERIFY(desk.main.mdiArea()->subWindowList().isEmpty());

    const QList<QWidget *> forms = {desk.open<frmPrintBill>(desk.main.mnuPrintBill),
                                    desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill),
                                    desk.open<frmSplitEdition>(desk.main.mnuSplitEdition)};
    for (QWidget *form : forms) {
        QVERIFY(form);
        QCOMPARE(narrowControls(form), QString());
        // The whole window lies inside the main window.
        QVERIFY(desk.main.mdiArea()->rect().contains(form->parentWidget()->geometry()));
    }
    QVERIFY(desk.dialogs.shown.isEmpty());
}

void tst_Windows::focusIsWhereTheKeyboardWorkStarts()
{
    MainDesk desk;
    auto *unitSwitch = desk.open<frmSwitch>(desk.main.mnuChangeUnit);
    QVERIFY(unitSwitch->GrUnit->hasFocus());
    QTest::keyClick(unitSwitch->GrUnit, Qt::Key_Down);
    QCOMPARE(unitSwitch->GrUnit->currentRow(), 1);
    QTest::keyClick(unitSwitch->GrUnit, Qt::Key_Escape);
    QTRY_VERIFY(desk.main.mdiArea()->subWindowList().isEmpty());

    QVERIFY(desk.open<frmPrintBill>(desk.main.mnuPrintBill)->DtFrom->hasFocus());
    QVERIFY(desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill)->DtFrom->hasFocus());
}

void tst_Windows::enterOnAFocusedButtonPressesIt()
{
    MainDesk desk;
    const QList<QPushButton *> closeButtons = {desk.open<frmPrintBill>(desk.main.mnuPrintBill)->CmClose,
                                               desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill)->CmClose,
                                               desk.open<frmSplitEdition>(desk.main.mnuSplitEdition)->CmClose};
    for (QPushButton *button : closeButtons) {
        const int open = int(desk.main.mdiArea()->subWindowList().size());
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTRY_COMPARE(desk.main.mdiArea()->subWindowList().size(), open - 1);
    }

    auto *unitSwitch = desk.open<frmSwitch>(desk.main.mnuChangeUnit);
    desk.dialogs.answers.push_back(Dialogs::Answer::Cancel);
    unitSwitch->CmSwitch->setFocus();
    QTest::keyClick(unitSwitch->CmSwitch, Qt::Key_Enter);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::ChangeUnitQuestion});

    MemorySettings settings;
    frmLogin login(desk.context, settings);
    login.setAttribute(Qt::WA_DeleteOnClose, false);
    showAndActivate(login);
    QSignalSpy exit(&login, &frmLogin::exitRequested);
    login.CmExit->setFocus();
    QTest::keyClick(login.CmExit, Qt::Key_Return);
    QCOMPARE(exit.count(), 1);
}

// The cursor goes to the last bill row, and the view keeps the first column (the bill numbers).
void tst_Windows::viewAfterShowKeepsTheBillNumbersInSight()
{
    MainDesk desk;
    auto *form = desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill);
    const Sheet &sheet = form->FBook->sheet();
    form->CmShow->click();
    form->FBook->refresh();
    QCOMPARE(sheet.activeRow(), int(form->currentRow()));
    QCOMPARE(sheet.activeColumn(), 1);
    QCOMPARE(form->FBook->horizontalScrollBar()->value(), 0);
}

void tst_Windows::splashStandsAboutAThirdOfASecond()
{
    auto *splash = new frmSplash;
    QSignalSpy finished(splash, &frmSplash::finished);
    splash->show();
    // Twenty ticks of 16 ms cannot be over after 150 ms, however busy the machine.
    QTest::qWait(150);
    QCOMPARE(finished.count(), 0);
    QVERIFY(splash->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
}

void tst_Windows::messageBoxIsAsWideAsItsTitle()
{
    QApplication::setApplicationName(u"Selvoro Advertisement Bill Print"_s);
    GuiDialogs dialogs;
    int width = 0;
    int titleWidth = -1;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        width = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->accept();
    });
    dialogs.message(Msg::LocalHost, Dialogs::Icon::None);
    QVERIFY2(width > titleWidth, qPrintable(u"%1 px for a title of %2 px"_s.arg(width).arg(titleWidth)));
}

QTEST_MAIN(tst_Windows)
#include "tst_windows.moc"
