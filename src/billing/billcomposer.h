#pragma once

#include "billing/billfilter.h"
#include "billing/billrow.h"
#include "billing/schedulerecord.h"

#include <QString>

class BillLookUps;

// The publisher companies' GST identities for one generation: SV bills every product but "FSH",
// which the second company SX bills.
struct CompanyIdentities
{
    QString svGstin, svCin, sxGstin, sxCin;
};

// Composes the bill of one schedule record, step by step in the order the printed invoice and the
// export rely on (later steps take the extra charge, discount and height worked out before). One
// composer serves one generation: it keeps the last column width in centimetres from bill to bill.
// What the bill's look-ups found comes from `lookUps`, fetched before the bill is composed.
class BillComposer
{
public:
    BillComposer(const BillFilter &filter, BillKind kind, const BillLookUps &lookUps, CompanyIdentities companies = {});

    BillRow compose(const ScheduleRecord &record);

private:
    void composeGst(BillRow &bill, const ScheduleRecord &record);
    void composeSplit(BillRow &bill, const ScheduleRecord &record);           // splitbills.cpp
    void composeExchange(BillRow &bill, const ScheduleRecord &record) const;  // exchangebills.cpp

    // Steps shared by the routines, named after what they fill.
    static void billNumber(BillRow &bill, const ScheduleRecord &record);
    static void groupColumns(BillRow &bill, const ScheduleRecord &record);
    void agency(BillRow &bill, const ScheduleRecord &record) const;
    static void clientAddress(BillRow &bill, const ScheduleRecord &record);
    static void releaseOrderAndBox(BillRow &bill, const ScheduleRecord &record);
    static void extraCharge(BillRow &bill, const ScheduleRecord &record);
    static double netDiscount(BillRow &bill, const ScheduleRecord &record);
    static void discount(BillRow &bill, const ScheduleRecord &record, double netDiscount);
    static void cancelEqualCharges(BillRow &bill);
    void scheduleColumns(BillRow &bill, const ScheduleRecord &record) const;
    void columnWidth(const ScheduleRecord &record);
    void displayMeasures(BillRow &bill, const ScheduleRecord &record) const;

    const BillFilter &m_filter;
    BillKind m_kind;
    const BillLookUps &m_lookUps;
    CompanyIdentities m_companies;
    double m_splitTotal = 0;
    double m_columnWidthCm = 0;  // ColumnWidthCm: kept from the previous bill when sch_cols is not in the table
};
