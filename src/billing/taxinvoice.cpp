#include "billing/taxinvoice.h"

#include "billing/billcolumns.h"
#include "billing/printline.h"
#include "common/amountinwords.h"
#include "common/numbers.h"
#include "sheet/sheet.h"

#include <array>
#include <optional>
#include <vector>

namespace {

using C = BillColumn;

// The second copy goes to the agency: it always names the agency and its GSTIN, and always
// shows the commission.
enum class Copy { First, Second };

// One bill row as the invoice reads it: cell texts, and cell values (the number a text
// begins with, 0 when it does not begin with one). The row is read once, left to right, as the
// grid keeps it in memory; a text's value and a number's text are worked out when first asked.
class Bill
{
public:
    Bill(const Sheet &sheet, int row)
    {
        std::array<Sheet::CellView, BillColumnCount> kept;
        sheet.readRow(row, kept);
        for (std::size_t i = 0; i < kept.size(); ++i) {
            Cell &cell = m_cells[i];
            cell.isNumber = kept[i].number != nullptr;
            cell.value = cell.isNumber ? *kept[i].number : 0;
            cell.text = kept[i].text ? QStringView(*kept[i].text) : QStringView();
            cell.derived = false;
            // Asked for now, the text is there by the time its invoice is laid out.
            if (kept[i].text)
                __builtin_prefetch(kept[i].text->constData());
        }
    }

    QStringView text(C column) const
    {
        Cell &cell = m_cells[col(column) - 1];
        if (cell.isNumber && !cell.derived) {
            // The view stays valid when the vector grows: it points at the characters.
            cell.text = m_numberTexts.emplace_back(shortestText(cell.value));
            cell.derived = true;
        }
        return cell.text;
    }
    double value(C column) const
    {
        Cell &cell = m_cells[col(column) - 1];
        if (!cell.isNumber && !cell.derived) {
            cell.value = leadingNumber(cell.text);
            cell.derived = true;
        }
        return cell.value;
    }
    PrintAmount amount(C column) const
    {
        const Cell &cell = m_cells[col(column) - 1];
        return cell.isNumber ? PrintAmount(cell.value) : PrintAmount(cell.text);
    }

private:
    struct Cell
    {
        QStringView text;  // a text cell's text; a number cell's once derived
        double value;      // a number cell's number; a text cell's once derived
        bool isNumber;
        bool derived;  // the other form is known
    };
    mutable std::array<Cell, BillColumnCount> m_cells;
    mutable std::vector<QString> m_numberTexts;
};

// A label and an amount ending at position 80, as the charge, commission and tax lines print.
void writeChargeLine(PrintFile &file, QStringView label, const PrintAmount &amount)
{
    file.writeLine(PrintLine().blanks(53).left(label, 17).right(amount.text(), 10));
}

void writeHeading(PrintFile &file, const Bill &bill)
{
    file.writeLine(PrintLine()
                       .blanks(6)
                       .left(bill.text(C::Edition), 20)
                       .blanks(2)
                       .left(u"BILL No : ", 10)
                       .blanks(1)
                       .left(bill.text(C::BillNo), 23)
                       .blanks(2)
                       .left(bill.text(C::ScheduleNo), 3)
                       .blanks(2)
                       .left(u"TAX INVOICE", 11));
}

void writeAddressBlock(PrintFile &file, const Bill &bill, Copy copy)
{
    const QStringView date = bill.text(C::InsertionDate);
    const QStringView clientLines[] = {bill.text(C::ClientName), bill.text(C::ClientAddress),
                                       bill.text(C::ClientAddress2), bill.text(C::ClientAddress3)};
    const bool showAddress = bill.value(C::ShowAddress) > 0;
    if (!showAddress) {
        file.writeLine(PrintLine().blanks(69).left(date, 11));
    } else {
        const QStringView gstin = bill.text(C::AgencyGst);
        const bool hasGstin = copy == Copy::Second ? !gstin.isEmpty() : !gstin.isEmpty() && gstin != u"NA";
        PrintLine line;
        line.blanks(6).left(bill.text(C::AgentCode), 10);
        if (hasGstin)
            line.blanks(1).left({u"[GSTIN : ", gstin, u", PAN : ", bill.text(C::AgencyPan), u"]"}, 51).blanks(1);
        else
            line.blanks(53);
        file.writeLine(line.left(date, 11));
    }
    // Bill-to-party type 2 bills go to the client alone; the agency copy always names both.
    if (showAddress && (copy == Copy::Second || bill.value(C::BpType) != 2)) {
        const QStringView agentLines[] = {bill.text(C::AgentName), bill.text(C::AgentAddress1),
                                          bill.text(C::AgentAddress2), bill.text(C::AgentAddress3)};
        for (int i = 0; i < 4; ++i)
            file.writeLine(PrintLine().blanks(6).left(agentLines[i], 35).blanks(5).left(clientLines[i], 34));
    } else {
        for (const QStringView line : clientLines)
            file.writeLine(PrintLine().blanks(46).left(line, 34));
    }
}

void writeReferenceLines(PrintFile &file, const Bill &bill)
{
    PrintLine roLine;
    roLine.blanks(12).left(bill.text(C::RoNo), 30);
    if (bill.value(C::BoxNo) != 0)
        roLine.blanks(5).left({u"Box No : ", bill.text(C::BoxNo)}, 30);
    file.writeLine(roLine);
    file.writeLine(PrintLine().blanks(12).left(bill.text(C::RoDate), 30).blanks(8).left(bill.text(C::Caption), 30));
    file.writeLine(PrintLine().blanks(12).left(bill.text(C::SubName), 30).blanks(8).left(bill.text(C::AdRef), 30));
}

// The item line prices the bill by words, column centimetres, budget or square centimetres,
// whichever applies first.
void writeItemLine(PrintFile &file, const Bill &bill)
{
    PrintLine line;
    line.left(printShortDate(bill.text(C::InsertionDate)), 10).blanks(5).left(bill.text(C::Page), 5).blanks(5);
    std::optional<PrintAmount> columnRate;  // column-centimetre bills print the mechanical rate
    double lineAmount = 0;
    if (const double words = bill.value(C::Words); words > 0) {
        line.left({bill.text(C::Words), u" Words"}, 15);
        lineAmount = words * bill.value(C::NewRate);
    } else if (bill.value(C::BillColumns) > 0) {
        line.text(u"(").left({bill.text(C::HeightCm), u" X ", bill.text(C::Cols), u") Col Cms"}, 14);
        columnRate.emplace(bill.amount(C::MechData));
        lineAmount = bill.value(C::Cols) * bill.value(C::HeightCm) * bill.value(C::MechData);
    } else {
        line.left({bill.text(C::SqCms), u" Sq Cms"}, 15);
        const double budget = bill.value(C::Budget);
        lineAmount = budget > 0 ? budget : bill.value(C::SqCms) * bill.value(C::NewRate);
    }
    const QStringView rate = columnRate ? columnRate->text() : bill.text(C::NewRate);
    file.writeLine(line.blanks(15).left(rate, 5).blanks(5).right(TwoDecimalText(lineAmount).text(), 15));
}

void writeChargeLines(PrintFile &file, const Bill &bill, Copy copy)
{
    if (bill.value(C::BoxCharge) > 0)
        writeChargeLine(file, u"Box Charge     : ", bill.amount(C::BoxCharge));
    else
        file.writeBlankLines();
    if (copy == Copy::Second || bill.value(C::GrossBill) == 0)
        writeChargeLine(file, u"Commission     : ", bill.amount(C::Commission));
    else
        file.writeBlankLines();
    if (bill.value(C::IgstPer) > 0) {
        writeChargeLine(file, u"IGST @  5%    : ", bill.amount(C::IgstAmt));
        file.writeBlankLines();
    } else {
        writeChargeLine(file, u"CGST @ 2.5%    : ", bill.amount(C::CgstAmt));
        writeChargeLine(file, u"SGST @ 2.5%    : ", bill.amount(C::SgstAmt));
    }
}

void writeFooter(PrintFile &file, const Bill &bill)
{
    const auto footerLine = [&file](std::initializer_list<QStringView> pieces) {
        file.writeLine(PrintLine().blanks(5).left(pieces, 75));
    };
    footerLine({ServiceDescriptionLine});
    footerLine({u"Billing Location  : KERALA[32]"});
    footerLine({u"CIN   : ", bill.text(C::SvCin)});
    footerLine({u"GSTIN : ", bill.text(C::SvGstin)});
    footerLine({u"Place of Supply   : ", bill.text(C::SubName)});
    footerLine({ReverseChargeLine});
}

void writeInvoice(PrintFile &file, const Bill &bill, Copy copy)
{
    writeHeading(file, bill);
    writeAddressBlock(file, bill, copy);
    file.writeBlankLines(2);
    writeReferenceLines(file, bill);
    file.writeBlankLines(4);
    writeItemLine(file, bill);
    writeChargeLines(file, bill, copy);
    file.writeBlankLines(2);
    file.writeLine(PrintLine().blanks(55).text(u"\\D\\E").right(bill.amount(C::Amount).text(), 12).text(u"\\d\\e"));
    file.writeLine(PrintLine().blanks(5).left(AmountInWords(bill.value(C::Amount)), 75));
    file.writeBlankLines(4);
    writeFooter(file, bill);
    file.writeBlankLines(14);
}

}  // namespace

void writeTaxInvoices(const Sheet &sheet, PrintFile &file)
{
    // Bills are read a batch at a time ahead of their invoices, and the next batch is fetched
    // from memory while this one is laid out: the reads then overlap instead of each waiting.
    constexpr int Batch = 32;
    std::vector<Bill> bills;
    bills.reserve(Batch);
    int row = FirstBillRow;
    bool lastBatch = false;
    while (!lastBatch) {
        bills.clear();
        for (; int(bills.size()) < Batch && row < sheet.rowCount(); ++row) {
            bills.emplace_back(sheet, row);
            if (bills.back().text(C::BillNo).isEmpty()) {
                bills.pop_back();
                break;
            }
        }
        lastBatch = int(bills.size()) < Batch;
        if (!lastBatch)
            sheet.prefetchRows(row, Batch);
        for (const Bill &bill : bills) {
            writeInvoice(file, bill, Copy::First);
            if (bill.text(C::BpType) == u"1")
                writeInvoice(file, bill, Copy::Second);
        }
    }
}

std::optional<QString> printTaxInvoices(const Sheet &sheet, const Deployment &deployment, const QString &path,
                                        Spool spool)
{
    const QString target = path.isEmpty() ? printFilePath(deployment, QString::fromUtf16(TaxInvoicePrintFile)) : path;
    return printLayout(
        target, TaxInvoiceLines, [&sheet](PrintFile &file) { writeTaxInvoices(sheet, file); }, deployment, spool);
}
