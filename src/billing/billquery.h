#pragma once

#include "billing/billfilter.h"
#include "common/db.h"
#include "common/runlookup.h"

#include <QString>

// The statements of bill generation. Each keeps the text the billing desk has always sent, with a
// "?" where a value of the form or a code stands; the values are bound apart from the text, so
// nothing typed ever changes a statement. The look-ups of the bills run once for the whole run,
// keyed by the run's own schedules (the *LookUp statements, see RunLookUp).

// The date-range conditions both bill kinds add when the form gives them: the product, and the
// first and last bill numbers (" And sch_ed_code=?" and so on, with their values).
void addProductAndBillRangeConditions(SqlStatement &statement, const BillFilter &filter);
// The publisher companies' GST identities (SV, and SX for the "FSH" product).
QString companiesQuery();
// The tables and conditions of the schedules a run bills, from " from" up to the grouping of the
// main query, with their values: the main query and the look-ups of the run read the same ones.
SqlStatement billedSchedules(BillKind kind, const BillFilter &filter);
// The start of a main query, "SET STATEMENT ... FOR Select STRAIGHT_JOIN advt_schedule.*," and
// `columns`: the schedules are read before their masters, each finding its agency and group by
// their keys, whatever the server's statistics say of the masters.
QString selectSchedulesFirst(const QString &columns);
// The schedules to bill: one row per bill number. Single-schedule mode (and every exchange run)
// selects by schedule number, the date-range form by insertion date (or bill date, for a return's
// period) and bill number. The group
// text must have passed checkBillFilter. The statement reads the schedules before their masters
// (selectSchedulesFirst), so years of older schedules cost the run nothing.
SqlStatement mainBillQuery(BillKind kind, const BillFilter &filter);
// A look-up of a whole run: for each distinct `codeColumn` of `schedules` (as billedSchedules
// gives them), that code and `columns` of `masters`, which join the master tables on
// run_codes.lookup_key and may hold "?" for `masterValues`. An `aggregate` groups by the code.
SqlStatement runLookUpStatement(const SqlStatement &schedules, const QString &codeColumn, const QString &columns,
                                const QString &masters, const QStringList &masterValues = {}, bool aggregate = false);

// The agency's name, address, sub-area and bill columns; GST runs also read its GSTIN and PAN.
// Value: the agency code.
QString agencyQuery(BillKind kind);
// The client's own GSTIN and PAN, for bills of GST type 1. Value: the client code.
QString clientQuery();

// The look-ups of the bills of `schedules`, for the whole run (RunLookUp): the agency of every
// bill, the client's GST identity, the distinct pages of each schedule's insertions of the unit
// that numbered it (comma-joined), and the sums of each schedule's exchange debits and credits
// of `unitCode`.
RunLookUpStatements agencyLookUp(BillKind kind, const SqlStatement &schedules);
RunLookUpStatements clientLookUp(const SqlStatement &schedules);
RunLookUpStatements pagesLookUp(const SqlStatement &schedules);
RunLookUpStatements exchangeLookUp(const SqlStatement &schedules, const QString &unitCode);
