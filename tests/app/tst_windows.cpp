// The windows as a user meets them: every child window of the main window opens at a size where
// each caption and box shows its whole text, with the focus where the keyboard work starts, and
// Enter presses a focused button; the splash stands long enough to be seen, and a message box is
// as wide as its title.
#include "app/frmlogin.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/frmswitch.h"
#include "app/guidialogs.h"
#include "app/longwork.h"
#include "billing/frmprintbill.h"
#include "common/messages.h"
#include "davp/frmprintdavpbill.h"
#include "desk.h"
#include "einvoice/einvoicebutton.h"
#include "masters/frmsplitedition.h"
#include "memorysettings.h"
#include "sheet/sheetview.h"
#include "testdb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Fixture = u"INSERT INTO productmaster (product_code, product_name, product_priority) "
                        "VALUES ('DLY', 'Daily', 1);"_s;

// The controls Tab visits, from `start` until it comes back there (a control once, however many
// presses it keeps the focus for, as a date picker does for its day, month and year).
QList<QWidget *> tabCircle(QWidget *start)
{
    start->setFocus();
    QList<QWidget *> visited{start};
    for (int press = 0; press < 100; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (now == start && visited.last() != start)
            break;
        if (visited.last() != now)
            visited.append(now);
    }
    return visited;
}

// The texts of the labels in the main window's status line.
QStringList statusTexts(frmMain &main)
{
    QStringList texts;
    for (const QLabel *label : main.statusBar()->findChildren<QLabel *>())
        texts.append(label->text());
    return texts;
}

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
    void longWorkShowsInTheStatusLineWithStop();
    void mainWindowAsksBeforeClosingWhileAFormWorks();
    void tabReachesEveryControlAndLeavesTheGrid();
    void datePickersTakeTypedDigitsAtOnce();
    void billNumberBoxesHaveTheirHeading();
    void messagesAndLoginOfferOnlyClose();
    void fileDialogsOpenWhereTheLastFileOfTheirKindWent();
};

void tst_Windows::initTestCase() { REQUIRE_TEST_DB(); }

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
    MemorySettings settings;
    GuiDialogs dialogs(settings);
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

// A long job of a child window shows in the main window's status line: what it does, how far it
// got, and a Stop button that asks it to stop. The window cannot close under it; the line goes
// with the job.
void tst_Windows::longWorkShowsInTheStatusLineWithStop()
{
    MainDesk desk;
    auto *form = desk.open<frmPrintBill>(desk.main.mnuPrintBill);
    {
        LongWork work(form->CmExcel, u"Exporting"_s);
        QVERIFY(work.report(3, 10));
        QVERIFY2(statusTexts(desk.main).contains(u"Exporting: 3 of 10"_s),
                 qPrintable(statusTexts(desk.main).join(u'|')));
        QCOMPARE(LongWork::runningIn(&desk.main), &work);
        QVERIFY(!form->close());
        auto *stop = desk.main.statusBar()->findChild<QPushButton *>();
        QVERIFY(stop);
        QCOMPARE(stop->text(), u"Stop"_s);
        stop->click();
        QVERIFY(!work.report(4, 10));
    }
    QCOMPARE(desk.main.statusBar()->findChild<QPushButton *>(), nullptr);
    QCOMPARE(LongWork::runningIn(&desk.main), nullptr);
}

// Closing the program while a child window generates asks first; Yes stops the job, and the
// program closes once the job has ended.
void tst_Windows::mainWindowAsksBeforeClosingWhileAFormWorks()
{
    MainDesk desk;
    auto *form = desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill);
    auto *work = new LongWork(form, u"Generating bills"_s);
    desk.dialogs.answers = {Dialogs::Answer::No};
    QVERIFY(!desk.main.close());
    QVERIFY(!work->stopRequested());
    desk.dialogs.answers = {Dialogs::Answer::Yes};
    QVERIFY(!desk.main.close());
    QVERIFY(work->stopRequested());
    QVERIFY(desk.main.isVisible());
    QCOMPARE(desk.dialogs.texts(), QStringList(2, Msg::StopBeforeClosing));
    delete work;
    QTRY_VERIFY(!desk.main.isVisible());
}

// Every control of the bill forms is reached with Tab in the order the frames stand, and Tab
// leaves the grid again.
void tst_Windows::tabReachesEveryControlAndLeavesTheGrid()
{
    MainDesk desk;
    auto *bills = desk.open<frmPrintBill>(desk.main.mnuPrintBill);
    bills->CmPrint->setEnabled(true);
    QCOMPARE(tabCircle(bills->DtFrom),
             (QList<QWidget *>{bills->DtFrom, bills->DtTo, bills->TxCombination, bills->TxGroup, bills->TxBillFrom,
                               bills->TxBillTo, bills->TxSplitClient, bills->TxSplitAdd1, bills->TxSplitAdd2,
                               bills->TxSplitAdd3, bills->TxSplitTotal, bills->ChkSplitBill, bills->ChkExchangeBill,
                               bills->CmExcel, bills->CmEInvoice, bills->CmShow, bills->CmPrint, bills->CmClose,
                               bills->FBook}));
    auto *davp = desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill);
    QCOMPARE(tabCircle(davp->DtFrom),
             (QList<QWidget *>{davp->DtFrom, davp->DtTo, davp->TxCombination, davp->TxBillFrom, davp->TxBillTo,
                               davp->CmShow, davp->CmPrint, davp->CmExcel, davp->CmClose, davp->FBook}));
}

// A date picker entered from the keyboard has its day selected: typed digits replace it.
void tst_Windows::datePickersTakeTypedDigitsAtOnce()
{
    MainDesk desk;
    auto *form = desk.open<frmPrintBill>(desk.main.mnuPrintBill);
    form->TxCombination->setFocus();
    QTest::keyClick(form->TxCombination, Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(form->DtTo->hasFocus());
    QTest::keyClicks(form->DtTo, u"15"_s);
    QCOMPARE(form->DtTo->date().day(), 15);
    form->DtFrom->setFocus();
    QTest::keyClick(form->DtFrom, Qt::Key_Return);
    QTest::keyClicks(form->DtTo, u"20"_s);
    QCOMPARE(form->DtTo->date().day(), 20);
    // A click into the picker that has the focus already selects the part it lands on.
    auto *text = form->DtTo->findChild<QLineEdit *>();
    QTest::mouseClick(text, Qt::LeftButton, {},
                      QPoint(text->fontMetrics().horizontalAdvance(u"2"_s), text->height() / 2));
    QTRY_VERIFY(text->hasSelectedText());
    QTest::keyClicks(form->DtTo, u"12"_s);
    QCOMPARE(form->DtTo->date().day(), 12);
}

// The bill-number boxes' From and To stand under a heading that tells them from the dates'.
void tst_Windows::billNumberBoxesHaveTheirHeading()
{
    MainDesk desk;
    const QList<BillForm *> forms = {desk.open<frmPrintBill>(desk.main.mnuPrintBill),
                                     desk.open<frmPrintDAVPBill>(desk.main.mnuPrintDAVPBill)};
    for (BillForm *form : forms) {
        QLabel *heading = nullptr;
        for (QLabel *label : form->Frame3->findChildren<QLabel *>())
            if (label->text() == u"Bill No"_s)
                heading = label;
        QVERIFY(heading);
        const QRect box = form->TxBillFrom->geometry();
        QVERIFY(heading->geometry().bottom() < box.top());
        QVERIFY(heading->geometry().left() < box.right() && heading->geometry().right() > box.left());
    }
}

// A message is answered, and the login is not a window to keep aside: neither can be minimised
// or maximised.
void tst_Windows::messagesAndLoginOfferOnlyClose()
{
    const auto onlyClose = [](Qt::WindowFlags flags) {
        return flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint)
               && !flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint);
    };
    MemorySettings settings;
    GuiDialogs dialogs(settings);
    Qt::WindowFlags boxFlags;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        boxFlags = box->windowFlags();
        box->accept();
    });
    dialogs.message(Msg::LocalHost);
    QVERIFY(onlyClose(boxFlags));

    Desk desk(u"windows"_s);
    frmLogin login(desk.context, settings);
    login.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(onlyClose(login.windowFlags()));
}

// A file dialog opens where the last file of its kind went (the first time where the request
// says), and a name typed without a suffix gets the filter's.
void tst_Windows::fileDialogsOpenWhereTheLastFileOfTheirKindWent()
{
    QTemporaryDir first;
    QTemporaryDir second;
    MemorySettings settings;
    GuiDialogs dialogs(settings);
    QString openedIn;
    const auto answerWith = [&](const QString &path) {
        QTimer::singleShot(0, this, [&openedIn, path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            openedIn = dialog->directory().absolutePath();
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    const Dialogs::SaveRequest exportRequest{
        first.path(), {u"Excel Files (*.xls) | *.xls"_s}, u"Print Bill01-Dec-2026"_s, u"Export"_s};
    answerWith(second.filePath(u"bills"_s));
    const std::optional<Dialogs::SavePath> saved = dialogs.saveFile(exportRequest);
    QCOMPARE(openedIn, first.path());
    QVERIFY(saved);
    QCOMPARE(saved->path, second.filePath(u"bills.xls"_s));

    answerWith(second.filePath(u"again.xls"_s));
    dialogs.saveFile(exportRequest);
    QCOMPARE(openedIn, second.path());
    answerWith(first.filePath(u"invoices.pdf"_s));
    dialogs.saveFile({first.path(), {u"PDF files (*.pdf) | *.pdf"_s}, u"invoices.pdf"_s, u"InvoicePdf"_s});
    QCOMPARE(openedIn, first.path());
}

QTEST_MAIN(tst_Windows)
#include "tst_windows.moc"
