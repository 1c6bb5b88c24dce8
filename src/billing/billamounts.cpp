#include "billing/billamounts.h"

#include "common/numbers.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

QString paiseText(Paise amount)
{
    const Paise whole = qAbs(amount);
    return (amount < 0 ? u"-"_s : QString()) + QString::number(whole / 100) + u'.'
           + QString::number(whole % 100).rightJustified(2, u'0');
}

Paise paiseOf(const QString &billText)
{
    QString text = twoDecimals(billText.trimmed());
    return text.isEmpty() ? 0 : text.remove(u'.').toLongLong();
}

Paise paiseOf(const std::optional<double> &number) { return number ? paiseOf(shortestText(*number)) : 0; }

namespace {

// Rates are two-decimal texts too: "2.50" is 250 hundredths of a percent.
int rateOf(const QString &billText) { return int(paiseOf(billText)); }

}  // namespace

BillAmounts amountsOf(const BillRow &bill)
{
    BillAmounts amounts;
    amounts.cgst = paiseOf(bill.cgstAmt);
    amounts.sgst = paiseOf(bill.sgstAmt);
    amounts.igst = paiseOf(bill.igstAmt);
    // Net AMT is gross plus CGST plus SGST; the IGST is not part of it.
    amounts.taxable = paiseOf(bill.netAmt) - amounts.cgst - amounts.sgst;
    amounts.discount = paiseOf(bill.discount);
    amounts.amount = paiseOf(bill.amount);
    amounts.cgstRate = rateOf(bill.cgstPer);
    amounts.sgstRate = rateOf(bill.sgstPer);
    amounts.igstRate = rateOf(bill.igstPer);
    return amounts;
}

QDate billDateOf(const BillRow &bill)
{
    for (const QString &format : {u"dd-MMM-yyyy"_s, u"yyyy-MM-dd"_s, u"dd/MM/yyyy"_s}) {
        const QDate date = QLocale::c().toDate(bill.billDate.trimmed(), format);
        if (date.isValid())
            return date;
    }
    return {};
}
