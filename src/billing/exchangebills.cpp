// Exchange bills: schedules listed by schedule number, with the debits and credits of their
// exchange entries netted into the extra charge and the discount.
#include "billing/billrow.h"

#include "billing/billlookups.h"
#include "common/numbers.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

void BillRowWriter::writeExchange(const ScheduleRecord &record)
{
    put(BillColumn::BillNo, record, F::SlNo);
    put(BillColumn::BillDate, record, F::InsDate);
    put(BillColumn::AgentCode, record, F::AgencyCode);
    put(BillColumn::ClientName, record.text(F::ClientName) + u", "_s + record.text(F::ClientAddress));
    put(BillColumn::InsDate, record, F::InsDate);
    put(BillColumn::Edition, record, F::EdPdt);
    m_sheet.setNumber(m_row, col(BillColumn::Amount), record.value(F::NetTotal));
    groupColumns(record);
    agency(record);
    clientAddress(record);
    releaseOrderAndBox(record);

    // A schedule without exchange entries sums to NULL, which counts 0.
    const double debits = leadingNumber(m_lookUps.debits(record));
    put(BillColumn::ExtraCharge, shortestText(settledDecimal(record.value(F::ExtChg) - debits)));
    const double credits = leadingNumber(m_lookUps.credits(record));
    double d = settledDecimal(roundHalfEven(record.value(F::DiscAmt)) - credits);
    if (record.value(F::Words) <= 0) {
        if (d < 0)
            d = 0;
        const double e = roundHalfEven(leadingNumber(cell(BillColumn::ExtraCharge)));
        const double w = roundHalfEven(d);
        if (e >= w)
            put(BillColumn::ExtraCharge, shortestText(e - w));
    }
    discount(record, d);

    scheduleColumns(record);
    put(BillColumn::Budget, record, F::Budget);
}
