#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "desk.h"
#include "testdb.h"
#include "testfiles.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Fixture = uR"(
INSERT INTO productmaster (product_code, product_name, product_priority) VALUES ('DLY', 'Daily', 1);
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_01', 'AB/00120');
INSERT INTO advt_clienttype (group_code, group_name, group_comm, group_no_of_bills, group_bp_type) VALUES
  ('G2', 'Agencies', 15, 1, '1');
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Chennai');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea) VALUES
  ('AG1', 'Ads Ltd', 'G2', 'S1');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
                           sch_client_name, sch_client_address, sch_ed_code, sch_ed_pdt, sch_gross_amt, sch_net_total)
VALUES ('01', '0110001', 'AB/00045', '2026-12-01', '2026-12-01', 'AG1', 'Client One', 'Street 1', 'DLY', 'Daily', 1000, 1180),
       ('01', '0110002', 'AB/00046', '2026-12-02', '2026-12-02', 'AG1', 'Client Two', 'Street 2', 'DLY', 'Daily', 500, 590);
)"_s;

// The desk of the Chennai unit on the fixture, with a stand-in spooler in the application folder
// that renames the print file it is given.
struct PrintDesk : Desk
{
    PrintDesk() : Desk(u"printbuttons"_s)
    {
        state.CurrentUnitCode = u"01"_s;
        state.CurrentUnitName = u"Chennai Unit"_s;
        state.DefaultProductCode = u"DLY"_s;
        writeScript(folder.filePath(u"inetspooler"_s),
                    "#!/bin/sh\nfor f; do :; done\nprintf '%s' \"$*\" > \"$f.tmp\" && mv \"$f.tmp\" \"$f.spooled\"\n");
        openDatabase({Fixture});
    }
};

void showBills(frmPrintBill &form)
{
    form.DtFrom->setDate({2026, 12, 1});
    form.DtTo->setDate({2026, 12, 2});
    form.CmShow->click();
}

}  // namespace

class tst_PrintButtons : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printWritesTheInvoicesAndStartsTheSpooler();
    void printTellsWhereTheBillsWent();
    void exportSavesWhereTheDialogSays();
    void exportWaitsForTheHourglassAndForBills();
};

void tst_PrintButtons::initTestCase() { REQUIRE_TEST_DB(); }

void tst_PrintButtons::printWritesTheInvoicesAndStartsTheSpooler()
{
    PrintDesk desk;
    frmPrintBill form(desk.context);
    const QString prn = desk.folder.filePath(u"sch.prn"_s);
    const QString pdf = desk.folder.filePath(u"sch.pdf"_s);
    form.CmPrint->setEnabled(true);
    form.CmPrint->click();  // nothing generated yet: an empty file, still spooled
    QCOMPARE(readAll(prn), QByteArray());
    QTRY_COMPARE(readAll(prn + u".spooled"_s), "--page-lines 48 -- " + prn.toUtf8());
    QFile::remove(prn + u".spooled"_s);

    showBills(form);
    form.CmPrint->click();
    // Two bills of BP Type "1": two copies each.
    QCOMPARE(readAll(prn).count("\r\n"), 4 * 48);
    QVERIFY(readAll(prn).contains("BILL No :  AB/00046"));
    QTRY_COMPARE(readAll(prn + u".spooled"_s), "--page-lines 48 -- " + prn.toUtf8());
    QCOMPARE(desk.dialogs.texts(), (QStringList{u"0 bills sent to "_s + pdf, u"Bill Generation Completed.   "_s,
                                                u"2 bills sent to "_s + pdf}));
    QVERIFY(form.CmShow->isEnabled());
}

// Print tells where the bills went: the printer's queue, or the PDF the spooler draws; a spooler
// that cannot start is a print that failed, and nothing is said to have gone anywhere.
void tst_PrintButtons::printTellsWhereTheBillsWent()
{
    PrintDesk desk;
    frmPrintBill form(desk.context);
    showBills(form);
    desk.dialogs.shown.clear();
    desk.deployment.spoolerMode = u"cups"_s;
    form.CmPrint->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"2 bills sent to the printer"_s});

    desk.dialogs.shown.clear();
    desk.deployment.spoolerMode = u"pdf"_s;
    desk.deployment.spoolerOutputFolder = desk.folder.filePath(u"pdf"_s);
    form.CmPrint->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"2 bills sent to "_s + desk.folder.filePath(u"pdf/sch.pdf"_s)});

    desk.dialogs.shown.clear();
    QVERIFY(QFile::remove(desk.folder.filePath(u"inetspooler"_s)));
    form.CmPrint->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{Msg::FileCannotBePrinted});
}

void tst_PrintButtons::exportSavesWhereTheDialogSays()
{
    PrintDesk desk;
    frmPrintBill form(desk.context);
    showBills(form);
    const QString path = desk.folder.filePath(u"bills.xls"_s);
    desk.dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.saveRequests.size(), 1);
    QCOMPARE(desk.dialogs.saveRequests[0].folder, desk.folder.filePath(u"Excel Files"_s));
    QCOMPARE(desk.dialogs.saveRequests[0].proposedName, u"Print Bill01-Dec-2026"_s);
    QVERIFY(readAll(path).startsWith("\xd0\xcf\x11\xe0"));
    QVERIFY(!QApplication::overrideCursor());
}

void tst_PrintButtons::exportWaitsForTheHourglassAndForBills()
{
    PrintDesk desk;
    frmPrintBill form(desk.context);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    form.CmExcel->click();
    QApplication::restoreOverrideCursor();
    QVERIFY(desk.dialogs.shown.isEmpty());
    form.CmExcel->click();
    QCOMPARE(desk.dialogs.texts(), QStringList{u"No details found.   "_s});
    QVERIFY(desk.dialogs.saveRequests.isEmpty());
}

QTEST_MAIN(tst_PrintButtons)
#include "tst_printbuttons.moc"
