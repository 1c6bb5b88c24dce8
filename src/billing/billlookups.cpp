#include "billing/billlookups.h"

#include "billing/billquery.h"

using F = ScheduleRecord::Field;

BillLookUps::BillLookUps(Db &db, BillKind kind, const BillFilter &filter)
    : m_agencies(db, agencyLookUp(kind, billedSchedules(kind, filter))),
      m_pages(db, pagesLookUp(billedSchedules(kind, filter)))
{
    if (kind == BillKind::Gst)
        m_clients.emplace(db, clientLookUp(billedSchedules(kind, filter)));
    if (kind == BillKind::Exchange)
        m_exchange.emplace(db, exchangeLookUp(billedSchedules(kind, filter), filter.unitCode));
}

void BillLookUps::fetch()
{
    m_agencies.fetch();
    if (m_clients)
        m_clients->fetch();
    m_pages.fetch();
    if (m_exchange)
        m_exchange->fetch();
}

const LookUpRows &BillLookUps::agency(const ScheduleRecord &bill) const
{
    return m_agencies.rows(bill.text(F::AgencyCode));
}

const LookUpRows &BillLookUps::client(const ScheduleRecord &bill) const
{
    return m_clients->rows(bill.text(F::ClientCode));
}

QString BillLookUps::pages(const ScheduleRecord &bill) const { return firstValue(m_pages.rows(bill.text(F::SlNo))); }

QString BillLookUps::debits(const ScheduleRecord &bill) const
{
    return firstValue(m_exchange->rows(bill.text(F::SlNo)));
}

QString BillLookUps::credits(const ScheduleRecord &bill) const
{
    const LookUpRows &rows = m_exchange->rows(bill.text(F::SlNo));
    return rows.isEmpty() ? QString() : rows.first().value(1);
}
