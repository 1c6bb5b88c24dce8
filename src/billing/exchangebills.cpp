// Exchange bills: schedules listed by schedule number, with the debits and credits of their
// exchange entries netted into the extra charge and the discount.
#include "billing/billcomposer.h"

#include "billing/billlookups.h"
#include "common/numbers.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

void BillComposer::composeExchange(BillRow &bill, const ScheduleRecord &record) const
{
    bill.billNo = record.text(F::SlNo);
    bill.billDate = record.text(F::InsDate);
    bill.agentCode = record.text(F::AgencyCode);
    bill.clientName = record.text(F::ClientName) + u", "_s + record.text(F::ClientAddress);
    bill.insDate = record.text(F::InsDate);
    bill.edition = record.text(F::EdPdt);
    bill.amount = record.value(F::NetTotal);
    groupColumns(bill, record);
    agency(bill, record);
    clientAddress(bill, record);
    releaseOrderAndBox(bill, record);

    // A schedule without exchange entries sums to NULL, which counts 0.
    const double debits = leadingNumber(m_lookUps.debits(record));
    bill.extraCharge = shortestText(settledDecimal(record.value(F::ExtChg) - debits));
    const double credits = leadingNumber(m_lookUps.credits(record));
    double d = settledDecimal(roundHalfEven(record.value(F::DiscAmt)) - credits);
    if (record.value(F::Words) <= 0) {
        if (d < 0)
            d = 0;
        const double e = roundHalfEven(leadingNumber(bill.extraCharge));
        const double w = roundHalfEven(d);
        if (e >= w)
            bill.extraCharge = shortestText(e - w);
    }
    discount(bill, record, d);

    scheduleColumns(bill, record);
    bill.budget = record.text(F::Budget);
}
