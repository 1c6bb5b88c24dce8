#include "davp/davprow.h"

#include "billing/gridlook.h"
#include "common/numbers.h"
#include "davp/davpquery.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

namespace {

// Whole rupees: exact halves go to the even neighbour.
double whole(double value) { return roundHalfEven(settledDecimal(value)); }

QString asText(double value) { return shortestText(settledDecimal(value)); }

}  // namespace

DavpRowWriter::DavpRowWriter(Db &db, Sheet &sheet, const BillFilter &filter)
    : m_sheet(sheet), m_agencies(db, davpAgencyLookUp(davpSchedules(filter))),
      m_pages(db, davpPagesLookUp(davpSchedules(filter))), m_rates(db, davpRateLookUp(davpSchedules(filter)))
{
}

void DavpRowWriter::lookUp()
{
    m_agencies.fetch();
    m_pages.fetch();
    m_rates.fetch();
}

void DavpRowWriter::write(int row, const ScheduleRecord &record)
{
    m_row = row;
    put(DavpColumn::BillNo, record, F::BillNo);
    put(DavpColumn::BillDate, record, F::InsDate);
    put(DavpColumn::AgentCode, record, F::AgencyCode);
    put(DavpColumn::ClientName, record, F::ClientName);
    put(DavpColumn::InsDate, record, F::InsDate);
    put(DavpColumn::Edition, record, F::EdPdt);
    m_sheet.setNumber(m_row, col(DavpColumn::Amount), record.value(F::NetTotal));
    put(DavpColumn::ShowCommission, record, F::GroupShowComm);
    put(DavpColumn::NoOfCopies, record, F::GroupNoOfBills);
    put(DavpColumn::ShowAddress, record, F::GroupShowAddress);
    agency(record);
    put(DavpColumn::ClientAddress, record, F::ClientAddress);
    put(DavpColumn::ClientAddress2, record, F::ClientAddress2);
    put(DavpColumn::ClientAddress3, record, F::ClientAddress3);
    if (!record.text(F::RoNo).isEmpty()) {
        put(DavpColumn::RoNo, record, F::RoNo);
        put(DavpColumn::RoDate, record, F::RoDate);
    }
    put(DavpColumn::BoxNo, record, F::BoxNo);
    put(DavpColumn::Caption, record, F::Caption);
    put(DavpColumn::BoxCharge, record, F::BoxChg);
    put(DavpColumn::ExtraCharge, record, F::ExtChg);
    rateAdjustment(record);
    put(DavpColumn::Commission, asText(record.value(F::GrossAmt) * record.value(F::CommPer) / 100));
    put(DavpColumn::ScheduleNo, record, F::SlNo);
    put(DavpColumn::Products, record, F::EdCode);
    put(DavpColumn::DeliveryCharge, record, F::DelChg);
    put(DavpColumn::Words, record, F::Words);
    put(DavpColumn::InsertionDate, record, F::InsDate);
    put(DavpColumn::CardRate, record, F::CardRate);
    put(DavpColumn::SqCms, record, F::Sqcm);
    put(DavpColumn::ColCms, record, F::Sqcms);
    put(DavpColumn::Cols, record, F::Cols);
    put(DavpColumn::Page, firstValue(m_pages.rows(record.text(F::SlNo))));
    put(DavpColumn::NewRate, record, F::NewRate);
    put(DavpColumn::AdRef, record, F::AdRef);
    put(DavpColumn::CommissionPer, record, F::CommPer);
    put(DavpColumn::GrossAmt, record, F::GrossAmt);
    rate(record);
    rowStyle();
}

void DavpRowWriter::agency(const ScheduleRecord &record)
{
    for (const QStringList &agency : m_agencies.rows(record.text(F::AgencyCode))) {
        put(DavpColumn::AgentName, agency.at(0));
        put(DavpColumn::AgentAddress1, agency.at(1));
        // The sub-area is the place of publication until the rate master names one.
        put(DavpColumn::Place, agency.at(4));
    }
}

void DavpRowWriter::rateAdjustment(const ScheduleRecord &record)
{
    // DAVP pays its own rate: what the card rate would have added over the quantity is taken off
    // the discount, in one step for both pricing kinds and without a floor at 0.
    const bool wordPriced = record.value(F::Words) > 0;
    const double quantity = wordPriced ? record.value(F::Words) : record.value(F::Sqcm);
    const double d =
        whole(record.value(F::DiscAmt) - (record.value(F::CardRate) - record.value(F::NewRate)) * quantity);
    if (!wordPriced)
        put(DavpColumn::ExtraCharge, asText(whole(leadingNumber(cell(DavpColumn::ExtraCharge))) - d));
    if (record.value(F::DiscAmt) > 0)
        put(DavpColumn::Discount, asText(leadingNumber(cell(DavpColumn::Discount)) - d));
    else
        put(DavpColumn::Discount, u"0"_s);
}

void DavpRowWriter::rate(const ScheduleRecord &record)
{
    // The first rate row the server gives names the place and the DAVP code.
    const LookUpRows &rates = m_rates.rows(record.text(F::RateCode));
    if (!rates.isEmpty()) {
        put(DavpColumn::Place, rates.first().at(1));
        put(DavpColumn::DavpCode, rates.first().at(0));
    }
}

void DavpRowWriter::rowStyle() { styleBillRow(m_sheet, m_row, m_sheet.columnCount(), col(DavpColumn::Amount)); }

void DavpRowWriter::put(DavpColumn column, const QString &text) { m_sheet.setText(m_row, col(column), text); }

void DavpRowWriter::put(DavpColumn column, const ScheduleRecord &record, ScheduleRecord::Field field)
{
    put(column, record.text(field));
}

QString DavpRowWriter::cell(DavpColumn column) const { return m_sheet.text(m_row, col(column)); }
