#include "billing/billlookups.h"

#include "billing/billquery.h"

using F = ScheduleRecord::Field;

BillLookUps::BillLookUps(Db &db, BillKind kind, QString unitCode, LookUpLimits limits)
    : m_unitCode(std::move(unitCode)), m_agencies(db, agencyLookUp(kind), limits), m_pages(db, pagesLookUp(), limits)
{
    if (kind == BillKind::Gst)
        m_clients.emplace(db, clientLookUp(), limits);
    if (kind == BillKind::Exchange) {
        m_debits.emplace(db, exchangeDebitsLookUp(), limits);
        m_credits.emplace(db, exchangeCreditsLookUp(), limits);
    }
}

void BillLookUps::fetch(const std::vector<ScheduleRecord> &bills)
{
    QList<LookUpKey> agencies, clients, pages, exchange;
    for (const ScheduleRecord &bill : bills) {
        agencies.append(agencyKey(bill));
        // Only a bill of GST type 1 carries the client's own GST identity.
        if (m_clients && bill.value(F::GstType) == 1)
            clients.append(clientKey(bill));
        pages.append(pagesKey(bill));
        if (m_debits)
            exchange.append(exchangeKey(bill));
    }
    m_agencies.fetch(agencies);
    if (m_clients)
        m_clients->fetch(clients);
    m_pages.fetch(pages);
    if (m_debits) {
        m_debits->fetch(exchange);
        m_credits->fetch(exchange);
    }
}

const LookUpRows &BillLookUps::agency(const ScheduleRecord &bill) const { return m_agencies.rows(agencyKey(bill)); }

const LookUpRows &BillLookUps::client(const ScheduleRecord &bill) const { return m_clients->rows(clientKey(bill)); }

QString BillLookUps::pages(const ScheduleRecord &bill) const { return firstValue(m_pages.rows(pagesKey(bill))); }

QString BillLookUps::debits(const ScheduleRecord &bill) const { return firstValue(m_debits->rows(exchangeKey(bill))); }

QString BillLookUps::credits(const ScheduleRecord &bill) const
{
    return firstValue(m_credits->rows(exchangeKey(bill)));
}

LookUpKey BillLookUps::agencyKey(const ScheduleRecord &bill) const { return {bill.text(F::AgencyCode), {}}; }

LookUpKey BillLookUps::clientKey(const ScheduleRecord &bill) const { return {bill.text(F::ClientCode), {}}; }

// A schedule's insertions are those of the unit that numbered it: the first three characters of its number.
LookUpKey BillLookUps::pagesKey(const ScheduleRecord &bill) const
{
    const QString scheduleNo = bill.text(F::SlNo);
    return {scheduleNo, {scheduleNo.left(3)}};
}

LookUpKey BillLookUps::exchangeKey(const ScheduleRecord &bill) const { return {bill.text(F::SlNo), {m_unitCode}}; }
