#pragma once

#include "billing/billcolumns.h"
#include "billing/billfilter.h"
#include "billing/schedulerecord.h"

#include <QString>

class BillLookUps;
class Sheet;

// The publisher companies' GST identities for one generation: SV bills every product but "FSH",
// which the second company SX bills.
struct CompanyIdentities
{
    QString svGstin, svCin, sxGstin, sxCin;
};

// Writes one schedule record into one bill row, step by step in the order the printed invoice and
// the export rely on (later steps read the extra charge, discount and height written before).
// One writer serves one generation: it keeps the last column width in centimetres from bill to bill.
// What the bill's look-ups found comes from `lookUps`, fetched before the bill is written.
class BillRowWriter
{
public:
    BillRowWriter(Sheet &sheet, const BillFilter &filter, BillKind kind, const BillLookUps &lookUps,
                  CompanyIdentities companies = {});

    void write(int row, const ScheduleRecord &record);

private:
    void writeGst(const ScheduleRecord &record);
    void writeSplit(const ScheduleRecord &record);     // splitbills.cpp
    void writeExchange(const ScheduleRecord &record);  // exchangebills.cpp

    // Steps shared by the routines, named after what they fill.
    void billNumber(const ScheduleRecord &record);
    void groupColumns(const ScheduleRecord &record);
    void agency(const ScheduleRecord &record);
    void clientAddress(const ScheduleRecord &record);
    void releaseOrderAndBox(const ScheduleRecord &record);
    void extraCharge(const ScheduleRecord &record);
    double netDiscount(const ScheduleRecord &record);
    void discount(const ScheduleRecord &record, double netDiscount);
    void cancelEqualCharges();
    void scheduleColumns(const ScheduleRecord &record);
    void columnWidth(const ScheduleRecord &record);
    void displayMeasures(const ScheduleRecord &record);
    void rowStyle();

    void put(BillColumn column, const QString &text);
    void put(BillColumn column, const ScheduleRecord &record, ScheduleRecord::Field field);
    QString cell(BillColumn column) const;

    Sheet &m_sheet;
    const BillFilter &m_filter;
    BillKind m_kind;
    const BillLookUps &m_lookUps;
    CompanyIdentities m_companies;
    double m_splitTotal = 0;
    double m_columnWidthCm = 0;  // ColumnWidthCm: kept from the previous bill when sch_cols is not in the table
    int m_row = 0;
};
