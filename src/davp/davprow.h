#pragma once

#include "billing/schedulerecord.h"
#include "common/batchlookup.h"
#include "davp/davpcolumns.h"

#include <QString>

#include <vector>

class Sheet;

// Writes one DAVP schedule record into one bill row, in the order the steps read back what they
// wrote (the extra charge and discount start from the cells' own texts). One writer serves one
// generation: lookUp() fetches the agency, pages and rate master of a run of bills, many keys a
// statement, before they are written.
class DavpRowWriter
{
public:
    DavpRowWriter(Db &db, Sheet &sheet, LookUpLimits limits);

    void lookUp(const std::vector<ScheduleRecord> &bills);
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
    BatchedLookUp m_agencies;
    BatchedLookUp m_pages;
    BatchedLookUp m_rates;
    int m_row = 0;
};
