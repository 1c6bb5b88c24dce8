#include "billing/taxinvoice.h"

#include "billing/billitem.h"
#include "billing/printline.h"
#include "common/amountinwords.h"
#include "common/numbers.h"

#include <optional>

namespace {

// The second copy goes to the agency: it always names the agency and its GSTIN, and always
// shows the commission.
enum class Copy { First, Second };

// The number a text begins with, 0 when it does not begin with one.
double value(QStringView text) { return leadingNumber(text); }
double value(const std::optional<double> &number) { return number.value_or(0); }

PrintAmount amount(const QString &text) { return PrintAmount(QStringView(text)); }
PrintAmount amount(const std::optional<double> &number)
{
    return number ? PrintAmount(*number) : PrintAmount(QStringView());
}

// A label and an amount ending at position 80, as the charge, commission and tax lines print.
void writeChargeLine(PrintFile &file, QStringView label, const PrintAmount &amount)
{
    file.writeLine(PrintLine().blanks(53).left(label, 17).right(amount.text(), 10));
}

void writeHeading(PrintFile &file, const BillRow &bill)
{
    file.writeLine(PrintLine()
                       .blanks(6)
                       .left(bill.edition, 20)
                       .blanks(2)
                       .left(u"BILL No : ", 10)
                       .blanks(1)
                       .left(bill.billNo, 23)
                       .blanks(2)
                       .left(bill.scheduleNo, 3)
                       .blanks(2)
                       .left(u"TAX INVOICE", 11));
}

void writeAddressBlock(PrintFile &file, const BillRow &bill, Copy copy)
{
    const QStringView date = bill.insertionDate;
    const QStringView clientLines[] = {bill.clientName, bill.clientAddress, bill.clientAddress2, bill.clientAddress3};
    const bool showAddress = value(bill.showAddress) > 0;
    if (!showAddress) {
        file.writeLine(PrintLine().blanks(69).left(date, 11));
    } else {
        const QStringView gstin = bill.agencyGst;
        const bool hasGstin = copy == Copy::Second ? !gstin.isEmpty() : !gstin.isEmpty() && gstin != u"NA";
        PrintLine line;
        line.blanks(6).left(bill.agentCode, 10);
        if (hasGstin)
            line.blanks(1).left({u"[GSTIN : ", gstin, u", PAN : ", bill.agencyPan, u"]"}, 51).blanks(1);
        else
            line.blanks(53);
        file.writeLine(line.left(date, 11));
    }
    // Bill-to-party type 2 bills go to the client alone; the agency copy always names both.
    if (showAddress && (copy == Copy::Second || value(bill.bpType) != 2)) {
        const QStringView agentLines[] = {bill.agentName, bill.agentAddress1, bill.agentAddress2, bill.agentAddress3};
        for (int i = 0; i < 4; ++i)
            file.writeLine(PrintLine().blanks(6).left(agentLines[i], 35).blanks(5).left(clientLines[i], 34));
    } else {
        for (const QStringView line : clientLines)
            file.writeLine(PrintLine().blanks(46).left(line, 34));
    }
}

void writeReferenceLines(PrintFile &file, const BillRow &bill)
{
    PrintLine roLine;
    roLine.blanks(12).left(bill.roNo, 30);
    if (value(bill.boxNo) != 0)
        roLine.blanks(5).left({u"Box No : ", bill.boxNo}, 30);
    file.writeLine(roLine);
    file.writeLine(PrintLine().blanks(12).left(bill.roDate, 30).blanks(8).left(bill.caption, 30));
    file.writeLine(PrintLine().blanks(12).left(bill.subName, 30).blanks(8).left(bill.adRef, 30));
}

// The item line: the insertion, its pages, its measure and rate, and what it comes to.
void writeItemLine(PrintFile &file, const BillRow &bill)
{
    PrintLine line;
    line.left(printShortDate(bill.insertionDate), 10).blanks(5).left(bill.page, 5).blanks(5);
    std::optional<PrintAmount> columnRate;  // column-centimetre bills print the mechanical rate
    switch (pricingOf(bill)) {
    case BillPricing::Words: line.left({bill.words, u" Words"}, 15); break;
    case BillPricing::ColumnCentimetres:
        line.text(u"(").left({bill.heightCm, u" X ", bill.cols, u") Col Cms"}, 14);
        columnRate.emplace(amount(bill.mechData));
        break;
    case BillPricing::Area: line.left({bill.sqCms, u" Sq Cms"}, 15); break;
    }
    const QStringView rate = columnRate ? columnRate->text() : QStringView(bill.newRate);
    file.writeLine(line.blanks(15).left(rate, 5).blanks(5).right(TwoDecimalText(itemAmount(bill)).text(), 15));
}

void writeChargeLines(PrintFile &file, const BillRow &bill, Copy copy)
{
    if (value(bill.boxCharge) > 0)
        writeChargeLine(file, u"Box Charge     : ", amount(bill.boxCharge));
    else
        file.writeBlankLines();
    if (copy == Copy::Second || value(bill.grossBill) == 0)
        writeChargeLine(file, u"Commission     : ", amount(bill.commission));
    else
        file.writeBlankLines();
    if (value(bill.igstPer) > 0) {
        writeChargeLine(file, u"IGST @  5%    : ", amount(bill.igstAmt));
        file.writeBlankLines();
    } else {
        writeChargeLine(file, u"CGST @ 2.5%    : ", amount(bill.cgstAmt));
        writeChargeLine(file, u"SGST @ 2.5%    : ", amount(bill.sgstAmt));
    }
}

void writeFooter(PrintFile &file, const BillRow &bill)
{
    const auto footerLine = [&file](std::initializer_list<QStringView> pieces) {
        file.writeLine(PrintLine().blanks(5).left(pieces, 75));
    };
    footerLine({ServiceDescriptionLine});
    footerLine({u"Billing Location  : KERALA[32]"});
    footerLine({u"CIN   : ", bill.svCin});
    footerLine({u"GSTIN : ", bill.svGstin});
    footerLine({u"Place of Supply   : ", bill.subName});
    footerLine({ReverseChargeLine});
}

void writeInvoice(PrintFile &file, const BillRow &bill, Copy copy)
{
    writeHeading(file, bill);
    writeAddressBlock(file, bill, copy);
    file.writeBlankLines(2);
    writeReferenceLines(file, bill);
    file.writeBlankLines(4);
    writeItemLine(file, bill);
    writeChargeLines(file, bill, copy);
    file.writeBlankLines(2);
    file.writeLine(PrintLine().blanks(55).text(u"\\D\\E").right(amount(bill.amount).text(), 12).text(u"\\d\\e"));
    file.writeLine(PrintLine().blanks(5).left(AmountInWords(value(bill.amount)), 75));
    file.writeBlankLines(4);
    writeFooter(file, bill);
    file.writeBlankLines(14);
}

}  // namespace

bool writeTaxInvoices(const BillRows &bills, PrintFile &file, const Progress &progress)
{
    const std::span<const BillRow> printable = printableBills(bills);
    const int total = int(printable.size());
    int done = 0;
    for (const BillRow &bill : printable) {
        writeInvoice(file, bill, Copy::First);
        if (bill.bpType == u"1")
            writeInvoice(file, bill, Copy::Second);
        if (!goOn(progress, ++done, total))
            return false;
    }
    return true;
}

std::optional<QString> printTaxInvoices(const BillRows &bills, const Deployment &deployment, const QString &path,
                                        Spool spool, const Progress &progress)
{
    const QString target = path.isEmpty() ? printFilePath(deployment, QString::fromUtf16(TaxInvoicePrintFile)) : path;
    return printLayout(
        target, TaxInvoiceLines, [&](PrintFile &file) { return writeTaxInvoices(bills, file, progress); }, deployment,
        spool);
}
