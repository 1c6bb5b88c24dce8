#pragma once

// The columns of the DAVP bill grid: generation writes one bill per row into them, the DAVP print
// layout and the export read them. Rows 1 to 3 are titles, row 4 the header, bills start at row 5.
enum class DavpColumn : int {
    BillNo = 1,
    BillDate,
    AgentCode,
    ClientName,
    InsDate,
    Edition,
    Amount,
    Unused,  // hidden, without a header
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
    AdRef,
    CommissionPer,
    GrossAmt,
    Place,     // place of publication: the rate's place, else the agency's sub-area
    DavpCode,  // the newspaper's DAVP code for the rate, without a header
};

// The grid is laid out with 38 columns; the place of publication and the DAVP code lie beyond
// them and the grid then shows all 40, since the printed bill depends on both.
inline constexpr int DavpLaidOutColumns = 38;
inline constexpr int DavpColumnCount = 40;
inline constexpr int DavpHeaderCount = 39;

constexpr int col(DavpColumn column) { return static_cast<int>(column); }
