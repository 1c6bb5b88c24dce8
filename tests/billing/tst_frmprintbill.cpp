#include "app/frmmain.h"
#include "billing/billcolumns.h"
#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "desk.h"
#include "einvoice/einvoicebutton.h"
#include "irptokens.h"
#include "sheet/sheetview.h"
#include "testdb.h"
#include "testfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString NotOpen = u"The database connection is not open."_s;

const QString Fixture = uR"(
INSERT INTO productmaster (product_code, product_name, product_priority) VALUES
  ('WKL', 'Weekly', 2), ('DLY', 'Daily', 1), ('MAG', 'Magazine', 3);
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_01', 'AB/00120');
INSERT INTO advt_clienttype (group_code, group_name, group_comm, group_no_of_bills) VALUES
  ('G5', 'Retail', 0, 1), ('G2', 'Agencies', 15, 1);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Chennai');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea) VALUES
  ('AG1', 'Ads Ltd', 'G2', 'S1');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
                           sch_client_name, sch_client_address, sch_ed_code, sch_ed_pdt, sch_gross_amt, sch_net_total)
VALUES ('01', '0110001', 'AB/00045', '2026-12-01', '2026-12-01', 'AG1', 'Client One', 'Street 1', 'DLY', 'Daily', 1000, 1180),
       ('01', '0110002', 'AB/00046', '2026-12-02', '2026-12-02', 'AG1', 'Client Two', 'Street 2', 'DLY', 'Daily', 500, 590);
INSERT INTO acc_companymaster (comp_code, comp_name, comp_address, comp_gstin, comp_cin) VALUES
  ('SV', 'Selvoro (P) Ltd.', 'Press House, Kochi 682011', '32AABCS4821R1Z4', 'U22121KL1971PTC002345');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add3, agency_gstin)
VALUES ('AG2', 'Mudra Ads', 'G2', 'S1', 'Jos Annexe', 'Kochi 682016', '32AABCM4521K1ZR');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
                           sch_client_name, sch_ed_code, sch_ed_pdt, sch_gross_amt, sch_gst_per, sch_sgst_per,
                           sch_gst_amt, sch_sgst_amt, sch_net_total)
VALUES ('01', '0110005', 'AB/00050', '2026-12-05', '2026-12-05', 'AG2', 'Client Five', 'DLY', 'Daily', 1000, 2.5, 2.5,
        25, 25, 1050);
)"_s;

// The desk of the Chennai unit and the bill form on it; the fixture is loaded when a test needs the
// database, and the form is shown and active when the test works it with the keyboard.
struct BillDesk : Desk
{
    explicit BillDesk(bool withDatabase, bool shown = false) : Desk(u"frmprintbill"_s)
    {
        state.CurrentUnitCode = u"01"_s;
        state.CurrentUnitName = u"Chennai Unit"_s;
        state.DefaultProductCode = u"DLY"_s;
        if (withDatabase)
            openDatabase({Fixture});
        form = std::make_unique<frmPrintBill>(context);
        if (shown)
            showAndActivate(*form);
    }

    std::unique_ptr<frmPrintBill> form;
};

QString cell(frmPrintBill &form, int row, BillColumn column) { return form.FBook->sheet().text(row, col(column)); }

}  // namespace

class tst_FrmPrintBill : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheEmptyLayout();
    void enterMovesThroughTheFilters();
    void deleteEmptiesTheGroupFilterOnly();
    void clicksWaitForTheHourglass_data();
    void clicksWaitForTheHourglass();
    void databaseFailureIsShownAndTheFormCarriesOn();
    void getDetailsLocksTheBillNumbersToOneSchedule();
    void unusableGroupListIsRefusedBeforeTheGridIsTouched();
    void mainWindowOpensOneFormAtATime();
    void eInvoiceButtonStandsNextToExport();

    void enterCompletesBillNumbersFromTheUnitTemplate();
    void enterLeavesEmptyBillNumbersEmpty();
    void missingNumberSetupEmptiesTheBox();
    void f1OpensThePickersIntoTheFilterBoxes();
    void showGeneratesTheBillsOfTheRange();
    void showRunsSplitAndExchangeBillsByTheirBoxes();
    void secondShowDuringGenerationIsIgnored();
    void escStopsTheGenerationAndLocksTheOutputs();
    void refusedDatesPutTheFocusOnToDate();
    void eInvoiceButtonWritesAndImportsForTheGrid();
};

void tst_FrmPrintBill::opensWithTheEmptyLayout()
{
    BillDesk desk(TestDb::available());
    frmPrintBill &form = *desk.form;
    QCOMPARE(form.windowTitle(), u"Print Bill"_s);
    QCOMPARE(form.objectName(), u"frmPrintBill"_s);
    QCOMPARE(form.DtFrom->date(), QDate::currentDate());
    QCOMPARE(form.DtTo->date(), QDate::currentDate());
    QVERIFY(form.DtTo->calendarPopup());
    QCOMPARE(form.DtFrom->text(), QLocale::c().toString(QDate::currentDate(), u"dd-MMM-yyyy"_s));
    QVERIFY(!form.CmPrint->isEnabled());
    QCOMPARE(form.currentRow(), HeaderRow);
    if (TestDb::available()) {
        QCOMPARE(cell(form, 1, BillColumn::BillNo), u"SV - Daily"_s);
        QCOMPARE(cell(form, 2, BillColumn::BillNo), u"Chennai Unit"_s);
        QCOMPARE(cell(form, HeaderRow, BillColumn::BillNo), u"Bill No"_s);
        QVERIFY(desk.dialogs.shown.isEmpty());
    }
}

void tst_FrmPrintBill::enterMovesThroughTheFilters()
{
    BillDesk desk(false, true);
    frmPrintBill &form = *desk.form;

    form.DtFrom->setFocus();
    QTest::keyClick(form.DtFrom, Qt::Key_Return);
    QVERIFY(form.DtTo->hasFocus());
    QTest::keyClick(form.DtTo, Qt::Key_A);
    QVERIFY(form.DtTo->hasFocus());
    QTest::keyClick(form.DtTo, Qt::Key_Enter);
    QVERIFY(form.TxCombination->hasFocus());
    // Enter in the product box goes past the group box to the bill numbers.
    QTest::keyClick(form.TxCombination, Qt::Key_Return);
    QVERIFY(form.TxBillFrom->hasFocus());
    form.TxGroup->setFocus();
    QTest::keyClick(form.TxGroup, Qt::Key_Return);
    QVERIFY(form.TxGroup->hasFocus());
}

void tst_FrmPrintBill::deleteEmptiesTheGroupFilterOnly()
{
    BillDesk desk(false, true);
    frmPrintBill &form = *desk.form;

    form.TxGroup->setText(u"'G2','G5'"_s);
    form.TxGroup->setFocus();
    form.TxGroup->setCursorPosition(3);
    QTest::keyClick(form.TxGroup, Qt::Key_Delete);
    QCOMPARE(form.TxGroup->text(), QString());

    // The product box changes only through its picker: Delete is an ordinary key there.
    form.TxCombination->setText(u"DLY/MAG"_s);
    form.TxCombination->setFocus();
    form.TxCombination->setCursorPosition(3);
    QTest::keyClick(form.TxCombination, Qt::Key_Delete);
    QCOMPARE(form.TxCombination->text(), u"DLYMAG"_s);
}

void tst_FrmPrintBill::clicksWaitForTheHourglass_data()
{
    QTest::addColumn<bool>("show");  // else Export
    QTest::addColumn<QString>("message");
    // Show meets the closed database and unlocks Print; Export has no bills to save.
    QTest::newRow("showIsIgnoredWhileTheHourglassIsUp") << true << NotOpen;
    QTest::newRow("exportWantsBillsAndWaitsForTheHourglass") << false << Msg::NoDetailsFound;
}

void tst_FrmPrintBill::clicksWaitForTheHourglass()
{
    QFETCH(bool, show);
    QFETCH(QString, message);
    BillDesk desk(false);
    frmPrintBill &form = *desk.form;
    QPushButton *pressed = show ? form.CmShow : form.CmExcel;
    desk.dialogs.shown.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pressed->click();
    QApplication::restoreOverrideCursor();
    QVERIFY(desk.dialogs.shown.isEmpty());
    QVERIFY(!form.CmPrint->isEnabled());

    // With the pointer back to normal the same click runs.
    pressed->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{message});
    QCOMPARE(form.CmPrint->isEnabled(), show);
    QVERIFY(desk.dialogs.saveRequests.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_FrmPrintBill::databaseFailureIsShownAndTheFormCarriesOn()
{
    BillDesk desk(false);
    frmPrintBill &form = *desk.form;
    QCOMPARE(desk.dialogs.texts(), QStringList{NotOpen});
    QCOMPARE(desk.dialogs.shown.first().icon, Dialogs::Icon::Critical);
    showAndActivate(form);

    // Completing a bill number needs the unit's template: the failure is shown, the box and focus stay.
    form.TxBillFrom->setFocus();
    form.TxBillFrom->setText(u"45"_s);
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    QCOMPARE(desk.dialogs.texts(), (QStringList{NotOpen, NotOpen}));
    QCOMPARE(form.TxBillFrom->text(), u"45"_s);
    QVERIFY(form.TxBillFrom->hasFocus());

    QTest::keyClick(form.TxCombination, Qt::Key_F1);
    QCOMPARE(desk.dialogs.shown.size(), 3);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(form.isVisible());
}

void tst_FrmPrintBill::getDetailsLocksTheBillNumbersToOneSchedule()
{
    BillDesk desk(false);
    frmPrintBill &form = *desk.form;
    form.GetDetails(u"0110001"_s);
    QVERIFY(form.isVisible());
    QVERIFY(form.singleScheduleMode());
    QCOMPARE(form.TxBillFrom->text(), u"0110001"_s);
    QCOMPARE(form.TxBillTo->text(), u"0110001"_s);
    QVERIFY(!form.TxBillFrom->isEnabled());
    QVERIFY(!form.TxBillTo->isEnabled());
    QVERIFY(!form.ChkSplitBill->isChecked());
    QVERIFY(form.billFilter().singleSchedule);

    frmPrintBill split(desk.context);
    split.GetSplitDetails(u"0110002"_s, u"Split Co"_s, u"Line A"_s, u"Line B"_s, u"Line C"_s, 1500.0);
    QVERIFY(split.ChkSplitBill->isChecked());
    const BillFilter filter = split.billFilter();
    QVERIFY(filter.split);
    QVERIFY(filter.singleSchedule);
    QCOMPARE(filter.billFrom, u"0110002"_s);
    QCOMPARE(filter.splitClient, u"Split Co"_s);
    QCOMPARE(filter.splitAdd1, u"Line A"_s);
    QCOMPARE(filter.splitAdd2, u"Line B"_s);
    QCOMPARE(filter.splitAdd3, u"Line C"_s);
    QCOMPARE(filter.splitTotal, u"1500"_s);
    QCOMPARE(filter.unitCode, u"01"_s);
    split.GetSplitDetails(u"0110002"_s, {}, {}, {}, {}, 1234.5);
    QCOMPARE(split.TxSplitTotal->text(), u"1234.5"_s);

    split.close();
    QVERIFY(!split.singleScheduleMode());
}

void tst_FrmPrintBill::unusableGroupListIsRefusedBeforeTheGridIsTouched()
{
    BillDesk desk(false);
    frmPrintBill &form = *desk.form;
    desk.dialogs.shown.clear();
    form.FBook->sheet().setText(FirstBillRow, 1, u"kept"_s);
    form.TxGroup->setText(u"'G2') or ('1'='1"_s);
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::GroupListInvalid});
    QCOMPARE(form.FBook->sheet().text(FirstBillRow, 1), u"kept"_s);

    desk.dialogs.shown.clear();
    form.TxGroup->clear();
    form.ChkSplitBill->setChecked(true);
    form.TxSplitTotal->setText(u"fifteen"_s);
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::SplitTotalInvalid});
    QCOMPARE(form.FBook->sheet().text(FirstBillRow, 1), u"kept"_s);
}

void tst_FrmPrintBill::enterCompletesBillNumbersFromTheUnitTemplate()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true, true);
    frmPrintBill &form = *desk.form;

    form.TxBillFrom->setFocus();
    QTest::keyClicks(form.TxBillFrom, u"45"_s);
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    QCOMPARE(form.TxBillFrom->text(), u"AB/00045"_s);
    QVERIFY(form.TxBillTo->hasFocus());

    QTest::keyClicks(form.TxBillTo, u"CD/1234567"_s);
    QTest::keyClick(form.TxBillTo, Qt::Key_Return);
    QCOMPARE(form.TxBillTo->text(), u"AB/34567"_s);
    QVERIFY(form.CmShow->hasFocus());
    // A second Enter presses Show (today's dates have no bills).
    QTest::keyClick(form.CmShow, Qt::Key_Return);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::NoRecordsFound});
    desk.dialogs.shown.clear();

    // A disabled Show keeps the focus here.
    form.CmShow->setEnabled(false);
    form.TxBillTo->setFocus();
    QTest::keyClick(form.TxBillTo, Qt::Key_Return);
    QVERIFY(form.TxBillTo->hasFocus());
    QVERIFY(desk.dialogs.shown.isEmpty());
}

// Enter through empty bill-number boxes keeps them empty, so Show lists every bill of the dates
// instead of a range that no bill number meets.
void tst_FrmPrintBill::enterLeavesEmptyBillNumbersEmpty()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true, true);
    frmPrintBill &form = *desk.form;
    setDates(form, {2026, 12, 1}, {2026, 12, 2});
    form.TxCombination->setFocus();
    QTest::keyClick(form.TxCombination, Qt::Key_Return);
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    form.TxBillTo->setText(u"  "_s);
    QTest::keyClick(form.TxBillTo, Qt::Key_Return);
    QCOMPARE(form.TxBillFrom->text(), QString());
    QCOMPARE(form.TxBillTo->text(), QString());
    QVERIFY(form.CmShow->hasFocus());
    QTest::keyClick(form.CmShow, Qt::Key_Return);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow + 1);
}

void tst_FrmPrintBill::missingNumberSetupEmptiesTheBox()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true);
    desk.state.CurrentUnitCode = u"02"_s;
    frmPrintBill &form = *desk.form;
    showAndActivate(form);
    form.TxBillFrom->setFocus();
    QTest::keyClicks(form.TxBillFrom, u"45"_s);
    QTest::keyClick(form.TxBillFrom, Qt::Key_Return);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::NumberSetupError + u"\r\n"_s + Msg::ContactAdministrator});
    QCOMPARE(form.TxBillFrom->text(), QString());
    QVERIFY(form.TxBillTo->hasFocus());
}

void tst_FrmPrintBill::f1OpensThePickersIntoTheFilterBoxes()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true, true);
    frmPrintBill &form = *desk.form;

    form.TxCombination->setText(u"old"_s);
    applyWhenOpen({2, 0});
    QTest::keyClick(form.TxCombination, Qt::Key_F1);
    QCOMPARE(form.TxCombination->text(), u"DLY/MAG"_s);

    applyWhenOpen({1, 0});
    QTest::keyClick(form.TxGroup, Qt::Key_F1);
    QCOMPARE(form.TxGroup->text(), u"'G2','G5'"_s);

    // Apply with nothing ticked empties the box; closing the picker otherwise leaves it alone.
    applyWhenOpen({});
    QTest::keyClick(form.TxGroup, Qt::Key_F1);
    QCOMPARE(form.TxGroup->text(), QString());
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QTest::keyClick(form.TxCombination, Qt::Key_F1);
    QCOMPARE(form.TxCombination->text(), u"DLY/MAG"_s);
}

void tst_FrmPrintBill::showGeneratesTheBillsOfTheRange()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true);
    frmPrintBill &form = *desk.form;
    setDates(form, {2026, 12, 1}, {2026, 12, 2});
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow + 1);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::BillNo), u"AB/00045"_s);
    QCOMPARE(cell(form, FirstBillRow + 1, BillColumn::BillNo), u"AB/00046"_s);
    QVERIFY(form.CmPrint->isEnabled());
    const Sheet &sheet = form.FBook->sheet();
    // The cursor on the last bill, in the column of the bill numbers.
    QCOMPARE(sheet.activeRow(), FirstBillRow + 1);
    QCOMPARE(sheet.activeColumn(), 1);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Export offers the caption and From date as the name, in the export folder, and saves the bills.
    QTemporaryDir folder;
    desk.deployment.appFolder = folder.path();
    const QString path = folder.filePath(u"bills.xls"_s);
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{path, {}});
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.saveRequests.size(), 1);
    QCOMPARE(desk.dialogs.saveRequests.first().proposedName, u"Print Bill01-Dec-2026"_s);
    QCOMPARE(desk.dialogs.saveRequests.first().folder, folder.filePath(u"Excel Files"_s));
    QVERIFY(QFileInfo(path).size() > 0);

    // A second Show starts from a fresh grid: the group filter leaves one agency type out.
    desk.dialogs.shown.clear();
    form.TxGroup->setText(u"'G5'"_s);
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::NoRecordsFound});
    QCOMPARE(form.currentRow(), HeaderRow);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::BillNo), QString());
    QVERIFY(form.CmPrint->isEnabled());
}

void tst_FrmPrintBill::showRunsSplitAndExchangeBillsByTheirBoxes()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true);
    frmPrintBill &form = *desk.form;
    form.GetSplitDetails(u"0110002"_s, u"Split Co"_s, u"Line A"_s, u"Line B"_s, u"Line C"_s, 1500.0);
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::BillNo), u"AB/00046"_s);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::ClientName), u"Split Co, Line A"_s);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::Amount), u"1500"_s);

    // Split wins over exchange; exchange alone lists by schedule number.
    form.ChkExchangeBill->setChecked(true);
    form.CmShow->click();
    QCOMPARE(cell(form, FirstBillRow, BillColumn::ClientName), u"Split Co, Line A"_s);
    form.ChkSplitBill->setChecked(false);
    form.CmShow->click();
    QCOMPARE(cell(form, FirstBillRow, BillColumn::BillNo), u"0110002"_s);
    QCOMPARE(cell(form, FirstBillRow, BillColumn::ClientName), u"Client Two, Street 2"_s);
}

void tst_FrmPrintBill::secondShowDuringGenerationIsIgnored()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true);
    frmPrintBill &form = *desk.form;
    setDates(form, {2026, 12, 1}, {2026, 12, 2});
    // The click arrives while the grid fills and lets window events run.
    // Close pressed then waits too: the generation still writes into the form's grid.
    bool hourglassUp = false;
    bool closed = true;
    QTimer::singleShot(0, &form, [&] {
        hourglassUp = QApplication::overrideCursor() != nullptr;
        form.CmShow->click();
        closed = form.close();
    });
    form.CmShow->click();
    QVERIFY(hourglassUp);
    QVERIFY(!closed);
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow + 1);
    QVERIFY(form.close());
}

// Esc while the grid fills ends the generation: the window says so, and a grid that holds only
// part of the bills is neither printed nor exported until a Show completes.
void tst_FrmPrintBill::escStopsTheGenerationAndLocksTheOutputs()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true, true);
    frmPrintBill &form = *desk.form;
    setDates(form, {2026, 12, 1}, {2026, 12, 5});
    const QList<QWidget *> outputs = {form.CmPrint, form.CmExcel, form.CmEInvoice};
    QTimer::singleShot(0, &form, [&] { QTest::keyClick(form.TxBillFrom, Qt::Key_Escape); });
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationStopped});
    for (QWidget *button : outputs)
        QVERIFY(!button->isEnabled());

    desk.dialogs.shown.clear();
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow + 2);
    for (QWidget *button : outputs)
        QVERIFY(button->isEnabled());
}

void tst_FrmPrintBill::refusedDatesPutTheFocusOnToDate()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true, true);
    frmPrintBill &form = *desk.form;
    setDates(form, {2026, 12, 2}, {2026, 12, 1});
    form.CmShow->setFocus();
    form.CmShow->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::ToDateBeforeFromDate});
    QVERIFY(form.DtTo->hasFocus());
    QVERIFY(form.CmPrint->isEnabled());
}

void tst_FrmPrintBill::mainWindowOpensOneFormAtATime()
{
    BillDesk desk(false);
    frmMain main(desk.context);
    showAndActivate(main);
    main.mnuPrintBill->trigger();
    main.mnuPrintBill->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
    QVERIFY(sub);
    auto *form = qobject_cast<frmPrintBill *>(sub->widget());
    QVERIFY(form);
    QVERIFY(!form->isModal());
    QVERIFY(form->DtFrom->hasFocus());

    // Close unloads the form; the menu then opens a fresh one.
    QPointer<frmPrintBill> closed(form);
    form->GetDetails(u"0110001"_s);
    form->CmClose->click();
    QTRY_VERIFY(closed.isNull());
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    main.mnuPrintBill->trigger();
    form = qobject_cast<frmPrintBill *>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(form->TxBillFrom->isEnabled());
    QVERIFY(!form->singleScheduleMode());
}

void tst_FrmPrintBill::eInvoiceButtonStandsNextToExport()
{
    BillDesk desk(false);
    frmPrintBill &form = *desk.form;
    QCOMPARE(form.CmEInvoice->text(), u"e-Invoice"_s);
    QCOMPARE(form.Frame2->layout()->indexOf(form.CmEInvoice), form.Frame2->layout()->indexOf(form.CmExcel) + 1);
    QStringList choices;
    for (const QAction *action : form.CmEInvoice->menu()->actions())
        choices << action->text();
    QCOMPARE(choices,
             (QStringList{u"e-Invoice documents"_s, u"PDF"_s, u"Import IRP answers"_s, u"GSTR-1 for the month"_s}));

    // Without a connection the failure is shown and the form carries on.
    QTemporaryDir folder;
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{folder.filePath(u"bills.json"_s), {}});
    form.CmEInvoice->documentsAction->trigger();
    QCOMPARE(desk.dialogs.texts(), QStringList{NotOpen});
    QCOMPARE(desk.dialogs.shown.first().icon, Dialogs::Icon::Critical);
    QVERIFY(!QFile::exists(folder.filePath(u"bills.json"_s)));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_FrmPrintBill::eInvoiceButtonWritesAndImportsForTheGrid()
{
    REQUIRE_TEST_DB();
    BillDesk desk(true);
    frmPrintBill &form = *desk.form;
    QTemporaryDir folder;
    desk.deployment.appFolder = folder.path();
    setDates(form, {2026, 12, 1}, {2026, 12, 5});
    form.CmShow->click();
    QCOMPARE(form.currentRow(), FirstBillRow + 2);

    const QString documents = folder.filePath(u"bills.json"_s);
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{documents, {}});
    form.CmEInvoice->documentsAction->trigger();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"1 documents written, 2 bills listed in the report"_s});
    QCOMPARE(desk.dialogs.saveRequests.last().folder, folder.path());
    QFile written(folder.filePath(u"bills-readiness.csv"_s));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("Bill No,Reason\n"
                                           "AB/00045,no agency GSTIN; no agency address; bill amount 1180.00 is not "
                                           "the taxable value plus tax 1000.00\n"
                                           "AB/00046,no agency GSTIN; no agency address; bill amount 590.00 is not the "
                                           "taxable value plus tax 500.00\n"));

    // An existing file is replaced only when the user says so.
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{documents, {}});
    desk.dialogs.answers.push_back(Dialogs::Answer::No);
    form.CmEInvoice->documentsAction->trigger();
    QCOMPARE(desk.dialogs.texts(), QStringList{documents + u" already exists. Replace it?"_s});

    // The portal's answer for the registered bill, imported once.
    const QString answers = folder.filePath(u"answers.json"_s);
    QVERIFY(
        writeAll(answers, QJsonDocument(QJsonArray{IrpTokens::answer(u"AB/00050"_s, IrpTokens::irn('a'))}).toJson()));
    desk.dialogs.shown.clear();
    desk.dialogs.openPaths = {answers, answers};
    form.CmEInvoice->importAction->trigger();
    form.CmEInvoice->importAction->trigger();
    QCOMPARE(desk.dialogs.texts(), (QStringList{u"1 answers imported, 0 already registered"_s,
                                                u"0 answers imported, 1 already registered"_s}));
    // The form's line of e-invoice states follows Show: the answer's QR code names no buyer or total.
    QCOMPARE(form.LbEInvoiceStatus->text(), u"e-Invoice: 3 not registered"_s);
    form.CmShow->click();
    QCOMPARE(form.LbEInvoiceStatus->text(), u"e-Invoice: 1 changed since registration, 2 not registered"_s);

    // GSTR-1 of the From date's month: the table where the user says, the company's file beside it.
    const QString table = folder.filePath(u"gstr1.csv"_s);
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{table, {}});
    form.mnuGstr1->trigger();
    QCOMPARE(desk.dialogs.saveRequests.last().proposedName, u"GSTR1_122026.csv"_s);
    QCOMPARE(desk.dialogs.texts(),
             QStringList{u"GSTR-1 of 12-2026: 3 bills in 1 files, 0 bills with problems listed"_s});
    QCOMPARE(QDir(folder.path()).entryList({u"*_122026_GSTR1.json"_s}).size(), 1);
    QVERIFY(QFileInfo(table).size() > 0);

    // The plain-paper invoices: one page per bill copy, in a file named with its suffix.
    const QString pdf = folder.filePath(u"bills.pdf"_s);
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{folder.filePath(u"bills"_s), {}});
    form.CmEInvoice->pdfAction->trigger();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"3 bills written to "_s + pdf});
    QCOMPARE(desk.dialogs.saveRequests.last().kind, u"InvoicePdf"_s);
    QVERIFY(QFileInfo(pdf).size() > 1000);

    // Split-share bills carry no GSTIN line: none becomes a document.
    form.ChkSplitBill->setChecked(true);
    form.TxSplitClient->setText(u"Share Client"_s);
    form.TxSplitTotal->setText(u"500"_s);
    form.CmShow->click();
    desk.dialogs.shown.clear();
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{folder.filePath(u"split.json"_s), {}});
    form.CmEInvoice->documentsAction->trigger();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"0 documents written, 3 bills listed in the report"_s});
}

QTEST_MAIN(tst_FrmPrintBill)
#include "tst_frmprintbill.moc"
