// The DAVP bill form offscreen: layout, keys, bill-number completion, Show and its guard, Print.
#include "app/frmmain.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "davp/frmprintdavpbill.h"
#include "desk.h"
#include "sheet/sheetview.h"
#include "testdb.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// The desk of the Kochi unit; the fixture is loaded when a test needs the database.
struct DavpDesk : Desk
{
    explicit DavpDesk(bool withDatabase) : Desk(u"frmprintdavpbill"_s)
    {
        state.CurrentUnitCode = u"KOC"_s;
        deployment.publisherAddress = u"12 MG Road, Kochi"_s;
        deployment.publisherPhoneFax = u"Phone 0484 2222222"_s;
        if (withDatabase)
            openDatabase({TestDb::file(u"tests/davp/davp.sql"_s)});
    }
};

}  // namespace

class tst_FrmPrintDavpBill : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheEmptyLayout();
    void enterMovesThroughTheFiltersAndCompletesBillNumbers();
    void showGeneratesThenPrintWritesTwoCopiesPerBill();
    void secondShowAndCloseDuringGenerationAreIgnored();
    void refusedDatesPutTheFocusOnToDate();
    void databaseFailureIsShownAndTheFormCarriesOn();
    void exportSavesTheGridUnderTheCaptionAndDate();
    void mainWindowOpensOneFormAtATime();
};

void tst_FrmPrintDavpBill::opensWithTheEmptyLayout()
{
    DavpDesk desk(false);
    frmPrintDAVPBill form(desk.context);
    QCOMPARE(form.windowTitle(), u"Print DAVP  Bills"_s);
    QCOMPARE(form.DtFrom->date(), QDate::currentDate());
    QCOMPARE(form.DtTo->date(), QDate::currentDate());
    QCOMPARE(form.DtFrom->displayFormat(), u"dd-MMM-yyyy"_s);
    QVERIFY(form.CmPrint->isEnabled());
    QCOMPARE(form.currentRow(), 4);
    const Sheet &sheet = form.FBook->sheet();
    QCOMPARE(sheet.text(2, 1), u"12 MG Road, Kochi"_s);
    QCOMPARE(sheet.text(3, 1), u"Phone 0484 2222222"_s);
    QCOMPARE(sheet.text(4, 39), u"Place"_s);
    QVERIFY(desk.dialogs.shown.isEmpty());
}

void tst_FrmPrintDavpBill::enterMovesThroughTheFiltersAndCompletesBillNumbers()
{
    REQUIRE_TEST_DB();
    DavpDesk desk(true);
    frmPrintDAVPBill form(desk.context);
    showAndActivate(form);

    form.DtFrom->setFocus();
    QTest::keyClick(form.DtFrom, Qt::Key_Return);
    QVERIFY(form.DtTo->hasFocus());
    QTest::keyClick(form.DtTo, Qt::Key_Enter);
    QVERIFY(form.TxCombination->hasFocus());
    QTest::keyClicks(form.TxCombination, u"DLY"_s);
    QTest::keyClick(form.TxCombination, Qt::Key_Return);
    QCOMPARE(form.TxCombination->text(), u"DLY"_s);
    QVERIFY(form.TxBillFrom->hasFocus());

    QTest::keyClicks(form.TxBillFrom, u"45"_s);
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    QCOMPARE(form.TxBillFrom->text(), u"DV/00045"_s);
    QVERIFY(form.TxBillTo->hasFocus());
    // An empty box stays empty (no upper bound), and Enter there always goes on to Show.
    QTest::keyClick(form.TxBillTo, Qt::Key_Return);
    QCOMPARE(form.TxBillTo->text(), QString());
    QVERIFY(form.CmShow->hasFocus());
    QVERIFY(desk.dialogs.shown.isEmpty());

    // A unit without a bill-number template: the message, and the box is emptied.
    desk.state.CurrentUnitCode = u"TVM"_s;
    form.TxBillFrom->setFocus();
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    QCOMPARE(form.TxBillFrom->text(), QString());
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::NumberSetupError + u"\r\n"_s + Msg::ContactAdministrator});
}

void tst_FrmPrintDavpBill::showGeneratesThenPrintWritesTwoCopiesPerBill()
{
    REQUIRE_TEST_DB();
    DavpDesk desk(true);
    frmPrintDAVPBill form(desk.context);
    form.DtFrom->setDate({2026, 2, 2});
    form.DtTo->setDate({2026, 2, 2});
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), 6);
    const Sheet &sheet = form.FBook->sheet();
    QCOMPARE(sheet.text(6, 22), u"180"_s);
    QCOMPARE(sheet.activeRow(), 6);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // No spooler in the application folder: the file is written whole, then the failure shown.
    desk.dialogs.shown.clear();
    form.CmPrint->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::FileCannotBePrinted});
    QFile file(desk.folder.filePath(u"rpt.prn"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), 2 * 2 * 72);
}

void tst_FrmPrintDavpBill::secondShowAndCloseDuringGenerationAreIgnored()
{
    REQUIRE_TEST_DB();
    DavpDesk desk(true);
    frmPrintDAVPBill form(desk.context);
    showAndActivate(form);
    form.DtFrom->setDate({2026, 3, 2});
    form.DtTo->setDate({2026, 3, 2});
    // The click arrives while the grid fills and lets window events run.
    bool hourglassUp = false;
    QTimer::singleShot(0, &form, [&] {
        hourglassUp = QApplication::overrideCursor() != nullptr;
        form.CmShow->click();
        // Close waits until the grid is filled.
        form.CmClose->click();
        QVERIFY(form.isVisible());
    });
    form.CmShow->click();
    QVERIFY(hourglassUp);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), 24);
    QCOMPARE(form.FBook->sheet().topRow(), 12);
}

void tst_FrmPrintDavpBill::refusedDatesPutTheFocusOnToDate()
{
    REQUIRE_TEST_DB();
    DavpDesk desk(true);
    frmPrintDAVPBill form(desk.context);
    showAndActivate(form);
    form.DtFrom->setDate({2026, 2, 3});
    form.DtTo->setDate({2026, 2, 2});
    form.CmShow->setFocus();
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::ToDateBeforeFromDate});
    QVERIFY(form.DtTo->hasFocus());
    QCOMPARE(form.currentRow(), 4);
}

void tst_FrmPrintDavpBill::databaseFailureIsShownAndTheFormCarriesOn()
{
    DavpDesk desk(false);  // the connection was never opened
    frmPrintDAVPBill form(desk.context);
    form.CmShow->click();
    QCOMPARE(desk.dialogs.shown.size(), 1);
    QCOMPARE(desk.dialogs.shown.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(form.currentRow(), 4);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_FrmPrintDavpBill::exportSavesTheGridUnderTheCaptionAndDate()
{
    REQUIRE_TEST_DB();
    DavpDesk desk(true);
    frmPrintDAVPBill form(desk.context);
    // An empty grid: only the message, no folder and no dialog.
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::NoDetailsFound});
    QVERIFY(desk.dialogs.saveRequests.isEmpty());
    QVERIFY(!QFileInfo::exists(desk.folder.filePath(u"Excel Files"_s)));

    form.DtFrom->setDate({2026, 2, 2});
    form.DtTo->setDate({2026, 2, 2});
    form.CmShow->click();
    desk.dialogs.shown.clear();
    const QString path = desk.folder.filePath(u"Excel Files/davp.xls"_s);
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.saveRequests.size(), 1);
    QCOMPARE(desk.dialogs.saveRequests.first().proposedName, u"Print DAVP  Bills02-Feb-2026"_s);
    QCOMPARE(desk.dialogs.saveRequests.first().folder, desk.folder.filePath(u"Excel Files"_s));
    QVERIFY(desk.dialogs.shown.isEmpty());
    QVERIFY(QFileInfo(path).size() > 0);

    // An existing file is replaced only on Yes.
    const qint64 saved = QFileInfo(path).size();
    QFile::resize(path, 3);
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    desk.dialogs.answers.push_back(Dialogs::Answer::No);
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::OverwriteQuestion});
    QCOMPARE(QFileInfo(path).size(), 3);
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    form.CmExcel->click();
    QCOMPARE(QFileInfo(path).size(), saved);
}

void tst_FrmPrintDavpBill::mainWindowOpensOneFormAtATime()
{
    DavpDesk desk(false);
    frmMain main(desk.context);
    showAndActivate(main);
    main.mnuPrintDAVPBill->trigger();
    main.mnuPrintDAVPBill->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    auto *form = qobject_cast<frmPrintDAVPBill *>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(form);
    QCOMPARE(main.mdiArea()->activeSubWindow()->windowTitle(), u"Print DAVP  Bills"_s);
    form->CmClose->click();
    QTRY_VERIFY(main.mdiArea()->subWindowList().isEmpty());
}

QTEST_MAIN(tst_FrmPrintDavpBill)
#include "tst_frmprintdavpbill.moc"
