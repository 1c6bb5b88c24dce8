// Exchange bills: schedules listed by schedule number, with the debits and credits of their
// exchange entries netted into the extra charge and the discount.
#include "billing/billrow.h"

#include "common/numbers.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

void BillRowWriter::writeExchange(const ScheduleRecord &record)
{
    const QString scheduleNo = record.text(F::SlNo);
    put(BillColumn::BillNo, scheduleNo);
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
    const double debits = leadingNumber(m_debits->firstValue({m_filter.unitCode, scheduleNo}));
    put(BillColumn::ExtraCharge, shortestText(settledDecimal(record.value(F::ExtChg) - debits)));
    const double credits = leadingNumber(m_credits->firstValue({m_filter.unitCode, scheduleNo}));
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
