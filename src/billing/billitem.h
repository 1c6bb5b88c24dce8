#pragma once

#include "billing/billrow.h"

// How the invoice prices a bill's one item, whichever applies first: by the word, by column
// centimetres (the agency is billed so), else by area (square centimetres, or the budget).
enum class BillPricing { Words, ColumnCentimetres, Area };
BillPricing pricingOf(const BillRow &bill);

// The item's amount as the invoice prints it: words times the rate, columns times height times the
// rate per column centimetre, or the budget when there is one, else the area times the rate.
double itemAmount(const BillRow &bill);
