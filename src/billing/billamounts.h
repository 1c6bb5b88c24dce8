#pragma once

#include "billing/billrow.h"

#include <QDate>
#include <QString>

// An amount in paise, so that sums and differences are exact.
using Paise = qint64;

// The decimal text of an amount in paise: 123456 -> "1234.56", -5 -> "-0.05".
QString paiseText(Paise amount);
// An amount of a bill in paise: a two-decimal text, an exact half of a paisa away from zero; empty
// or not a number gives 0.
Paise paiseOf(const QString &billText);
Paise paiseOf(const std::optional<double> &number);

// The taxable value, tax and total of a bill, as its GST documents state them.
struct BillAmounts
{
    Paise taxable = 0;  // the net amount before tax: Net AMT less CGST and SGST
    Paise discount = 0;
    Paise cgst = 0;
    Paise sgst = 0;
    Paise igst = 0;
    Paise amount = 0;  // the bill amount: what the party pays
    int cgstRate = 0;  // rates in hundredths of a percent: 250 is 2.5 %
    int sgstRate = 0;
    int igstRate = 0;

    bool isInterState() const { return igstRate > 0 || igst > 0; }
    int gstRate() const { return isInterState() ? igstRate : cgstRate + sgstRate; }
    Paise total() const { return taxable + cgst + sgst + igst; }
};
BillAmounts amountsOf(const BillRow &bill);

// The bill date; invalid when the bill's text is not a date.
QDate billDateOf(const BillRow &bill);
