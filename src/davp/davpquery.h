#pragma once

#include "billing/billfilter.h"
#include "common/db.h"
#include "common/runlookup.h"

#include <QString>

// The statements of DAVP bill generation. Each keeps the text the billing desk has always sent,
// with a "?" where a value stands; the values are bound apart from the text, so a quote or
// backslash in a box or a code never changes them. The look-ups of the bills run once for the
// whole run, keyed by the run's own schedules (the *LookUp statements, see RunLookUp).

// DAVP's agency code in the agency master.
inline constexpr char16_t DavpAgencyCode[] = u"010590";

// The tables and conditions of the DAVP schedules of a run (from " from" up to the grouping), with
// their values: the unit's schedules of DAVP in the date range, with the product and the
// bill-number bounds of the filter (bill numbers compare as text).
SqlStatement davpSchedules(const BillFilter &filter);
// Those schedules, one row per bill number. The schedules are read before their masters
// (selectSchedulesFirst), as in the bill query.
SqlStatement davpBillQuery(const BillFilter &filter);
// The agency's name, first address line and sub-area; the value is the agency code.
QString davpAgencyQuery();
// The newspaper's DAVP code and place of publication; the value is the rate code.
QString davpRateQuery();

// The look-ups of the bills of `schedules` (davpSchedules) for the whole run: the agency, the
// distinct pages of each schedule (comma-joined), the rate master.
RunLookUpStatements davpAgencyLookUp(const SqlStatement &schedules);
RunLookUpStatements davpPagesLookUp(const SqlStatement &schedules);
RunLookUpStatements davpRateLookUp(const SqlStatement &schedules);
