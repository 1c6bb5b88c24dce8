#pragma once

#include "billing/schedulerecord.h"
#include "common/db.h"
#include "davp/davpcolumns.h"

#include <QString>

class Sheet;

// Writes one DAVP schedule record into one bill row, in the order the steps read back what they
// wrote (the extra charge and discount start from the cells' own texts). One writer serves one
// generation: its look-ups are prepared once and run for every bill.
class DavpRowWriter
{
public:
    DavpRowWriter(Db &db, Sheet &sheet);

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
    PreparedQuery m_agencies;
    PreparedQuery m_pages;
    PreparedQuery m_rates;
    int m_row = 0;
};
