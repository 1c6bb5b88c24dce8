#pragma once

#include "billing/billfilter.h"

#include <QString>

// The statements of bill generation. Each keeps the text the billing desk has always sent; every
// value enters as a quoted SQL literal, so a quote in a box or a code never changes a statement.

// The publisher companies' GST identities (SV, and SX for the "FSH" product).
QString companiesQuery();
// The schedules to bill: one row per bill number. Single-schedule mode (and every exchange run)
// selects by schedule number, the date-range form by insertion date and bill number. The group
// text must have passed checkBillFilter.
QString mainBillQuery(BillKind kind, const BillFilter &filter);
// The agency's name, address, sub-area and bill columns; GST runs also read its GSTIN and PAN.
QString agencyQuery(BillKind kind, const QString &agencyCode);
// The client's own GSTIN and PAN, for bills of GST type 1.
QString clientQuery(const QString &clientCode);
// The distinct pages of a schedule's insertions, comma-joined.
QString pagesQuery(const QString &scheduleNo);
// The sums of a schedule's exchange debits and credits.
QString exchangeDebitsQuery(const QString &unitCode, const QString &scheduleNo);
QString exchangeCreditsQuery(const QString &unitCode, const QString &scheduleNo);
