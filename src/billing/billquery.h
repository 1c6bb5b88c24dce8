#pragma once

#include "billing/billfilter.h"
#include "common/batchlookup.h"
#include "common/db.h"

#include <QString>

// The statements of bill generation. Each keeps the text the billing desk has always sent, with a
// "?" where a value of the form or a code stands; the values are bound apart from the text, so
// nothing typed ever changes a statement. The look-ups of the bills run one key at a time in the
// statement of old, or many keys at once (the *LookUp statements, see BatchedLookUp).

// The date-range conditions both bill kinds add when the form gives them: the product, and the
// first and last bill numbers (" And sch_ed_code=?" and so on, with their values).
void addProductAndBillRangeConditions(SqlStatement &statement, const BillFilter &filter);
// The publisher companies' GST identities (SV, and SX for the "FSH" product).
QString companiesQuery();
// The schedules to bill: one row per bill number. Single-schedule mode (and every exchange run)
// selects by schedule number, the date-range form by insertion date (or bill date, for a return's
// period) and bill number. The group
// text must have passed checkBillFilter. The statement reads the schedules before their masters
// (STRAIGHT_JOIN), so years of older schedules cost the run nothing.
SqlStatement mainBillQuery(BillKind kind, const BillFilter &filter);
// The agency's name, address, sub-area and bill columns; GST runs also read its GSTIN and PAN.
// Value: the agency code.
QString agencyQuery(BillKind kind);
// The client's own GSTIN and PAN, for bills of GST type 1. Value: the client code.
QString clientQuery();
// The distinct pages of a schedule's insertions, comma-joined. Values: the schedule number and
// its first three characters (the unit that numbered it).
QString pagesQuery();
// The sums of a schedule's exchange debits and credits. Values: the unit code, the schedule number.
QString exchangeDebitsQuery();
QString exchangeCreditsQuery();

// The look-ups above for many bills at once: agency codes, client codes and schedule numbers (with
// the unit that numbered the schedule, or the unit of the exchange entries, as fixed value).
LookUpStatements agencyLookUp(BillKind kind);
LookUpStatements clientLookUp();
LookUpStatements pagesLookUp();
LookUpStatements exchangeDebitsLookUp();
LookUpStatements exchangeCreditsLookUp();
