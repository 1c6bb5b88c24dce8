#pragma once

#include "billing/billfilter.h"
#include "billing/schedulerecord.h"
#include "common/runlookup.h"

#include <QString>

#include <optional>

class Db;

// The look-ups of one bill generation: the agency of every bill, the client's GST identity for
// bills of GST type 1, the pages of the schedule, and for exchange bills the exchange debits and
// credits. fetch() looks them up once for all the bills of the run, one statement each, before the
// first bill is written; the accessors then give each bill what its own statements would have found.
class BillLookUps
{
public:
    // `filter` must have passed checkBillFilter: the look-ups read the schedules the main query reads.
    BillLookUps(Db &db, BillKind kind, const BillFilter &filter);

    void fetch();

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
    RunLookUp m_agencies;
    RunLookUp m_pages;
    std::optional<RunLookUp> m_clients;   // GST bills
    std::optional<RunLookUp> m_exchange;  // exchange bills: debits and credits
};
