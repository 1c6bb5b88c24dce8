// Split bills: the share of a schedule billed to another client, named with its address and the
// amount of the share on the form. The row carries no GST, company or print-type data.
#include "billing/billrow.h"

#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

void BillRowWriter::writeSplit(const ScheduleRecord &record)
{
    billNumber(record);
    put(BillColumn::AgentCode, record, F::AgencyCode);
    put(BillColumn::ClientName, m_filter.splitClient.left(30) + u", "_s + m_filter.splitAdd1);
    put(BillColumn::InsDate, record, F::InsDate);
    put(BillColumn::Edition, record, F::EdPdt);
    m_sheet.setNumber(m_row, col(BillColumn::Amount), m_splitTotal);
    groupColumns(record);
    agency(record);
    put(BillColumn::ClientAddress, m_filter.splitAdd1);
    put(BillColumn::ClientAddress2, m_filter.splitAdd2);
    put(BillColumn::ClientAddress3, m_filter.splitAdd3);
    releaseOrderAndBox(record);
    extraCharge(record);
    discount(record, netDiscount(record));
    cancelEqualCharges();
    scheduleColumns(record);
    columnWidth(record);
    displayMeasures(record);
    put(BillColumn::Budget, record, F::Budget);
    put(BillColumn::CommPer, record, F::CommPer);
}
