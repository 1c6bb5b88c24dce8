#include "einvoice/gridbill.h"

#include "billing/billcolumns.h"
#include "common/numbers.h"
#include "sheet/sheet.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

QString paiseText(Paise amount)
{
    const Paise whole = qAbs(amount);
    return (amount < 0 ? u"-"_s : QString()) + QString::number(whole / 100) + u'.'
           + QString::number(whole % 100).rightJustified(2, u'0');
}

Paise paiseOf(const QString &gridText)
{
    QString text = twoDecimals(gridText.trimmed());
    return text.isEmpty() ? 0 : text.remove(u'.').toLongLong();
}

namespace {

// Rates are two-decimal texts too: "2.50" is 250 hundredths of a percent.
int rateOf(const QString &gridText) { return int(paiseOf(gridText)); }

QDate dateOf(const QString &text)
{
    for (const QString &format : {u"dd-MMM-yyyy"_s, u"yyyy-MM-dd"_s, u"dd/MM/yyyy"_s}) {
        const QDate date = QLocale::c().toDate(text.trimmed(), format);
        if (date.isValid())
            return date;
    }
    return {};
}

}  // namespace

QList<GridBill> gridBills(const Sheet &sheet)
{
    QList<GridBill> bills;
    for (int row = FirstBillRow; row <= sheet.lastUsedRow(); ++row) {
        const auto cell = [&sheet, row](BillColumn column) { return sheet.text(row, col(column)); };
        if (cell(BillColumn::BillNo).isEmpty())
            break;
        GridBill bill;
        bill.row = row;
        bill.billNo = cell(BillColumn::BillNo);
        bill.billDateText = cell(BillColumn::BillDate);
        bill.billDate = dateOf(bill.billDateText);
        bill.agentCode = cell(BillColumn::AgentCode);
        bill.agencyName = cell(BillColumn::AgentName);
        for (BillColumn line : {BillColumn::AgentAddress1, BillColumn::AgentAddress2, BillColumn::AgentAddress3})
            if (const QString text = cell(line).trimmed(); !text.isEmpty())
                bill.agencyAddress.append(text);
        bill.subName = cell(BillColumn::SubName);
        bill.gstin = cell(BillColumn::AgencyGst).trimmed();
        bill.pan = cell(BillColumn::AgencyPan).trimmed();
        bill.products = cell(BillColumn::Products);
        bill.edition = cell(BillColumn::Edition);
        bill.companyCin = cell(BillColumn::SvCin);
        bill.companyGstin = cell(BillColumn::SvGstin).trimmed();
        bill.insertionDate = cell(BillColumn::InsertionDate);
        bill.roNo = cell(BillColumn::RoNo);
        bill.roDate = cell(BillColumn::RoDate);
        bill.caption = cell(BillColumn::Caption);
        bill.cgst = paiseOf(cell(BillColumn::CgstAmt));
        bill.sgst = paiseOf(cell(BillColumn::SgstAmt));
        bill.igst = paiseOf(cell(BillColumn::IgstAmt));
        // Net AMT is gross plus CGST plus SGST; the IGST is not part of it.
        bill.taxable = paiseOf(cell(BillColumn::NetAmt)) - bill.cgst - bill.sgst;
        bill.discount = paiseOf(cell(BillColumn::Discount));
        bill.amount = paiseOf(cell(BillColumn::Amount));
        bill.cgstRate = rateOf(cell(BillColumn::CgstPer));
        bill.sgstRate = rateOf(cell(BillColumn::SgstPer));
        bill.igstRate = rateOf(cell(BillColumn::IgstPer));
        bill.bpType = cell(BillColumn::BpType);
        bills.append(bill);
    }
    return bills;
}
