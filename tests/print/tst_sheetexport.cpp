#include "billing/billcolumns.h"
#include "billing/sheetexport.h"
#include "common/messages.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDate From(2023, 12, 1);

void fillTwoBills(Sheet &sheet)
{
    sheet.setColumnCount(BillColumnCount);
    sheet.setText(TitleRow, 1, u"SV - DAILY"_s);
    sheet.setText(HeaderRow, 1, u"Bill No"_s);
    sheet.setText(5, 1, u"KCH/26/00001"_s);
    sheet.setNumber(5, 7, 1575);
    sheet.setText(6, 1, u"KCH/26/00002"_s);
    sheet.setNumber(6, 7, 2100.5);
}

SheetExport request(const QString &folder, int currentRow = 6)
{
    return SheetExport{folder, u"Print Bill"_s, From, currentRow};
}

}  // namespace

class tst_SheetExport : public QObject
{
    Q_OBJECT
private slots:
    void emptyGridOnlySaysSo();
    void asksInTheExportFolderMadeOnce();
    void overwriteNeedsAYes();
    void savesTheChosenFormat();
    void showsFailuresWithTheirDescription();
};

void tst_SheetExport::emptyGridOnlySaysSo()
{
    QTemporaryDir dir;
    Sheet sheet;
    RecordingDialogs dialogs;
    exportSheet(sheet, dialogs, request(dir.path(), HeaderRow));
    QCOMPARE(dialogs.texts(), QStringList{u"No details found.   "_s});
    QVERIFY(dialogs.saveRequests.isEmpty());
    QVERIFY(!QDir(dir.filePath(u"Excel Files"_s)).exists());
}

void tst_SheetExport::asksInTheExportFolderMadeOnce()
{
    QTemporaryDir dir;
    Sheet sheet;
    fillTwoBills(sheet);
    RecordingDialogs dialogs;
    exportSheet(sheet, dialogs, request(dir.path()));  // cancelled: silently nothing
    QCOMPARE(dialogs.saveRequests.size(), 1);
    const Dialogs::SaveRequest &asked = dialogs.saveRequests.first();
    const QString folder = dir.filePath(u"Excel Files"_s);
    QCOMPARE(asked.folder, folder);
    QCOMPARE(asked.filters, (QStringList{u"Excel Files (*.xls) | *.xls"_s, u"Excel Workbook (*.xlsx)"_s}));
    QCOMPARE(asked.proposedName, u"Print Bill01-Dec-2023"_s);
    QCOMPARE(asked.kind, u"Export"_s);
    QVERIFY(QDir(folder).exists());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
    // The folder is there from now on and is simply used.
    dialogs.savePaths.push_back(Dialogs::SavePath{folder + u"/first.xls"_s, QString()});
    exportSheet(sheet, dialogs, request(dir.path()));
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"first.xls"_s});
}

void tst_SheetExport::overwriteNeedsAYes()
{
    QTemporaryDir dir;
    Sheet sheet;
    fillTwoBills(sheet);
    const QString path = dir.filePath(u"bills.xls"_s);
    QVERIFY(writeAll(path, "old"));
    RecordingDialogs dialogs;
    dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    dialogs.answers.push_back(Dialogs::Answer::No);
    exportSheet(sheet, dialogs, request(dir.path()));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, u"Are you sure you want to overwrite"_s);
    QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Information);
    QCOMPARE(readAll(path), QByteArray("old"));

    dialogs.savePaths.push_back(Dialogs::SavePath{path, QString()});
    dialogs.answers.push_back(Dialogs::Answer::Yes);
    exportSheet(sheet, dialogs, request(dir.path()));
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(readAll(path).startsWith("\xd0\xcf\x11\xe0"));  // the workbook's compound file
    // The name typed without its suffix is the same file.
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"bills"_s), QString()});
    dialogs.answers.push_back(Dialogs::Answer::No);
    exportSheet(sheet, dialogs, request(dir.path()));
    QCOMPARE(dialogs.texts().last(), u"Are you sure you want to overwrite"_s);
    QVERIFY(!QFile::exists(dir.filePath(u"bills"_s)));
    // The grid's block from row 1 to ten rows past the last bill is selected, as the grid's own
    // export left it.
    Sheet::Font bold;
    bold.bold = true;
    sheet.setFont(bold);
    QVERIFY(sheet.style(1, 1).font.bold);
    QVERIFY(sheet.style(6 + 10, BillColumnCount).font.bold);
    QVERIFY(!sheet.style(6 + 11, 1).font.bold);
}

void tst_SheetExport::savesTheChosenFormat()
{
    QTemporaryDir dir;
    Sheet sheet;
    fillTwoBills(sheet);
    RecordingDialogs dialogs;
    // The filter picks the format, and gives its suffix to a name that ends in none of the
    // filters' (so the dialog shows the file the next time).
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"plain"_s), u"Excel Files (*.xls) | *.xls"_s});
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"newer"_s), u"Excel Workbook (*.xlsx)"_s});
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"named.XLSX"_s), QString()});
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"Print Bill01-Dec-2023"_s), QString()});
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"bills.2023"_s), QString()});
    for (int i = 0; i < 5; ++i)
        exportSheet(sheet, dialogs, request(dir.path()));
    QVERIFY(dialogs.shown.isEmpty());
    QStringList written = QDir(dir.path()).entryList(QDir::Files);
    written.sort();
    QCOMPARE(written, (QStringList{u"Print Bill01-Dec-2023.xls"_s, u"bills.2023.xls"_s, u"named.XLSX"_s,
                                   u"newer.xlsx"_s, u"plain.xls"_s}));
    QVERIFY(readAll(dir.filePath(u"plain.xls"_s)).startsWith("\xd0\xcf\x11\xe0"));
    QVERIFY(readAll(dir.filePath(u"newer.xlsx"_s)).startsWith("PK"));
    QVERIFY(readAll(dir.filePath(u"named.XLSX"_s)).startsWith("PK"));
}

void tst_SheetExport::showsFailuresWithTheirDescription()
{
    QTemporaryDir dir;
    Sheet sheet;
    fillTwoBills(sheet);
    RecordingDialogs dialogs;
    // The application folder is gone: the export folder cannot be made, and no dialog opens.
    exportSheet(sheet, dialogs, request(dir.filePath(u"gone"_s)));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(dialogs.shown[0].text.contains(u"No such file or directory"_s), qPrintable(dialogs.shown[0].text));
    QVERIFY(dialogs.saveRequests.isEmpty());
    // A path in a folder that does not exist: the writer's description is shown.
    dialogs.savePaths.push_back(Dialogs::SavePath{dir.filePath(u"missing/bills.xls"_s), QString()});
    exportSheet(sheet, dialogs, request(dir.path()));
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY(!dialogs.shown[1].text.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(u"missing/bills.xls"_s)));
}

QTEST_GUILESS_MAIN(tst_SheetExport)
#include "tst_sheetexport.moc"
