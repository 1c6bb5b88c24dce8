#include "common/messages.h"
#include "sheet/sheet.h"
#include "sheet/workbookwriter.h"
#include "testfiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Rupee = u"\u20B9 1500 \u2013 M\u00FCller"_s;  // needs the two-byte string form

Sheet::Font font(const QString &name, double size, bool bold, QRgb color = 0xff000000)
{
    Sheet::Font f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    f.color = color;
    return f;
}

// A bill grid as set-up and generation leave it, with a few texts that stress the string table.
void fillBillGrid(Sheet &sheet, int bills)
{
    sheet.setColumnCount(58);
    sheet.setRowHeight(1, 500);
    sheet.setText(1, 1, u"SV - DAILY"_s);
    sheet.setSelection(1, 1, 1, 1);
    sheet.setFont(font(u"Book Antiqua"_s, 14, true, 0xff000080));
    sheet.setText(2, 1, u"Unit One"_s);
    sheet.setText(3, 1, u"Receipt Report"_s);
    sheet.setFixedRows(4);
    for (int c = 1; c <= 58; ++c) {
        sheet.setText(4, c, u"Head %1"_s.arg(c));
        if (c <= 7)
            sheet.setColumnWidth(c, c == 1 ? 3500 : 2000);
        else if (c <= 36 || (c >= 43 && c <= 45))
            sheet.setColumnWidth(c, 0);
        else if (c >= 46)
            sheet.setColumnWidth(c, 3000);
    }
    sheet.setSelection(4, 1, 4, 58);
    sheet.setFont(font(u"ARIAL"_s, 8, true));
    sheet.setBorders(true, true, true, true);
    sheet.setFill(0xffc0c0c0);
    sheet.setSelection(4, 7, sheet.rowCount(), 7);
    sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
    sheet.setNumberFormat(u"0.00"_s);
    for (int row = 5; row < 5 + bills; ++row) {
        sheet.setText(row, 1, u"B/%1"_s.arg(row));
        sheet.setText(row, 4, u"Client %1, Address"_s.arg(row % 7));
        sheet.setNumber(row, 7, 1500.5 + row);
        sheet.setNumber(row, 54, 0.1 * row);
        sheet.setSelection(row, 1, row, 58);
        sheet.setFont(font(u"ARIAL"_s, 8, false));
    }
    sheet.setText(5, 20, Rupee);
    sheet.setText(6, 20, QString(9000, u'x'));           // longer than one record
    sheet.setText(7, 20, QString(5000, QChar(0x20AC)));  // two bytes a character, split too
    sheet.setText(8, 20, u"after the long ones"_s);
}

QString python() { return QFile::exists(u"/usr/bin/python3"_s) ? u"/usr/bin/python3"_s : u"python3"_s; }

// Runs the read-back script; an empty object when xlrd is missing.
QJsonObject readBack(const QStringList &arguments)
{
    QProcess process;
    const QString script = qEnvironmentVariable("SELVORO_SOURCE_DIR") + u"/tests/sheet/readback.py"_s;
    process.start(python(), QStringList{script} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {{u"error"_s, u"python did not finish"_s}};
    if (process.exitCode() == 3)
        return {};
    if (process.exitCode() != 0)
        return {{u"error"_s, QString::fromUtf8(process.readAllStandardError())}};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QJsonArray cell(const QJsonObject &book, int row, int column)
{
    return book[u"values"_s].toArray()[row - 1].toArray()[column - 1].toArray();
}

}  // namespace

class tst_WorkbookWriter : public QObject
{
    Q_OBJECT
private slots:
    void xlsReadsBackWithValuesAndFormats();
    void largeXlsNeedsMoreThanTheHeaderFatList();
    void xlsIsTheSameForTheSameGridAndEmptyGridsOpen();
    void failuresLeaveNoHalfWrittenFile();
    void xlsxReadsBack();
    void libreOfficeOpensTheXls();

private:
    QTemporaryDir m_dir;
};

void tst_WorkbookWriter::xlsReadsBackWithValuesAndFormats()
{
    Sheet sheet;
    fillBillGrid(sheet, 40);
    sheet.setRowHeight(44, 0);
    const QString path = m_dir.filePath(u"bills.xls"_s);
    QCOMPARE(writeXls(sheet, path), std::nullopt);
    const QJsonObject book = readBack({u"xls"_s, path, u"1,1"_s, u"4,1"_s, u"4,7"_s, u"5,7"_s, u"5,1"_s, u"5,8"_s});
    if (book.isEmpty())
        QSKIP("python3-xlrd is not installed");
    QVERIFY2(!book.contains(u"error"_s), qPrintable(book[u"error"_s].toString()));

    QCOMPARE(book[u"sheets"_s].toArray(), QJsonArray{u"Sheet1"_s});
    QCOMPARE(book[u"codepage"_s].toInt(), 1200);
    QCOMPARE(book[u"values"_s].toArray().size(), 44);
    QCOMPARE(cell(book, 1, 1), (QJsonArray{1, u"SV - DAILY"_s}));
    QCOMPARE(cell(book, 3, 1), (QJsonArray{1, u"Receipt Report"_s}));
    QCOMPARE(cell(book, 4, 58), (QJsonArray{1, u"Head 58"_s}));
    QCOMPARE(cell(book, 5, 7), (QJsonArray{2, 1505.5}));
    QCOMPARE(cell(book, 44, 54)[1].toDouble(), 4.4);
    QCOMPARE(cell(book, 5, 20), (QJsonArray{1, Rupee}));
    QCOMPARE(cell(book, 6, 20)[1].toString(), QString(9000, u'x'));
    QCOMPARE(cell(book, 7, 20)[1].toString(), QString(5000, QChar(0x20AC)));
    QCOMPARE(cell(book, 8, 20)[1].toString(), u"after the long ones"_s);
    QCOMPARE(cell(book, 5, 8)[0].toInt(), 6);  // a formatted empty cell is blank

    const QJsonObject formats = book[u"formats"_s].toObject();
    const QJsonObject title = formats[u"1,1"_s][u"font"_s].toObject();
    QCOMPARE(title[u"name"_s].toString(), u"Book Antiqua"_s);
    QCOMPARE(title[u"height"_s].toInt(), 280);
    QCOMPARE(title[u"weight"_s].toInt(), 700);
    QCOMPARE(title[u"bold"_s].toInt(), 1);
    QCOMPARE(title[u"colour"_s].toArray(), (QJsonArray{0, 0, 128}));

    const QJsonObject headerAmount = formats[u"4,7"_s].toObject();
    QCOMPARE(headerAmount[u"format"_s].toString(), u"0.00"_s);
    QCOMPARE(headerAmount[u"hor"_s].toInt(), 3);
    QCOMPARE(headerAmount[u"vert"_s].toInt(), 1);
    QCOMPARE(headerAmount[u"borders"_s].toArray(), (QJsonArray{1, 1, 1, 1}));
    QCOMPARE(headerAmount[u"fill"_s].toInt(), 1);
    QCOMPARE(headerAmount[u"fill_colour"_s].toArray(), (QJsonArray{192, 192, 192}));
    QCOMPARE(headerAmount[u"font"_s][u"name"_s].toString(), u"ARIAL"_s);
    QCOMPARE(headerAmount[u"font"_s][u"height"_s].toInt(), 160);
    QCOMPARE(formats[u"4,1"_s][u"format"_s].toString(), u"General"_s);
    QCOMPARE(formats[u"4,1"_s][u"hor"_s].toInt(), 0);
    QCOMPARE(formats[u"5,7"_s][u"format"_s].toString(), u"0.00"_s);
    QCOMPARE(formats[u"5,7"_s][u"font"_s][u"weight"_s].toInt(), 400);
    QCOMPARE(formats[u"5,1"_s][u"borders"_s].toArray(), (QJsonArray{0, 0, 0, 0}));
    QCOMPARE(formats[u"5,8"_s][u"font"_s][u"height"_s].toInt(), 160);

    const QJsonObject columns = book[u"columns"_s].toObject();
    QCOMPARE(columns[u"1"_s].toArray(), (QJsonArray{3500, 0}));
    QCOMPARE(columns[u"7"_s].toArray(), (QJsonArray{2000, 0}));
    QCOMPARE(columns[u"8"_s].toArray(), (QJsonArray{0, 1}));
    QCOMPARE(columns[u"45"_s].toArray(), (QJsonArray{0, 1}));
    QCOMPARE(columns[u"46"_s].toArray(), (QJsonArray{3000, 0}));
    QVERIFY(!columns.contains(u"37"_s));
    QCOMPARE(book[u"rows"_s].toObject()[u"1"_s].toInt(), 500);
    QCOMPARE(book[u"hidden_rows"_s].toArray(), QJsonArray{44});
    QCOMPARE(cell(book, 44, 1)[1].toString(), u"B/44"_s);  // hidden, not lost
    QCOMPARE(book[u"frozen"_s].toInt(), 1);
    QCOMPARE(book[u"split"_s].toInt(), 4);
}

void tst_WorkbookWriter::largeXlsNeedsMoreThanTheHeaderFatList()
{
    Sheet sheet;
    sheet.setColumnCount(58);
    constexpr int Rows = 4000;
    for (int row = 1; row <= Rows; ++row)
        for (int c = 1; c <= 58; ++c)
            sheet.setText(row, c, u"Row %1 column %2 text"_s.arg(row).arg(c));
    const QString path = m_dir.filePath(u"large.xls"_s);
    QCOMPARE(writeXls(sheet, path), std::nullopt);
    QVERIFY(QFileInfo(path).size() > 109 * 128 * 512);  // beyond what the header's FAT list covers
    const QJsonObject book = readBack({u"xls"_s, path});
    if (book.isEmpty())
        QSKIP("python3-xlrd is not installed");
    QVERIFY2(!book.contains(u"error"_s), qPrintable(book[u"error"_s].toString()));
    QCOMPARE(book[u"values"_s].toArray().size(), Rows);
    for (int row : {1, 1234, Rows})
        for (int c : {1, 29, 58})
            QCOMPARE(cell(book, row, c)[1].toString(), u"Row %1 column %2 text"_s.arg(row).arg(c));
}

void tst_WorkbookWriter::xlsIsTheSameForTheSameGridAndEmptyGridsOpen()
{
    Sheet sheet;
    fillBillGrid(sheet, 5);
    const QString first = m_dir.filePath(u"first.xls"_s);
    const QString second = m_dir.filePath(u"second.xls"_s);
    QCOMPARE(writeXls(sheet, first), std::nullopt);
    QCOMPARE(writeXls(sheet, second), std::nullopt);
    QCOMPARE(readAll(first), readAll(second));

    Sheet empty;
    const QString path = m_dir.filePath(u"empty.xls"_s);
    QCOMPARE(writeXls(empty, path), std::nullopt);
    const QJsonObject book = readBack({u"xls"_s, path});
    if (book.isEmpty())
        QSKIP("python3-xlrd is not installed");
    QVERIFY2(!book.contains(u"error"_s), qPrintable(book[u"error"_s].toString()));
    QCOMPARE(book[u"values"_s].toArray().size(), 0);
}

void tst_WorkbookWriter::failuresLeaveNoHalfWrittenFile()
{
    Sheet sheet;
    fillBillGrid(sheet, 3);
    const QString missingFolder = m_dir.filePath(u"no such folder/bills.xls"_s);
    QVERIFY(writeXls(sheet, missingFolder).has_value());
    QVERIFY(writeXlsx(sheet, m_dir.filePath(u"no such folder/bills.xlsx"_s)).has_value());
    QVERIFY(!QFile::exists(missingFolder));

    // A grid the old format cannot hold is refused, and the file already there stays as it was.
    const QString path = m_dir.filePath(u"kept.xls"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    sheet.setText(70000, 1, u"too far"_s);
    QCOMPARE(writeXls(sheet, path), std::optional<QString>(Msg::SheetTooLargeForXls));
    sheet.setText(70000, 1, QString());
    sheet.setText(9, 300, u"too wide"_s);
    QCOMPARE(writeXls(sheet, path), std::optional<QString>(Msg::SheetTooLargeForXls));
    sheet.setText(9, 300, QString());
    sheet.setText(9, 1, QString(40000, u'y'));
    QCOMPARE(writeXls(sheet, path), std::optional<QString>(Msg::TextTooLongForXls));
    QCOMPARE(readAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(m_dir.path()).entryList({u"*.part"_s, u".*.part"_s}, QDir::Files | QDir::Hidden), QStringList());
}

void tst_WorkbookWriter::xlsxReadsBack()
{
    Sheet sheet;
    fillBillGrid(sheet, 10);
    const QString path = m_dir.filePath(u"bills.xlsx"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("replaced");
    old.close();
    QCOMPARE(writeXlsx(sheet, path), std::nullopt);
    QCOMPARE(QDir(m_dir.path()).entryList({u".*.part"_s}, QDir::Files | QDir::Hidden), QStringList());
    const QJsonObject book = readBack({u"xlsx"_s, path});
    if (book.isEmpty())
        QSKIP("python3-xlrd is not installed");
    QVERIFY2(!book.contains(u"error"_s), qPrintable(book[u"error"_s].toString()));
    QCOMPARE(book[u"sheets"_s].toArray(), QJsonArray{u"Sheet1"_s});
    QCOMPARE(cell(book, 1, 1)[1].toString(), u"SV - DAILY"_s);
    QCOMPARE(cell(book, 5, 7), (QJsonArray{2, 1505.5}));
    QCOMPARE(cell(book, 5, 20)[1].toString(), Rupee);
    QCOMPARE(cell(book, 6, 20)[1].toString(), QString(9000, u'x'));

    const QJsonObject parts = book[u"parts"_s].toObject();
    const QString worksheet = parts[u"xl/worksheets/sheet1.xml"_s].toString();
    QVERIFY(worksheet.contains(u"ySplit=\"4\""_s));
    QVERIFY(worksheet.contains(u"state=\"frozen\""_s));
    QVERIFY(worksheet.contains(u"<col min=\"8\" max=\"8\" width=\"0\" hidden=\"1\""_s));
    QVERIFY(worksheet.contains(u"ht=\"25\""_s));
    const QString styles = parts[u"xl/styles.xml"_s].toString();
    QVERIFY(styles.contains(u"Book Antiqua"_s));
    QVERIFY(styles.contains(u"formatCode=\"0.00\""_s));
    QVERIFY(styles.contains(u"<patternFill patternType=\"solid\">"_s));
    QVERIFY(styles.contains(u"FFC0C0C0"_s));
    QVERIFY(styles.contains(u"FF000080"_s));
}

void tst_WorkbookWriter::libreOfficeOpensTheXls()
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        QSKIP("LibreOffice is not installed");
    Sheet sheet;
    fillBillGrid(sheet, 3);
    const QString path = m_dir.filePath(u"lo.xls"_s);
    QCOMPARE(writeXls(sheet, path), std::nullopt);
    QTemporaryDir out;
    QProcess process;
    process.start(soffice, {u"--headless"_s, u"-env:UserInstallation=file://"_s + out.filePath(u"profile"_s),
                            u"--convert-to"_s, u"csv"_s, u"--outdir"_s, out.path(), path});
    QVERIFY(process.waitForFinished(300000));
    const QList<QByteArray> lines = readAll(out.filePath(u"lo.csv"_s)).split('\n');
    QVERIFY(lines.size() > 5);
    QVERIFY(lines[0].startsWith("SV - DAILY"));
    QVERIFY(lines[4].startsWith("B/5,"));
    QVERIFY(lines[4].contains("1505.50"));
}

QTEST_GUILESS_MAIN(tst_WorkbookWriter)
#include "tst_workbookwriter.moc"
