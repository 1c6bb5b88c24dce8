// Split bills: the share of a schedule billed to another client, named with its address and the
// amount of the share on the form. The bill carries no GST, company or print-type data.
#include "billing/billcomposer.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

void BillComposer::composeSplit(BillRow &bill, const ScheduleRecord &record)
{
    billNumber(bill, record);
    bill.agentCode = record.text(F::AgencyCode);
    bill.clientName = m_filter.splitClient.left(30) + u", "_s + m_filter.splitAdd1;
    bill.insDate = record.text(F::InsDate);
    bill.edition = record.text(F::EdPdt);
    bill.amount = m_splitTotal;
    groupColumns(bill, record);
    agency(bill, record);
    bill.clientAddress = m_filter.splitAdd1;
    bill.clientAddress2 = m_filter.splitAdd2;
    bill.clientAddress3 = m_filter.splitAdd3;
    releaseOrderAndBox(bill, record);
    extraCharge(bill, record);
    discount(bill, record, netDiscount(bill, record));
    cancelEqualCharges(bill);
    scheduleColumns(bill, record);
    columnWidth(record);
    displayMeasures(bill, record);
    bill.budget = record.text(F::Budget);
    bill.commPer = record.text(F::CommPer);
}
