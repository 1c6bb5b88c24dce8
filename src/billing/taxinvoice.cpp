#define QT_USE_QSTRINGBUILDER
#include "billing/taxinvoice.h"

#include "billing/billcolumns.h"
#include "common/amountinwords.h"
#include "common/numbers.h"
#include "common/textfields.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using C = BillColumn;

QString left(const QString &text, int width)
{
    return AlignText(text, width, u"L"_s);
}
QString right(const QString &text, int width)
{
    return AlignText(text, width, u"R"_s);
}

// The second copy goes to the agency: it always names the agency and its GSTIN, and always
// shows the commission.
enum class Copy { First, Second };

// One bill row as the invoice reads it: cell texts, and cell values (the number a text
// begins with, 0 when it does not begin with one).
class Bill
{
public:
    Bill(const Sheet &sheet, int row) : m_sheet(sheet), m_row(row) {}
    QString text(C column) const { return m_sheet.text(m_row, col(column)); }
    double value(C column) const { return leadingNumber(text(column)); }
    QString amount(C column) const { return printAmount(text(column)); }

private:
    const Sheet &m_sheet;
    int m_row;
};

// A label and an amount ending at position 80, as the charge, commission and tax lines print.
QString chargeLine(const QString &label, const QString &amount)
{
    return blanks(53) + left(label, 17) + right(amount, 10);
}

QString headingLine(const Bill &bill)
{
    return blanks(6) + left(bill.text(C::Edition), 20) + blanks(2) + left(u"BILL No : "_s, 10) + blanks(1) +
           left(bill.text(C::BillNo), 23) + blanks(2) + left(bill.text(C::ScheduleNo).left(3), 3) + blanks(2) +
           left(u"TAX INVOICE"_s, 11);
}

void writeAddressBlock(PrintFile &file, const Bill &bill, Copy copy)
{
    const QString date = left(bill.text(C::InsertionDate), 11);
    const QString clientLines[] = {bill.text(C::ClientName), bill.text(C::ClientAddress), bill.text(C::ClientAddress2),
                                   bill.text(C::ClientAddress3)};
    const bool showAddress = bill.value(C::ShowAddress) > 0;
    if (!showAddress) {
        file.writeLine(blanks(69) + date);
    } else {
        const QString gstin = bill.text(C::AgencyGst);
        const bool hasGstin = copy == Copy::Second ? !gstin.isEmpty() : !gstin.isEmpty() && gstin != u"NA"_s;
        const QString agent = blanks(6) + left(bill.text(C::AgentCode), 10);
        if (hasGstin)
            file.writeLine(agent + blanks(1) +
                           left(u"[GSTIN : "_s + gstin + u", PAN : "_s + bill.text(C::AgencyPan) + u"]"_s, 51) +
                           blanks(1) + date);
        else
            file.writeLine(agent + blanks(53) + date);
    }
    // Bill-to-party type 2 bills go to the client alone; the agency copy always names both.
    if (showAddress && (copy == Copy::Second || bill.value(C::BpType) != 2)) {
        const QString agentLines[] = {bill.text(C::AgentName), bill.text(C::AgentAddress1), bill.text(C::AgentAddress2),
                                      bill.text(C::AgentAddress3)};
        for (int i = 0; i < 4; ++i)
            file.writeLine(blanks(6) + left(agentLines[i], 35) + blanks(5) + left(clientLines[i], 34));
    } else {
        for (const QString &line : clientLines)
            file.writeLine(blanks(46) + left(line, 34));
    }
}

void writeReferenceLines(PrintFile &file, const Bill &bill)
{
    QString roLine = blanks(12) + left(bill.text(C::RoNo), 30);
    if (bill.value(C::BoxNo) != 0)
        roLine += blanks(5) + left(u"Box No : "_s + bill.text(C::BoxNo), 30);
    file.writeLine(roLine);
    file.writeLine(blanks(12) + left(bill.text(C::RoDate), 30) + blanks(8) + left(bill.text(C::Caption), 30));
    file.writeLine(blanks(12) + left(bill.text(C::SubName), 30) + blanks(8) + left(bill.text(C::AdRef), 30));
}

// The item line prices the bill by words, column centimetres, budget or square centimetres,
// whichever applies first.
QString itemLine(const Bill &bill)
{
    QString quantity;
    QString rate = bill.text(C::NewRate);
    double lineAmount = 0;
    const QString area = left(bill.text(C::SqCms) + u" Sq Cms"_s, 15);
    if (bill.value(C::Words) > 0) {
        quantity = left(bill.text(C::Words) + u" Words"_s, 15);
        lineAmount = bill.value(C::Words) * bill.value(C::NewRate);
    } else if (bill.value(C::BillColumns) > 0) {
        quantity = u"("_s + left(bill.text(C::HeightCm) + u" X "_s + bill.text(C::Cols) + u") Col Cms"_s, 14);
        rate = bill.amount(C::MechData);
        lineAmount = bill.value(C::Cols) * bill.value(C::HeightCm) * bill.value(C::MechData);
    } else if (bill.value(C::Budget) > 0) {
        quantity = area;
        lineAmount = bill.value(C::Budget);
    } else {
        quantity = area;
        lineAmount = bill.value(C::SqCms) * bill.value(C::NewRate);
    }
    return left(printShortDate(bill.text(C::InsertionDate)), 10) + blanks(5) + left(bill.text(C::Page), 5) + blanks(5) +
           quantity + blanks(15) + left(rate, 5) + blanks(5) + right(twoDecimals(lineAmount), 15);
}

void writeChargeLines(PrintFile &file, const Bill &bill, Copy copy)
{
    if (bill.value(C::BoxCharge) > 0)
        file.writeLine(chargeLine(u"Box Charge     : "_s, bill.amount(C::BoxCharge)));
    else
        file.writeBlankLines();
    if (copy == Copy::Second || bill.value(C::GrossBill) == 0)
        file.writeLine(chargeLine(u"Commission     : "_s, bill.amount(C::Commission)));
    else
        file.writeBlankLines();
    if (bill.value(C::IgstPer) > 0) {
        file.writeLine(chargeLine(u"IGST @  5%    : "_s, bill.amount(C::IgstAmt)));
        file.writeBlankLines();
    } else {
        file.writeLine(chargeLine(u"CGST @ 2.5%    : "_s, bill.amount(C::CgstAmt)));
        file.writeLine(chargeLine(u"SGST @ 2.5%    : "_s, bill.amount(C::SgstAmt)));
    }
}

void writeFooter(PrintFile &file, const Bill &bill)
{
    const QString lines[] = {u"Description of Service : PRINT  HSN/SAC : 998363"_s,
                             u"Billing Location  : KERALA[32]"_s,
                             u"CIN   : "_s + bill.text(C::SvCin),
                             u"GSTIN : "_s + bill.text(C::SvGstin),
                             u"Place of Supply   : "_s + bill.text(C::SubName),
                             u"REVERSE CHARGE MECHANISM :  NOT APPLICABLE"_s};
    for (const QString &line : lines)
        file.writeLine(blanks(5) + left(line, 75));
}

void writeInvoice(PrintFile &file, const Bill &bill, Copy copy)
{
    file.writeLine(headingLine(bill));
    writeAddressBlock(file, bill, copy);
    file.writeBlankLines(2);
    writeReferenceLines(file, bill);
    file.writeBlankLines(4);
    file.writeLine(itemLine(bill));
    writeChargeLines(file, bill, copy);
    file.writeBlankLines(2);
    file.writeLine(blanks(55) + u"\\D\\E"_s + right(bill.amount(C::Amount), 12) + u"\\d\\e"_s);
    file.writeLine(blanks(5) + left(AmountInWords(bill.value(C::Amount)), 75));
    file.writeBlankLines(4);
    writeFooter(file, bill);
    file.writeBlankLines(14);
}

} // namespace

void writeTaxInvoices(const Sheet &sheet, PrintFile &file)
{
    for (int row = FirstBillRow; row < sheet.rowCount(); ++row) {
        const Bill bill(sheet, row);
        if (bill.text(C::BillNo).isEmpty())
            break;
        writeInvoice(file, bill, Copy::First);
        if (bill.text(C::BpType) == u"1"_s)
            writeInvoice(file, bill, Copy::Second);
    }
}

std::optional<QString> printTaxInvoices(const Sheet &sheet, const Deployment &deployment, const QString &path,
                                        Spool spool)
{
    const QString target = path.isEmpty() ? printFilePath(deployment, QString::fromUtf16(TaxInvoicePrintFile)) : path;
    return printLayout(
        target, [&sheet](PrintFile &file) { writeTaxInvoices(sheet, file); }, deployment, spool);
}
