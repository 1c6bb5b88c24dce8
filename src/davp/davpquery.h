#pragma once

#include "billing/billfilter.h"

#include <QString>

// The statements of DAVP bill generation. Each keeps the text the billing desk has always sent;
// every value enters as a quoted SQL literal, so a quote in a box or a code never changes them.

// DAVP's agency code in the agency master.
inline constexpr char16_t DavpAgencyCode[] = u"010590";

// The DAVP schedules of the unit in the date range: one row per bill number. Reads the dates,
// the product and the bill-number bounds of the filter (bill numbers compare as text).
QString davpBillQuery(const BillFilter &filter);
// The agency's name, first address line and sub-area.
QString davpAgencyQuery(const QString &agencyCode);
// The distinct pages of a schedule's insertions, comma-joined.
QString davpPagesQuery(const QString &scheduleNo);
// The newspaper's DAVP code and place of publication for a rate.
QString davpRateQuery(const QString &rateCode);
