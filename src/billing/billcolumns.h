#pragma once

#include "billing/billrow.h"

#include <QStringView>

#include <array>
#include <optional>

// The columns of the bill grid: generation writes one bill per row into them, printing and
// export read them. Rows 1 to 3 are titles, row 4 the header, bills start at row 5.
enum class BillColumn : int {
    BillNo = 1,
    BillDate,
    AgentCode,
    ClientName,
    InsDate,
    Edition,
    Amount,
    AgencyType,
    ShowCommission,
    NoOfCopies,
    ShowAddress,
    AgentName,
    AgentAddress1,
    ClientAddress,
    ClientAddress2,
    ClientAddress3,
    RoNo,
    RoDate,
    BoxNo,
    Caption,
    BoxCharge,
    ExtraCharge,
    Discount,
    Commission,
    ScheduleNo,
    Products,
    DeliveryCharge,
    Words,
    InsertionDate,
    CardRate,
    SqCms,
    ColCms,
    Cols,
    Page,
    NewRate,
    AdRef,  // titled "Client Name" like column 4
    AgentAddress2,
    AgentAddress3,
    SubName,
    BillColumns,
    HeightCm,  // titled "Cols" like column 33
    MechData,
    Budget,
    BillFlag,
    CommPer,
    AgencyGst,
    AgencyPan,
    SvCin,
    SvGstin,
    CgstPer,
    SgstPer,
    CgstAmt,
    SgstAmt,
    NetAmt,
    BpType,
    IgstPer,
    IgstAmt,
    GrossBill,
};

constexpr int col(BillColumn column) { return static_cast<int>(column); }

inline constexpr int BillColumnCount = col(BillColumn::GrossBill);
inline constexpr int TitleRow = 1;
inline constexpr int UnitRow = 2;
inline constexpr int ReportTitleRow = 3;
inline constexpr int HeaderRow = 4;
inline constexpr int FirstBillRow = 5;

// A column's width that the layout leaves as the grid has it.
inline constexpr int GridDefaultWidth = -1;

// One column of the grid: its title in the header row, its width (1/256 of a character, 0 hidden),
// where its value comes from, and the member of BillRow it shows: a text, or a number cell.
struct BillColumnSpec
{
    BillColumn id;
    QStringView header;
    int width;
    QStringView source;
    QString BillRow::*text;
    std::optional<double> BillRow::*number;
};

namespace billcolumns {
constexpr BillColumnSpec text(BillColumn id, QStringView header, int width, QStringView source,
                              QString BillRow::*member)
{
    return {id, header, width, source, member, nullptr};
}
constexpr BillColumnSpec number(BillColumn id, QStringView header, int width, QStringView source,
                                std::optional<double> BillRow::*member)
{
    return {id, header, width, source, nullptr, member};
}
}  // namespace billcolumns

// clang-format off
inline constexpr std::array<BillColumnSpec, BillColumnCount> BillColumnSpecs = [] {
    using C = BillColumn;
    using R = BillRow;
    using billcolumns::text, billcolumns::number;
    constexpr int Hidden = 0;
    constexpr int Tax = 3000;
    constexpr int Default = GridDefaultWidth;
    return std::array<BillColumnSpec, BillColumnCount>{
        text(C::BillNo, u"Bill No", 3500, u"sch_bill_no, else sch_slno", &R::billNo),
        text(C::BillDate, u"Bill Date", 3000, u"sch_bill_date, else sch_ins_date", &R::billDate),
        text(C::AgentCode, u"Agent Code", 2500, u"sch_agency_code", &R::agentCode),
        text(C::ClientName, u"Client Name", 9300, u"sch_client_name (30), sch_client_address", &R::clientName),
        text(C::InsDate, u"Ins. Date", 3000, u"sch_ins_date", &R::insDate),
        text(C::Edition, u"Edition", 7000, u"sch_ed_pdt", &R::edition),
        number(C::Amount, u"Amount", 2000, u"sch_net_total", &R::amount),
        text(C::AgencyType, u"Agency Type", Hidden, u"sch_agtype", &R::agencyType),
        text(C::ShowCommission, u"Show Commission", Hidden, u"group_show_comm", &R::showCommission),
        text(C::NoOfCopies, u"No of Copies", Hidden, u"group_no_of_bills", &R::noOfCopies),
        text(C::ShowAddress, u"Show Address", Hidden, u"group_show_address", &R::showAddress),
        text(C::AgentName, u"Agent Name", Hidden, u"agency_name", &R::agentName),
        text(C::AgentAddress1, u"Agent Address 1", Hidden, u"agency_add1", &R::agentAddress1),
        text(C::ClientAddress, u"Client Address", Hidden, u"sch_client_address", &R::clientAddress),
        text(C::ClientAddress2, u"Client Address2", Hidden, u"sch_client_address2", &R::clientAddress2),
        text(C::ClientAddress3, u"Client Address3", Hidden, u"sch_client_address3", &R::clientAddress3),
        text(C::RoNo, u"Ro No", Hidden, u"sch_ro_no", &R::roNo),
        text(C::RoDate, u"Ro Date", Hidden, u"sch_ro_date", &R::roDate),
        text(C::BoxNo, u"Box No", Hidden, u"sch_box_no", &R::boxNo),
        text(C::Caption, u"Caption", Hidden, u"sch_caption", &R::caption),
        text(C::BoxCharge, u"Box Charge", Hidden, u"sch_box_chg", &R::boxCharge),
        text(C::ExtraCharge, u"Extra Charge", Hidden, u"computed extra charge", &R::extraCharge),
        text(C::Discount, u"Discount", Hidden, u"computed discount", &R::discount),
        text(C::Commission, u"Commission", Hidden, u"sch_gross_amt * sch_comm_per / 100", &R::commission),
        text(C::ScheduleNo, u"Schedule No", Hidden, u"sch_slno", &R::scheduleNo),
        text(C::Products, u"Products", Hidden, u"sch_ed_code", &R::products),
        text(C::DeliveryCharge, u"Delivery Charge", Hidden, u"sch_del_chg", &R::deliveryCharge),
        text(C::Words, u"Words", Hidden, u"sch_words", &R::words),
        text(C::InsertionDate, u"Insertion Date", Hidden, u"sch_ins_date", &R::insertionDate),
        text(C::CardRate, u"Card Rate", Hidden, u"sch_card_rate", &R::cardRate),
        text(C::SqCms, u"Sq Cms", Hidden, u"sch_sqcm", &R::sqCms),
        text(C::ColCms, u"Col Cms", Hidden, u"sch_sqcms", &R::colCms),
        text(C::Cols, u"Cols", Hidden, u"sch_cols", &R::cols),
        text(C::Page, u"Page", Hidden, u"distinct sdet_page of the schedule", &R::page),
        text(C::NewRate, u"New Rate", Hidden, u"sch_new_rate", &R::newRate),
        text(C::AdRef, u"Client Name", Hidden, u"sch_ad_ref", &R::adRef),
        text(C::AgentAddress2, u"Address2", Default, u"agency_add2", &R::agentAddress2),
        text(C::AgentAddress3, u"Address3", Default, u"agency_add3", &R::agentAddress3),
        text(C::SubName, u"Sub Name", Default, u"sub_name", &R::subName),
        text(C::BillColumns, u"Bill Colmns", Default, u"agency_bill_colcms", &R::billColumns),
        text(C::HeightCm, u"Cols", Default, u"height in centimetres", &R::heightCm),
        text(C::MechData, u"Mech Data", Default, u"rate per column-centimetre", &R::mechData),
        text(C::Budget, u"Budget", Hidden, u"sch_budget", &R::budget),
        text(C::BillFlag, u"Bill Flag", Hidden, u"1 billed, 0 unbilled", &R::billFlag),
        text(C::CommPer, u"Comm Per", Hidden, u"sch_comm_per", &R::commPer),
        text(C::AgencyGst, u"Agency GST", Tax, u"agency_gstin, or client_gstin", &R::agencyGst),
        text(C::AgencyPan, u"Agency PAN", Tax, u"agency_pan, or client_pan", &R::agencyPan),
        text(C::SvCin, u"SV CIN", Tax, u"comp_cin", &R::svCin),
        text(C::SvGstin, u"SV GSTIN", Tax, u"comp_gstin", &R::svGstin),
        text(C::CgstPer, u"CGST%", Tax, u"sch_gst_per", &R::cgstPer),
        text(C::SgstPer, u"SGST%", Tax, u"sch_sgst_per", &R::sgstPer),
        text(C::CgstAmt, u"CGST AMT", Tax, u"sch_gst_amt", &R::cgstAmt),
        text(C::SgstAmt, u"SGST AMT", Tax, u"sch_sgst_amt", &R::sgstAmt),
        number(C::NetAmt, u"Net AMT", Tax, u"sch_gross_amt + sch_gst_amt + sch_sgst_amt", &R::netAmt),
        text(C::BpType, u"BP Type", Tax, u"group_bp_type", &R::bpType),
        text(C::IgstPer, u"Igst per", Tax, u"sch_igst_per", &R::igstPer),
        text(C::IgstAmt, u"IGST AMT", Tax, u"sch_igst_amt", &R::igstAmt),
        text(C::GrossBill, u"Gross Bill", Tax, u"sch_gross_bill", &R::grossBill),
    };
}();
// clang-format on

// Every column once, in the order of the enum, each showing one member.
static_assert([] {
    for (int i = 0; i < BillColumnCount; ++i) {
        const BillColumnSpec &spec = BillColumnSpecs[i];
        if (col(spec.id) != i + 1 || (spec.text == nullptr) == (spec.number == nullptr))
            return false;
    }
    return true;
}());

constexpr const BillColumnSpec &columnSpec(BillColumn column) { return BillColumnSpecs[col(column) - 1]; }
