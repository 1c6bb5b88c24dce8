#include "davp/davpprint.h"

#include "billing/printline.h"
#include "billing/printreport.h"
#include "davp/davpcolumns.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using C = DavpColumn;

constexpr int FirstBillRow = 5;

// The pre-printed parts of the form DAVP asks for, as its lines read.
const QString ControlNo = u"Control No"_s + QString(45, u'.') + u"(For DAVP ONLY)"_s;
const QString RegularMark = QString(29, u'.') + u"REGULAR/SUPPLIMENTARY "_s;
const QString AdvertisementTypes = u"Advertisement Type :"_s + QString(9, u' ') + u"CLASSIFIED"_s + QString(11, u' ')
                                   + u"DISPLAY"_s + QString(14, u' ') + u"UPSC"_s;
const QString AdvertisementTypeCodes =
    QString(34, u' ') + u"2"_s + QString(18, u' ') + u"3"_s + QString(19, u' ') + u"4 "_s;
const QString Rule(80, u'-');

// A label and a value on the left (value ending at position 34) and on the right (ending at 71).
PrintLine twoColumns(QStringView leftLabel, QStringView leftValue, QStringView rightLabel, QStringView rightValue)
{
    PrintLine line;
    line.left(leftLabel, 19).right(leftValue, 15).blanks(7).left(rightLabel, 15).right(rightValue, 15);
    return line;
}

// A label and its value, twice on one line: values at positions 21-35 and 60-74.
PrintLine labelPair(QStringView label1, QStringView value1, QStringView label2, QStringView value2, int width2 = 15)
{
    PrintLine line;
    line.left(label1, 19).blanks(1).left(value1, 15).blanks(3).left(label2, 20).blanks(1).left(value2, width2);
    return line;
}

void writeCopy(const Sheet &sheet, PrintFile &file, int row)
{
    const auto text = [&sheet, row](C column) { return sheet.text(row, col(column)); };
    const auto amount = [&text](C column) { return printAmount(text(column)); };

    PrintDavpHeading(sheet, file);
    file.writeLine(PrintLine().left(ControlNo, 80));
    file.writeBlankLines();
    file.writeLine(PrintLine().left(RegularMark, 80));
    file.writeBlankLines();
    file.writeLine(labelPair(u"Bill No", text(C::BillNo), u"Bill Date", text(C::InsDate)));
    file.writeBlankLines();
    file.writeLine(PrintLine().left(u"Release Order No", 19).blanks(1).left(text(C::RoNo), 51));
    file.writeBlankLines();
    file.writeLine(labelPair(u"News Paper Code", text(C::DavpCode), u"News Paper ", u"SELVORO"));
    file.writeBlankLines();
    file.writeLine(labelPair(u"Date Of Publication", text(C::InsDate), u"Place of Publication", text(C::Place), 19));
    file.writeBlankLines(3);
    file.writeLine(PrintLine().left(AdvertisementTypes, 80));
    file.writeLine(PrintLine().left(AdvertisementTypeCodes, 80));
    file.writeBlankLines(4);
    file.writeLine(twoColumns(u"Length", text(C::SqCms), u"Page", text(C::Page)));
    file.writeBlankLines();
    file.writeLine(twoColumns(u"Width", {}, u"Gross Amt", amount(C::GrossAmt)));
    file.writeBlankLines();
    // The commission percentage is printed as the grid holds it: 15 prints as 15%.
    file.writeLine(twoColumns(u"Rate", amount(C::NewRate), u"Tr. Dis", text(C::CommissionPer) + u'%'));
    file.writeBlankLines();
    file.writeLine(twoColumns({}, {}, u"Discount", amount(C::Commission)));
    file.writeBlankLines();
    file.writeLine(
        PrintLine().blanks(19 + 15 + 7).text(u"\\D").left(u"Net Amount", 15).right(amount(C::Amount), 15).text(u"\\d"));
    file.writeBlankLines();
    file.writeLine(PrintLine().left(u"Note : VOUCHER COPY TO THE CLIENT HAS ALREADY BEEN DESPATCHED BY POST", 80));
    file.writeBlankLines();
    file.writeLine(PrintLine().left(u"Client Address : ", 17).left(text(C::ClientName), 63));
    for (const C line : {C::ClientAddress, C::ClientAddress2, C::ClientAddress3})
        file.writeLine(PrintLine().blanks(17).left(text(line), 63));
    file.writeLine(PrintLine().text(Rule));
    file.writeBlankLines(2);
    file.writeLine(PrintLine().right(u"Advertisement Manager", 80));
    PadDavpPage(file, 46);
}

}  // namespace

void PrintDavpHeading(const Sheet &sheet, PrintFile &file)
{
    file.writeLine(PrintLine().text(u"\\E\\D").left(sheet.text(1, 1), 40).text(u"\\e\\d"));
    file.writeLine(PrintLine().text(u"\\E\\C").left(sheet.text(2, 1), 40).text(u"\\e\\c"));
    file.writeLine(PrintLine().text(u"\\D\\C").left(sheet.text(3, 1), 136).text(u"\\d\\c"));
    file.writeLine(PrintLine().text(Rule));
    file.writeBlankLines();
}

void PadDavpPage(PrintFile &file, qint16 line)
{
    if (line <= DavpPageLines)
        file.writeBlankLines(DavpPageLines - line + 1);
}

bool writeDavpBills(const Sheet &sheet, PrintFile &file, const Progress &progress)
{
    const int total = progress ? printableBills(sheet) : 0;
    for (int row = FirstBillRow; row < sheet.rowCount() && !sheet.text(row, col(C::BillNo)).isEmpty(); ++row) {
        writeCopy(sheet, file, row);
        writeCopy(sheet, file, row);
        if (!goOn(progress, row - FirstBillRow + 1, total))
            return false;
    }
    return true;
}

std::optional<QString> printDavpBills(const Sheet &sheet, const Deployment &deployment, const QString &path,
                                      Spool spool, const Progress &progress)
{
    const QString target = path.isEmpty() ? printFilePath(deployment, QString::fromUtf16(DavpPrintFile)) : path;
    return printLayout(
        target, DavpPageLines, [&](PrintFile &file) { return writeDavpBills(sheet, file, progress); }, deployment,
        spool);
}
