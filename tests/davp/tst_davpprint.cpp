// The DAVP bill print layout, read from a grid filled here cell by cell.
#include "common/deployment.h"
#include "common/messages.h"
#include "common/textfields.h"
#include "davp/davpcolumns.h"
#include "davp/davpgrid.h"
#include "davp/davpprint.h"
#include "sheet/sheet.h"
#include "testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {u"<missing>"_s};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};
    Q_ASSERT(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(bytes.chopped(2)).split(u"\r\n"_s);
    return lines;
}

void putBill(Sheet &sheet, int row, const QString &billNo)
{
    const auto put = [&sheet, row](DavpColumn column, const QString &text) { sheet.setText(row, col(column), text); };
    put(DavpColumn::BillNo, billNo);
    put(DavpColumn::InsDate, u"02-Feb-2026"_s);
    put(DavpColumn::ClientName, u"MINISTRY OF INFORMATION"_s);
    put(DavpColumn::ClientAddress, u"Shastri Bhawan"_s);
    put(DavpColumn::ClientAddress2, u"Rajendra Prasad Road"_s);
    put(DavpColumn::ClientAddress3, u"New Delhi 110001"_s);
    put(DavpColumn::RoNo, u"RO/77"_s);
    put(DavpColumn::Commission, u"125"_s);
    put(DavpColumn::SqCms, u"120"_s);
    put(DavpColumn::Page, u"3,5"_s);
    put(DavpColumn::NewRate, u"80"_s);
    put(DavpColumn::CommissionPer, u"15"_s);
    put(DavpColumn::GrossAmt, u"1000"_s);
    put(DavpColumn::Place, u"Kochi"_s);
    put(DavpColumn::DavpCode, u"110234"_s);
    sheet.setNumber(row, col(DavpColumn::Amount), 1150.5);
}

}  // namespace

class tst_DavpPrint : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void everyBillIsTwoIdenticalPagesOf72Lines();
    void pageLinesAndPositions();
    void longAndMissingValues();
    void stopsAtTheFirstRowWithoutABillNumber();
    void emptyGridGivesAnEmptyFileAndStillSpools();
    void padOnlyUpToTheLastLine();
    void unwritableFileIsReported();

private:
    QStringList print();

    std::unique_ptr<Sheet> m_sheet;
    std::unique_ptr<QTemporaryDir> m_dir;  // a fresh application folder for each test
    Deployment m_deployment;
};

void tst_DavpPrint::init()
{
    m_sheet = std::make_unique<Sheet>();
    SetUpDavpGrid(*m_sheet, {u"12 MG Road, Kochi 682011"_s, u"Phone 0484 2222222  Fax 0484 2333333"_s});
    m_dir = std::make_unique<QTemporaryDir>();
    m_deployment.appFolder = m_dir->path();
}

QStringList tst_DavpPrint::print()
{
    const QString path = m_dir->filePath(u"rpt.prn"_s);
    const std::optional<QString> failure = printDavpBills(*m_sheet, m_deployment, QString(), Spool::Skip);
    if (failure)
        return {*failure};
    return readLines(path);
}

void tst_DavpPrint::everyBillIsTwoIdenticalPagesOf72Lines()
{
    for (int row = 5; row <= 7; ++row)
        putBill(*m_sheet, row, u"DV/0000"_s + QString::number(row));
    const QStringList lines = print();
    QCOMPARE(lines.size(), 432);
    for (int bill = 0; bill < 3; ++bill) {
        const QStringList first = lines.mid(bill * 144, 72);
        QCOMPARE(lines.mid(bill * 144 + 72, 72), first);
        QVERIFY(first[9].contains(u"DV/0000"_s + QString::number(bill + 5)));
        // Lines 46 to 72 are blank.
        QCOMPARE(first.mid(45), QStringList(27, QString()));
    }
}

void tst_DavpPrint::pageLinesAndPositions()
{
    putBill(*m_sheet, 5, u"DV/00001"_s);
    const QStringList page = print().mid(0, 72);
    const auto line = [&page](int number) { return page[number - 1]; };
    QCOMPARE(line(1), u"\\E\\DSELVORO (P) LTD."_s + QString(24, u' ') + u"\\e\\d"_s);
    QCOMPARE(line(2), u"\\E\\C"_s + AlignText(u"12 MG Road, Kochi 682011"_s, 40, u"L"_s) + u"\\e\\c"_s);
    QCOMPARE(line(3).size(), 4 + 136 + 4);
    QVERIFY(line(3).startsWith(u"\\D\\CPhone 0484 2222222  Fax 0484 2333333 "_s));
    QVERIFY(line(3).endsWith(u" \\d\\c"_s));
    QCOMPARE(line(4), QString(80, u'-'));
    QCOMPARE(line(5), QString());
    QCOMPARE(line(6), AlignText(u"Control No"_s + QString(45, u'.') + u"(For DAVP ONLY)"_s, 80, u"L"_s));
    QCOMPARE(line(8).trimmed(), QString(29, u'.') + u"REGULAR/SUPPLIMENTARY"_s);
    QCOMPARE(line(10).mid(20, 15), u"DV/00001       "_s);
    QCOMPARE(line(10).mid(38, 9), u"Bill Date"_s);
    QCOMPARE(line(10).mid(59), u"02-Feb-2026    "_s);
    QCOMPARE(line(12), u"Release Order No    RO/77"_s + QString(46, u' '));
    QCOMPARE(line(14).mid(20, 6), u"110234"_s);
    QCOMPARE(line(14).mid(38, 11), u"News Paper "_s);
    QCOMPARE(line(14).mid(59), u"SELVORO        "_s);
    QCOMPARE(line(16).left(19), u"Date Of Publication"_s);
    QCOMPARE(line(16).mid(20, 11), u"02-Feb-2026"_s);
    QCOMPARE(line(16).mid(38, 20), u"Place of Publication"_s);
    QCOMPARE(line(16).mid(59), AlignText(u"Kochi"_s, 19, u"L"_s));
    // The type words start at positions 1, 15, 20, 30, 51 and 72, the digits stand at 35, 54 and 74.
    for (const auto &[position, word] :
         {std::pair{15, u"Type"_s}, {20, u":"_s}, {30, u"CLASSIFIED"_s}, {51, u"DISPLAY"_s}, {72, u"UPSC"_s}})
        QCOMPARE(line(20).mid(position - 1, word.size()), word);
    QCOMPARE(line(21).trimmed(), u"2                  3                   4"_s);
    QCOMPARE(line(21).indexOf(u'2') + 1, 35);
    QCOMPARE(line(21).indexOf(u'4') + 1, 74);
    QCOMPARE(line(26), u"Length"_s + QString(13, u' ') + AlignText(u"120"_s, 15, u"R"_s) + QString(7, u' ')
                           + AlignText(u"Page"_s, 15, u"L"_s) + AlignText(u"3,5"_s, 15, u"R"_s));
    QVERIFY(line(28).endsWith(u"Gross Amt      "_s + AlignText(u"1000.00"_s, 15, u"R"_s)));
    QCOMPARE(line(30).mid(19, 15), AlignText(u"80.00"_s, 15, u"R"_s));
    QVERIFY(line(30).endsWith(u"15%"_s));
    QCOMPARE(line(30).size(), 71);
    QCOMPARE(line(32), QString(41, u' ') + u"Discount       "_s + AlignText(u"125.00"_s, 15, u"R"_s));
    QCOMPARE(line(34), QString(41, u' ') + u"\\DNet Amount     "_s + AlignText(u"1150.50"_s, 15, u"R"_s) + u"\\d"_s);
    QCOMPARE(line(36).trimmed(), u"Note : VOUCHER COPY TO THE CLIENT HAS ALREADY BEEN DESPATCHED BY POST"_s);
    QCOMPARE(line(38), u"Client Address : "_s + AlignText(u"MINISTRY OF INFORMATION"_s, 63, u"L"_s));
    QCOMPARE(line(41), QString(17, u' ') + AlignText(u"New Delhi 110001"_s, 63, u"L"_s));
    QCOMPARE(line(42), QString(80, u'-'));
    QCOMPARE(line(45), QString(59, u' ') + u"Advertisement Manager"_s);
    for (int blank : {7, 9, 11, 13, 15, 17, 18, 19, 22, 23, 24, 25, 27, 29, 31, 33, 35, 37, 43, 44})
        QCOMPARE(line(blank), QString());
}

void tst_DavpPrint::longAndMissingValues()
{
    putBill(*m_sheet, 5, u"DV/00001"_s);
    m_sheet->setText(5, col(DavpColumn::ClientName), QString(70, u'N') + u"TAIL"_s);
    m_sheet->setText(5, col(DavpColumn::CommissionPer), u"12.5"_s);
    m_sheet->setText(5, col(DavpColumn::RoNo), QString());
    m_sheet->setText(5, col(DavpColumn::DavpCode), QString());
    m_sheet->setText(5, col(DavpColumn::Place), u"New Delhi"_s);
    m_sheet->setText(5, col(DavpColumn::GrossAmt), QString());
    const QStringList page = print();
    // The client name is cut at position 80.
    QCOMPARE(page[37], u"Client Address : "_s + QString(63, u'N'));
    // 12.5% ends at position 71.
    QCOMPARE(page[29].size(), 71);
    QCOMPARE(page[29].right(6), u" 12.5%"_s);
    QCOMPARE(page[11], u"Release Order No"_s + QString(55, u' '));
    QCOMPARE(page[13].mid(19, 19), QString(19, u' '));
    QCOMPARE(page[15].mid(59).trimmed(), u"New Delhi"_s);
    // An empty amount prints as blanks, not as 0.00.
    QCOMPARE(page[27].right(15), QString(15, u' '));
}

void tst_DavpPrint::stopsAtTheFirstRowWithoutABillNumber()
{
    putBill(*m_sheet, 5, u"DV/1"_s);
    putBill(*m_sheet, 7, u"DV/3"_s);
    QCOMPARE(print().size(), 144);
}

void tst_DavpPrint::emptyGridGivesAnEmptyFileAndStillSpools()
{
    QVERIFY(installStubSpooler(m_dir->path()));
    QCOMPARE(printDavpBills(*m_sheet, m_deployment), std::nullopt);
    const QString path = m_dir->filePath(u"rpt.prn"_s);
    QCOMPARE(QFileInfo(path).size(), 0);
    QTRY_VERIFY(QFile::exists(m_dir->filePath(u"spooled.txt"_s)));
    QFile spooled(m_dir->filePath(u"spooled.txt"_s));
    QVERIFY(spooled.open(QIODevice::ReadOnly));
    // The spooler hears of the DAVP page length, whatever the file is called.
    QCOMPARE(QString::fromUtf8(spooled.readAll()), u"--page-lines 72 -- "_s + path);
}

void tst_DavpPrint::padOnlyUpToTheLastLine()
{
    const QString path = m_dir->filePath(u"pad.prn"_s);
    PrintFile file(path);
    QVERIFY(file.open());
    PadDavpPage(file, 46);
    QCOMPARE(file.linesWritten(), 27);
    PadDavpPage(file, 72);
    QCOMPARE(file.linesWritten(), 28);
    PadDavpPage(file, 73);
    QCOMPARE(file.linesWritten(), 28);
    QVERIFY(file.close());
}

void tst_DavpPrint::unwritableFileIsReported()
{
    putBill(*m_sheet, 5, u"DV/1"_s);
    // No spooler in the folder: the whole file is written, then the failure is reported.
    QCOMPARE(printDavpBills(*m_sheet, m_deployment), std::optional<QString>(Msg::FileCannotBePrinted));
    QCOMPARE(readLines(m_dir->filePath(u"rpt.prn"_s)).size(), 144);
    const QString missing = m_dir->filePath(u"no/such/folder/rpt.prn"_s);
    QCOMPARE(printDavpBills(*m_sheet, m_deployment, missing, Spool::Skip),
             std::optional<QString>(Msg::FileCannotBePrinted));
}

QTEST_GUILESS_MAIN(tst_DavpPrint)
#include "tst_davpprint.moc"
