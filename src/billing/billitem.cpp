#include "billing/billitem.h"

#include "common/numbers.h"

BillPricing pricingOf(const BillRow &bill)
{
    if (leadingNumber(bill.words) > 0)
        return BillPricing::Words;
    if (leadingNumber(bill.billColumns) > 0)
        return BillPricing::ColumnCentimetres;
    return BillPricing::Area;
}

double itemAmount(const BillRow &bill)
{
    switch (pricingOf(bill)) {
    case BillPricing::Words: return leadingNumber(bill.words) * leadingNumber(bill.newRate);
    case BillPricing::ColumnCentimetres:
        return leadingNumber(bill.cols) * leadingNumber(bill.heightCm) * leadingNumber(bill.mechData);
    case BillPricing::Area: break;
    }
    const double budget = leadingNumber(bill.budget);
    return budget > 0 ? budget : leadingNumber(bill.sqCms) * leadingNumber(bill.newRate);
}
