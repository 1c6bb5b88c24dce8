#pragma once

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
    GrossBill,  // 58
};

inline constexpr int BillColumnCount = 58;
inline constexpr int TitleRow = 1;
inline constexpr int UnitRow = 2;
inline constexpr int ReportTitleRow = 3;
inline constexpr int HeaderRow = 4;
inline constexpr int FirstBillRow = 5;

constexpr int col(BillColumn column) { return static_cast<int>(column); }
