#pragma once

#include "billing/schedulerecord.h"
#include "davp/davpcolumns.h"

#include <QString>

class Db;
class Sheet;

// Writes one DAVP schedule record into one bill row, in the order the steps read back what they
// wrote (the extra charge and discount start from the cells' own texts).
class DavpRowWriter
{
public:
    DavpRowWriter(Db &db, Sheet &sheet) : m_db(db), m_sheet(sheet) {}

    void write(int row, const ScheduleRecord &record);

private:
    void agency(const ScheduleRecord &record);
    void rateAdjustment(const ScheduleRecord &record);
    void rate(const ScheduleRecord &record);
    void rowStyle();

    void put(DavpColumn column, const QString &text);
    void put(DavpColumn column, const ScheduleRecord &record, ScheduleRecord::Field field);
    QString cell(DavpColumn column) const;

    Db &m_db;
    Sheet &m_sheet;
    int m_row = 0;
};
