#pragma once

#include "billing/billfilter.h"
#include "billing/schedulerecord.h"
#include "common/runlookup.h"
#include "davp/davpcolumns.h"

#include <QString>

class Sheet;

// Writes one DAVP schedule record into one bill row, in the order the steps read back what they
// wrote (the extra charge and discount start from the cells' own texts). One writer serves one
// generation: lookUp() fetches the agency, pages and rate master of all the bills of the run, one
// statement each, before the first is written.
class DavpRowWriter
{
public:
    // The bills of the run `filter` asks for (davpSchedules).
    DavpRowWriter(Db &db, Sheet &sheet, const BillFilter &filter);

    void lookUp();
    void write(int row, const ScheduleRecord &record);

private:
    void agency(const ScheduleRecord &record);
    void rateAdjustment(const ScheduleRecord &record);
    void rate(const ScheduleRecord &record);
    void rowStyle();

    void put(DavpColumn column, const QString &text);
    void put(DavpColumn column, const ScheduleRecord &record, ScheduleRecord::Field field);
    QString cell(DavpColumn column) const;

    Sheet &m_sheet;
    RunLookUp m_agencies;
    RunLookUp m_pages;
    RunLookUp m_rates;
    int m_row = 0;
};
