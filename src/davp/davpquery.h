#pragma once

#include "billing/billfilter.h"
#include "common/batchlookup.h"
#include "common/db.h"

#include <QString>

// The statements of DAVP bill generation. Each keeps the text the billing desk has always sent,
// with a "?" where a value stands; the values are bound apart from the text, so a quote or
// backslash in a box or a code never changes them. The look-ups of the bills run one key at a
// time in the statement of old, or many keys at once (the *LookUp statements).

// DAVP's agency code in the agency master.
inline constexpr char16_t DavpAgencyCode[] = u"010590";

// The DAVP schedules of the unit in the date range: one row per bill number. Reads the dates,
// the product and the bill-number bounds of the filter (bill numbers compare as text). The
// schedules are read before their masters (STRAIGHT_JOIN), as in the bill query.
SqlStatement davpBillQuery(const BillFilter &filter);
// The agency's name, first address line and sub-area; the value is the agency code.
QString davpAgencyQuery();
// The distinct pages of a schedule's insertions, comma-joined; the value is the schedule number.
QString davpPagesQuery();
// The newspaper's DAVP code and place of publication; the value is the rate code.
QString davpRateQuery();

// The look-ups above for many bills at once: agency codes, schedule numbers, rate codes.
LookUpStatements davpAgencyLookUp();
LookUpStatements davpPagesLookUp();
LookUpStatements davpRateLookUp();
