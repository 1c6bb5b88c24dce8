#include "billing/billcomposer.h"

#include "billing/billlookups.h"
#include "common/numbers.h"

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

BillComposer::BillComposer(const BillFilter &filter, BillKind kind, const BillLookUps &lookUps,
                           CompanyIdentities companies)
    : m_filter(filter), m_kind(kind), m_lookUps(lookUps), m_companies(std::move(companies)),
      m_splitTotal(parseSplitTotal(filter.splitTotal).value_or(0))
{
}

BillRow BillComposer::compose(const ScheduleRecord &record)
{
    BillRow bill;
    bill.kind = m_kind;
    switch (m_kind) {
    case BillKind::Gst: composeGst(bill, record); break;
    case BillKind::Split: composeSplit(bill, record); break;
    case BillKind::Exchange: composeExchange(bill, record); break;
    }
    return bill;
}

void BillComposer::composeGst(BillRow &bill, const ScheduleRecord &record)
{
    billNumber(bill, record);
    bill.agentCode = record.text(F::AgencyCode);
    bill.bookedClientName = record.text(F::ClientName);
    bill.clientName = record.text(F::ClientName).left(30) + u", "_s + record.text(F::ClientAddress);
    bill.insDate = record.text(F::InsDate);
    bill.edition = record.text(F::EdPdt);
    bill.amount = record.value(F::NetTotal);
    // The invoice total before IGST: gross plus CGST plus SGST.
    const double net = record.value(F::GrossAmt) + record.value(F::GstAmt) + record.value(F::SgstAmt);
    bill.netAmt = twoDecimals(settledDecimal(net)).toDouble();
    bill.agencyType = record.text(F::AgType);
    groupColumns(bill, record);
    bill.bpType = record.text(F::GroupBpType);
    agency(bill, record);
    if (record.value(F::GstType) == 1) {
        // The client's own GST identity replaces the agency's where the client master has one.
        for (const QStringList &client : m_lookUps.client(record)) {
            if (const QString &gstin = client.at(0); !gstin.isEmpty()) {
                bill.agencyGst = gstin;
                bill.billedToClient = true;
            }
            if (const QString &pan = client.at(1); !pan.isEmpty())
                bill.agencyPan = pan;
        }
    }
    clientAddress(bill, record);
    releaseOrderAndBox(bill, record);
    extraCharge(bill, record);
    discount(bill, record, netDiscount(bill, record));
    cancelEqualCharges(bill);
    scheduleColumns(bill, record);
    const bool second = record.text(F::EdCode) == SecondCompanyProduct;
    bill.svCin = second ? m_companies.sxCin : m_companies.svCin;
    bill.svGstin = second ? m_companies.sxGstin : m_companies.svGstin;
    columnWidth(record);
    displayMeasures(bill, record);
    bill.budget = record.text(F::Budget);
    bill.commPer = record.text(F::CommPer);
    // Tax rates and amounts as the booking side stored them; nothing is computed or split here.
    bill.cgstPer = twoDecimals(record.text(F::GstPer));
    bill.sgstPer = twoDecimals(record.text(F::SgstPer));
    bill.cgstAmt = twoDecimals(record.text(F::GstAmt));
    bill.sgstAmt = twoDecimals(record.text(F::SgstAmt));
    bill.igstPer = twoDecimals(record.text(F::IgstPer));
    bill.igstAmt = twoDecimals(record.text(F::IgstAmt));
    bill.grossBill = record.text(F::GrossBill);
}

void BillComposer::billNumber(BillRow &bill, const ScheduleRecord &record)
{
    // An unbilled schedule (single-schedule mode) is shown by its schedule number and insertion date.
    const bool billed = !record.text(F::BillNo).isEmpty();
    bill.billNo = record.text(billed ? F::BillNo : F::SlNo);
    bill.billDate = record.text(billed ? F::BillDate : F::InsDate);
    bill.billFlag = billed ? u"1"_s : u"0"_s;
}

void BillComposer::groupColumns(BillRow &bill, const ScheduleRecord &record)
{
    bill.showCommission = record.text(F::GroupShowComm);
    bill.noOfCopies = record.text(F::GroupNoOfBills);
    bill.showAddress = record.text(F::GroupShowAddress);
}

void BillComposer::agency(BillRow &bill, const ScheduleRecord &record) const
{
    for (const QStringList &agency : m_lookUps.agency(record)) {
        if (m_kind == BillKind::Split) {
            // A split share is billed to the split client at the split address.
            bill.agentName = m_filter.splitClient;
            bill.agentAddress1 = m_filter.splitAdd1;
            bill.agentAddress2 = m_filter.splitAdd2;
            bill.agentAddress3 = m_filter.splitAdd3;
        } else {
            bill.agentName = agency.at(0);
            bill.agentAddress1 = agency.at(1);
            bill.agentAddress2 = agency.at(2);
            bill.agentAddress3 = agency.at(3);
        }
        bill.subName = agency.at(4);
        bill.billColumns = agency.at(5);
        if (m_kind == BillKind::Gst) {
            bill.agencyGst = agency.at(6);
            bill.agencyPan = agency.at(7);
        }
    }
}

void BillComposer::clientAddress(BillRow &bill, const ScheduleRecord &record)
{
    bill.clientAddress = record.text(F::ClientAddress);
    bill.clientAddress2 = record.text(F::ClientAddress2);
    bill.clientAddress3 = record.text(F::ClientAddress3);
}

void BillComposer::releaseOrderAndBox(BillRow &bill, const ScheduleRecord &record)
{
    if (!record.text(F::RoNo).isEmpty()) {
        bill.roNo = record.text(F::RoNo);
        bill.roDate = record.text(F::RoDate);
    }
    bill.boxNo = record.text(F::BoxNo);
    bill.caption = record.text(F::Caption);
    bill.boxCharge = record.text(F::BoxChg);
}

void BillComposer::extraCharge(BillRow &bill, const ScheduleRecord &record)
{
    // The extra charge is billed only when the space was sold below the card rate.
    const bool belowCard = record.value(F::CardRate) > record.value(F::NewRate);
    bill.extraCharge = belowCard ? record.text(F::ExtChg) : u"0"_s;
}

double BillComposer::netDiscount(BillRow &bill, const ScheduleRecord &record)
{
    const double rateCut = record.value(F::CardRate) - record.value(F::NewRate);
    if (record.value(F::Words) > 0)
        return whole(record.value(F::DiscAmt) - record.value(F::Words) * rateCut);
    // Area-priced: what the rate cut already gave is taken off the discount, and the rest is set
    // against the extra charge.
    double d = whole(record.value(F::DiscAmt)) - whole(rateCut * record.value(F::Sqcm));
    if (d < 0)
        d = 0;
    const double e = whole(leadingNumber(bill.extraCharge));
    bill.extraCharge = asText(e >= whole(d) ? e - whole(d) : whole(d));
    return d;
}

void BillComposer::discount(BillRow &bill, const ScheduleRecord &record, double netDiscount)
{
    if (record.value(F::DiscAmt) > 0)
        bill.discount = asText(netDiscount < 0 ? 0 : netDiscount);
    else
        bill.discount = u"0"_s;
}

void BillComposer::cancelEqualCharges(BillRow &bill)
{
    if (leadingNumber(bill.discount) == leadingNumber(bill.extraCharge)) {
        bill.extraCharge = u"0"_s;
        bill.discount = u"0"_s;
    }
}

void BillComposer::scheduleColumns(BillRow &bill, const ScheduleRecord &record) const
{
    bill.commission = asText(record.value(F::GrossAmt) * record.value(F::CommPer) / 100);
    bill.scheduleNo = record.text(F::SlNo);
    bill.products = record.text(F::EdCode);
    bill.deliveryCharge = record.text(F::DelChg);
    bill.words = record.text(F::Words);
    bill.insertionDate = record.text(F::InsDate);
    bill.cardRate = record.text(F::CardRate);
    bill.sqCms = record.text(F::Sqcm);
    bill.colCms = record.text(F::Sqcms);
    bill.cols = record.text(F::Cols);
    bill.page = m_lookUps.pages(record);
    bill.newRate = record.text(F::NewRate);
    bill.adRef = record.text(F::AdRef);
}

void BillComposer::columnWidth(const ScheduleRecord &record)
{
    const double cols = record.value(F::Cols);
    const bool second = record.text(F::EdCode) == SecondCompanyProduct;
    const int count = second ? int(FshColumnWidths.size()) : int(ColumnWidths.size());
    for (int n = 1; n <= count; ++n) {
        if (cols == n)
            m_columnWidthCm = second ? FshColumnWidths[n - 1] : ColumnWidths[n - 1];
    }
}

void BillComposer::displayMeasures(BillRow &bill, const ScheduleRecord &record) const
{
    // Without a known column width the height cannot be measured: the bill keeps both columns
    // empty rather than dividing by zero.
    if (record.value(F::Words) != 0 || m_columnWidthCm == 0)
        return;
    bill.heightCm = asText(whole(record.value(F::Sqcm) / m_columnWidthCm));
    const double height = leadingNumber(bill.heightCm);
    const double cols = record.value(F::Cols);
    const double gross = record.value(F::GrossAmt);
    if (height <= 0) {
        if (cols != 0)
            bill.mechData = twoDecimals(settledDecimal(gross / cols));
    } else if (cols > 0) {
        bill.mechData = twoDecimals(settledDecimal(gross / (cols * height)));
    }
}
