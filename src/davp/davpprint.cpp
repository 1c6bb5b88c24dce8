#include "davp/davpprint.h"

#include "common/textfields.h"
#include "davp/davpcolumns.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using C = DavpColumn;

constexpr int FirstBillRow = 5;

QString left(const QString &text, int width) { return AlignText(text, width, u"L"_s); }
QString right(const QString &text, int width) { return AlignText(text, width, u"R"_s); }

QString rule() { return QString(80, u'-'); }

// The pre-printed parts of the form DAVP asks for, as its lines read.
const QString ControlNo = u"Control No"_s + QString(45, u'.') + u"(For DAVP ONLY)"_s;
const QString RegularMark = QString(29, u'.') + u"REGULAR/SUPPLIMENTARY "_s;
const QString AdvertisementTypes = u"Advertisement Type :"_s + blanks(9) + u"CLASSIFIED"_s + blanks(11) + u"DISPLAY"_s
                                   + blanks(14) + u"UPSC"_s;
const QString AdvertisementTypeCodes = blanks(34) + u"2"_s + blanks(18) + u"3"_s + blanks(19) + u"4 "_s;
const QString VoucherNote = u"Note : VOUCHER COPY TO THE CLIENT HAS ALREADY BEEN DESPATCHED BY POST"_s;

// A label and a value on the left (value ending at position 34) and on the right (ending at 71).
QString twoColumns(const QString &leftLabel, const QString &leftValue, const QString &rightLabel,
                   const QString &rightValue)
{
    return left(leftLabel, 19) + right(leftValue, 15) + blanks(7) + left(rightLabel, 15) + right(rightValue, 15);
}

// A label and its value, twice on one line: values at positions 21-35 and 60-74.
QString labelPair(const QString &label1, const QString &value1, const QString &label2, const QString &value2,
                  int width2 = 15)
{
    return left(label1, 19) + blanks(1) + left(value1, 15) + blanks(3) + left(label2, 20) + blanks(1)
           + left(value2, width2);
}

void writeCopy(const Sheet &sheet, PrintFile &file, int row)
{
    const auto text = [&sheet, row](C column) { return sheet.text(row, col(column)); };
    const auto amount = [&text](C column) { return printAmount(text(column)); };

    PrintDavpHeading(sheet, file);
    file.writeLine(left(ControlNo, 80));
    file.writeBlankLines();
    file.writeLine(left(RegularMark, 80));
    file.writeBlankLines();
    file.writeLine(labelPair(u"Bill No"_s, text(C::BillNo), u"Bill Date"_s, text(C::InsDate)));
    file.writeBlankLines();
    file.writeLine(left(u"Release Order No"_s, 19) + blanks(1) + left(text(C::RoNo), 51));
    file.writeBlankLines();
    file.writeLine(labelPair(u"News Paper Code"_s, text(C::DavpCode), u"News Paper "_s, u"SELVORO"_s));
    file.writeBlankLines();
    file.writeLine(labelPair(u"Date Of Publication"_s, text(C::InsDate), u"Place of Publication"_s, text(C::Place), 19));
    file.writeBlankLines(3);
    file.writeLine(left(AdvertisementTypes, 80));
    file.writeLine(left(AdvertisementTypeCodes, 80));
    file.writeBlankLines(4);
    file.writeLine(twoColumns(u"Length"_s, text(C::SqCms), u"Page"_s, text(C::Page)));
    file.writeBlankLines();
    file.writeLine(twoColumns(u"Width"_s, QString(), u"Gross Amt"_s, amount(C::GrossAmt)));
    file.writeBlankLines();
    // The commission percentage is printed as the grid holds it: 15 prints as 15%.
    file.writeLine(twoColumns(u"Rate"_s, amount(C::NewRate), u"Tr. Dis"_s, text(C::CommissionPer) + u'%'));
    file.writeBlankLines();
    file.writeLine(twoColumns(QString(), QString(), u"Discount"_s, amount(C::Commission)));
    file.writeBlankLines();
    file.writeLine(left(QString(), 19) + right(QString(), 15) + blanks(7) + u"\\D"_s + left(u"Net Amount"_s, 15)
                   + right(amount(C::Amount), 15) + u"\\d"_s);
    file.writeBlankLines();
    file.writeLine(left(VoucherNote, 80));
    file.writeBlankLines();
    file.writeLine(left(u"Client Address : "_s, 17) + left(text(C::ClientName), 63));
    for (const C line : {C::ClientAddress, C::ClientAddress2, C::ClientAddress3})
        file.writeLine(blanks(17) + left(text(line), 63));
    file.writeLine(rule());
    file.writeBlankLines(2);
    file.writeLine(right(u"Advertisement Manager"_s, 80));
    PadDavpPage(file, 46);
}

}  // namespace

void PrintDavpHeading(const Sheet &sheet, PrintFile &file)
{
    file.writeLine(u"\\E\\D"_s + left(sheet.text(1, 1), 40) + u"\\e\\d"_s);
    file.writeLine(u"\\E\\C"_s + left(sheet.text(2, 1), 40) + u"\\e\\c"_s);
    file.writeLine(u"\\D\\C"_s + left(sheet.text(3, 1), 136) + u"\\d\\c"_s);
    file.writeLine(rule());
    file.writeBlankLines();
}

void PadDavpPage(PrintFile &file, qint16 line)
{
    if (line <= DavpPageLines)
        file.writeBlankLines(DavpPageLines - line + 1);
}

void writeDavpBills(const Sheet &sheet, PrintFile &file)
{
    for (int row = FirstBillRow; row < sheet.rowCount() && !sheet.text(row, col(C::BillNo)).isEmpty(); ++row) {
        writeCopy(sheet, file, row);
        writeCopy(sheet, file, row);
    }
}

std::optional<QString> printDavpBills(const Sheet &sheet, const Deployment &deployment, const QString &path,
                                      Spool spool)
{
    const QString target = path.isEmpty() ? printFilePath(deployment, QString::fromUtf16(DavpPrintFile)) : path;
    return printLayout(target, [&sheet](PrintFile &file) { writeDavpBills(sheet, file); }, deployment, spool);
}
