#pragma once

#include "billing/billfilter.h"
#include "billing/schedulerecord.h"
#include "common/batchlookup.h"

#include <QString>

#include <optional>
#include <vector>

class Db;

// The look-ups of one bill generation: the agency of every bill, the client's GST identity for
// bills of GST type 1, the pages of the schedule, and for exchange bills the exchange debits and
// credits. fetch() looks them up for a run of bills, many keys a statement, before the bills are
// written; the accessors then give each bill what its own statements would have found.
class BillLookUps
{
public:
    BillLookUps(Db &db, BillKind kind, QString unitCode, LookUpLimits limits);

    void fetch(const std::vector<ScheduleRecord> &bills);

    // The agency's rows (name, three address lines, sub-area, bill columns; GST runs add GSTIN and PAN).
    const LookUpRows &agency(const ScheduleRecord &bill) const;
    // The client's rows (GSTIN, PAN); GST bills of GST type 1 only.
    const LookUpRows &client(const ScheduleRecord &bill) const;
    // The distinct pages of the schedule, comma-joined; empty when it has none.
    QString pages(const ScheduleRecord &bill) const;
    // The sums of the schedule's exchange debits and credits as text, empty for none; exchange bills only.
    QString debits(const ScheduleRecord &bill) const;
    QString credits(const ScheduleRecord &bill) const;

private:
    LookUpKey agencyKey(const ScheduleRecord &bill) const;
    LookUpKey clientKey(const ScheduleRecord &bill) const;
    LookUpKey pagesKey(const ScheduleRecord &bill) const;
    LookUpKey exchangeKey(const ScheduleRecord &bill) const;

    QString m_unitCode;
    BatchedLookUp m_agencies;
    BatchedLookUp m_pages;
    std::optional<BatchedLookUp> m_clients;  // GST bills
    std::optional<BatchedLookUp> m_debits;   // exchange bills
    std::optional<BatchedLookUp> m_credits;
};
