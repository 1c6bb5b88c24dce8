#include "billing/billrow.h"

#include "billing/billlookups.h"
#include "billing/gridlook.h"
#include "common/numbers.h"
#include "sheet/sheet.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

using F = ScheduleRecord::Field;

namespace {

// Newspaper columns to centimetres; the "FSH" product is printed on a narrower column grid.
constexpr std::array<double, 16> ColumnWidths = {3.8,  8.0,  12.2, 16.3, 20.5, 24.6, 28.8, 33.0,
                                                 38.9, 43.0, 47.1, 51.3, 55.5, 59.6, 64.4, 68.0};
constexpr std::array<double, 12> FshColumnWidths = {3.7,  7.8,  11.8, 15.9, 19.9, 24.0,
                                                    29.5, 33.6, 37.7, 41.7, 45.8, 50.0};

const QString SecondCompanyProduct = u"FSH"_s;

// whole(): amounts are brought to whole rupees with exact halves going to the even neighbour.
double whole(double value) { return roundHalfEven(settledDecimal(value)); }

QString asText(double value) { return shortestText(settledDecimal(value)); }

}  // namespace

BillRowWriter::BillRowWriter(Sheet &sheet, const BillFilter &filter, BillKind kind, const BillLookUps &lookUps,
                             CompanyIdentities companies)
    : m_sheet(sheet), m_filter(filter), m_kind(kind), m_lookUps(lookUps), m_companies(std::move(companies)),
      m_splitTotal(parseSplitTotal(filter.splitTotal).value_or(0))
{
}

void BillRowWriter::write(int row, const ScheduleRecord &record)
{
    m_row = row;
    switch (m_kind) {
    case BillKind::Gst: writeGst(record); break;
    case BillKind::Split: writeSplit(record); break;
    case BillKind::Exchange: writeExchange(record); break;
    }
    rowStyle();
}

void BillRowWriter::writeGst(const ScheduleRecord &record)
{
    billNumber(record);
    put(BillColumn::AgentCode, record, F::AgencyCode);
    put(BillColumn::ClientName, record.text(F::ClientName).left(30) + u", "_s + record.text(F::ClientAddress));
    put(BillColumn::InsDate, record, F::InsDate);
    put(BillColumn::Edition, record, F::EdPdt);
    m_sheet.setNumber(m_row, col(BillColumn::Amount), record.value(F::NetTotal));
    // The invoice total before IGST: gross plus CGST plus SGST.
    const double net = record.value(F::GrossAmt) + record.value(F::GstAmt) + record.value(F::SgstAmt);
    m_sheet.setNumber(m_row, col(BillColumn::NetAmt), twoDecimals(settledDecimal(net)).toDouble());
    put(BillColumn::AgencyType, record, F::AgType);
    groupColumns(record);
    put(BillColumn::BpType, record, F::GroupBpType);
    agency(record);
    if (record.value(F::GstType) == 1) {
        // The client's own GST identity replaces the agency's where the client master has one.
        for (const QStringList &client : m_lookUps.client(record)) {
            if (const QString &gstin = client.at(0); !gstin.isEmpty())
                put(BillColumn::AgencyGst, gstin);
            if (const QString &pan = client.at(1); !pan.isEmpty())
                put(BillColumn::AgencyPan, pan);
        }
    }
    clientAddress(record);
    releaseOrderAndBox(record);
    extraCharge(record);
    discount(record, netDiscount(record));
    cancelEqualCharges();
    scheduleColumns(record);
    const bool second = record.text(F::EdCode) == SecondCompanyProduct;
    put(BillColumn::SvCin, second ? m_companies.sxCin : m_companies.svCin);
    put(BillColumn::SvGstin, second ? m_companies.sxGstin : m_companies.svGstin);
    columnWidth(record);
    displayMeasures(record);
    put(BillColumn::Budget, record, F::Budget);
    put(BillColumn::CommPer, record, F::CommPer);
    // Tax rates and amounts as the booking side stored them; nothing is computed or split here.
    put(BillColumn::CgstPer, twoDecimals(record.text(F::GstPer)));
    put(BillColumn::SgstPer, twoDecimals(record.text(F::SgstPer)));
    put(BillColumn::CgstAmt, twoDecimals(record.text(F::GstAmt)));
    put(BillColumn::SgstAmt, twoDecimals(record.text(F::SgstAmt)));
    put(BillColumn::IgstPer, twoDecimals(record.text(F::IgstPer)));
    put(BillColumn::IgstAmt, twoDecimals(record.text(F::IgstAmt)));
    put(BillColumn::GrossBill, record, F::GrossBill);
}

void BillRowWriter::billNumber(const ScheduleRecord &record)
{
    // An unbilled schedule (single-schedule mode) is shown by its schedule number and insertion date.
    const bool billed = !record.text(F::BillNo).isEmpty();
    put(BillColumn::BillNo, record, billed ? F::BillNo : F::SlNo);
    put(BillColumn::BillDate, record, billed ? F::BillDate : F::InsDate);
    put(BillColumn::BillFlag, billed ? u"1"_s : u"0"_s);
}

void BillRowWriter::groupColumns(const ScheduleRecord &record)
{
    put(BillColumn::ShowCommission, record, F::GroupShowComm);
    put(BillColumn::NoOfCopies, record, F::GroupNoOfBills);
    put(BillColumn::ShowAddress, record, F::GroupShowAddress);
}

void BillRowWriter::agency(const ScheduleRecord &record)
{
    for (const QStringList &agency : m_lookUps.agency(record)) {
        if (m_kind == BillKind::Split) {
            // A split share is billed to the split client at the split address.
            put(BillColumn::AgentName, m_filter.splitClient);
            put(BillColumn::AgentAddress1, m_filter.splitAdd1);
            put(BillColumn::AgentAddress2, m_filter.splitAdd2);
            put(BillColumn::AgentAddress3, m_filter.splitAdd3);
        } else {
            put(BillColumn::AgentName, agency.at(0));
            put(BillColumn::AgentAddress1, agency.at(1));
            put(BillColumn::AgentAddress2, agency.at(2));
            put(BillColumn::AgentAddress3, agency.at(3));
        }
        put(BillColumn::SubName, agency.at(4));
        put(BillColumn::BillColumns, agency.at(5));
        if (m_kind == BillKind::Gst) {
            put(BillColumn::AgencyGst, agency.at(6));
            put(BillColumn::AgencyPan, agency.at(7));
        }
    }
}

void BillRowWriter::clientAddress(const ScheduleRecord &record)
{
    put(BillColumn::ClientAddress, record, F::ClientAddress);
    put(BillColumn::ClientAddress2, record, F::ClientAddress2);
    put(BillColumn::ClientAddress3, record, F::ClientAddress3);
}

void BillRowWriter::releaseOrderAndBox(const ScheduleRecord &record)
{
    if (!record.text(F::RoNo).isEmpty()) {
        put(BillColumn::RoNo, record, F::RoNo);
        put(BillColumn::RoDate, record, F::RoDate);
    }
    put(BillColumn::BoxNo, record, F::BoxNo);
    put(BillColumn::Caption, record, F::Caption);
    put(BillColumn::BoxCharge, record, F::BoxChg);
}

void BillRowWriter::extraCharge(const ScheduleRecord &record)
{
    // The extra charge is billed only when the space was sold below the card rate.
    const bool belowCard = record.value(F::CardRate) > record.value(F::NewRate);
    put(BillColumn::ExtraCharge, belowCard ? record.text(F::ExtChg) : u"0"_s);
}

double BillRowWriter::netDiscount(const ScheduleRecord &record)
{
    const double rateCut = record.value(F::CardRate) - record.value(F::NewRate);
    if (record.value(F::Words) > 0)
        return whole(record.value(F::DiscAmt) - record.value(F::Words) * rateCut);
    // Area-priced: what the rate cut already gave is taken off the discount, and the rest is set
    // against the extra charge.
    double d = whole(record.value(F::DiscAmt)) - whole(rateCut * record.value(F::Sqcm));
    if (d < 0)
        d = 0;
    const double e = whole(leadingNumber(cell(BillColumn::ExtraCharge)));
    put(BillColumn::ExtraCharge, asText(e >= whole(d) ? e - whole(d) : whole(d)));
    return d;
}

void BillRowWriter::discount(const ScheduleRecord &record, double netDiscount)
{
    if (record.value(F::DiscAmt) > 0)
        put(BillColumn::Discount, asText(netDiscount < 0 ? 0 : netDiscount));
    else
        put(BillColumn::Discount, u"0"_s);
}

void BillRowWriter::cancelEqualCharges()
{
    if (leadingNumber(cell(BillColumn::Discount)) == leadingNumber(cell(BillColumn::ExtraCharge))) {
        put(BillColumn::ExtraCharge, u"0"_s);
        put(BillColumn::Discount, u"0"_s);
    }
}

void BillRowWriter::scheduleColumns(const ScheduleRecord &record)
{
    put(BillColumn::Commission, asText(record.value(F::GrossAmt) * record.value(F::CommPer) / 100));
    put(BillColumn::ScheduleNo, record, F::SlNo);
    put(BillColumn::Products, record, F::EdCode);
    put(BillColumn::DeliveryCharge, record, F::DelChg);
    put(BillColumn::Words, record, F::Words);
    put(BillColumn::InsertionDate, record, F::InsDate);
    put(BillColumn::CardRate, record, F::CardRate);
    put(BillColumn::SqCms, record, F::Sqcm);
    put(BillColumn::ColCms, record, F::Sqcms);
    put(BillColumn::Cols, record, F::Cols);
    put(BillColumn::Page, m_lookUps.pages(record));
    put(BillColumn::NewRate, record, F::NewRate);
    put(BillColumn::AdRef, record, F::AdRef);
}

void BillRowWriter::columnWidth(const ScheduleRecord &record)
{
    const double cols = record.value(F::Cols);
    const bool second = record.text(F::EdCode) == SecondCompanyProduct;
    const int count = second ? int(FshColumnWidths.size()) : int(ColumnWidths.size());
    for (int n = 1; n <= count; ++n) {
        if (cols == n)
            m_columnWidthCm = second ? FshColumnWidths[n - 1] : ColumnWidths[n - 1];
    }
}

void BillRowWriter::displayMeasures(const ScheduleRecord &record)
{
    // Without a known column width the height cannot be measured: the bill keeps both columns
    // empty rather than dividing by zero.
    if (record.value(F::Words) != 0 || m_columnWidthCm == 0)
        return;
    put(BillColumn::HeightCm, asText(whole(record.value(F::Sqcm) / m_columnWidthCm)));
    const double height = leadingNumber(cell(BillColumn::HeightCm));
    const double cols = record.value(F::Cols);
    const double gross = record.value(F::GrossAmt);
    if (height <= 0) {
        if (cols != 0)
            put(BillColumn::MechData, twoDecimals(settledDecimal(gross / cols)));
    } else if (cols > 0) {
        put(BillColumn::MechData, twoDecimals(settledDecimal(gross / (cols * height))));
    }
}

void BillRowWriter::rowStyle() { styleBillRow(m_sheet, m_row, BillColumnCount, col(BillColumn::Amount)); }

void BillRowWriter::put(BillColumn column, const QString &text) { m_sheet.setText(m_row, col(column), text); }

void BillRowWriter::put(BillColumn column, const ScheduleRecord &record, ScheduleRecord::Field field)
{
    put(column, record.text(field));
}

QString BillRowWriter::cell(BillColumn column) const { return m_sheet.text(m_row, col(column)); }
