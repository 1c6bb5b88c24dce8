#include "billing/billgrid.h"

#include "billing/billcolumns.h"
#include "billing/gridlook.h"
#include "sheet/sheet.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const std::array<QString, BillColumnCount> &headerTexts()
{
    // clang-format off
    static const std::array<QString, BillColumnCount> texts = {
        u"Bill No"_s, u"Bill Date"_s, u"Agent Code"_s, u"Client Name"_s, u"Ins. Date"_s, u"Edition"_s,
        u"Amount"_s, u"Agency Type"_s, u"Show Commission"_s, u"No of Copies"_s, u"Show Address"_s,
        u"Agent Name"_s, u"Agent Address 1"_s, u"Client Address"_s, u"Client Address2"_s, u"Client Address3"_s,
        u"Ro No"_s, u"Ro Date"_s, u"Box No"_s, u"Caption"_s, u"Box Charge"_s, u"Extra Charge"_s, u"Discount"_s,
        u"Commission"_s, u"Schedule No"_s, u"Products"_s, u"Delivery Charge"_s, u"Words"_s, u"Insertion Date"_s,
        u"Card Rate"_s, u"Sq Cms"_s, u"Col Cms"_s, u"Cols"_s, u"Page"_s, u"New Rate"_s, u"Client Name"_s,
        u"Address2"_s, u"Address3"_s, u"Sub Name"_s, u"Bill Colmns"_s, u"Cols"_s, u"Mech Data"_s, u"Budget"_s,
        u"Bill Flag"_s, u"Comm Per"_s, u"Agency GST"_s, u"Agency PAN"_s, u"SV CIN"_s, u"SV GSTIN"_s, u"CGST%"_s,
        u"SGST%"_s, u"CGST AMT"_s, u"SGST AMT"_s, u"Net AMT"_s, u"BP Type"_s, u"Igst per"_s, u"IGST AMT"_s,
        u"Gross Bill"_s,
    };
    // clang-format on
    return texts;
}

// The visible columns 1 to 7; the detail columns 8 to 36 and 43 to 45 are hidden, the tax columns
// 46 to 58 shown; 37 to 42 keep the grid's default width.
constexpr std::array<int, 7> LeadingWidths = {3500, 3000, 2500, 9300, 3000, 7000, 2000};

}  // namespace

void SetUpBillGrid(Sheet &sheet, const QString &productName, const QString &unitName)
{
    sheet.setColumnCount(BillColumnCount);
    sheet.setRowHeight(TitleRow, 500);
    sheet.setTopRow(HeaderRow);
    writeGridTitle(sheet, TitleRow, u"SV - "_s + productName, 14);
    sheet.clearRange(FirstBillRow, 1, sheet.rowCount(), BillColumnCount);
    writeGridTitle(sheet, UnitRow, unitName, 10);
    writeGridTitle(sheet, ReportTitleRow, u"Receipt Report"_s, 8);
    sheet.setFixedRows(HeaderRow);

    for (int column = 1; column <= int(LeadingWidths.size()); ++column)
        sheet.setColumnWidth(column, LeadingWidths[column - 1]);
    for (int column = col(BillColumn::AgencyType); column <= col(BillColumn::AdRef); ++column)
        sheet.setColumnWidth(column, 0);
    for (int column = col(BillColumn::Budget); column <= col(BillColumn::CommPer); ++column)
        sheet.setColumnWidth(column, 0);
    for (int column = col(BillColumn::AgencyGst); column <= BillColumnCount; ++column)
        sheet.setColumnWidth(column, 3000);

    for (int column = 1; column <= BillColumnCount; ++column)
        sheet.setText(HeaderRow, column, headerTexts()[column - 1]);

    styleHeaderBand(sheet, HeaderRow, BillColumnCount);
    styleAmountCells(sheet, HeaderRow, sheet.rowCount(), col(BillColumn::Amount));

    sheet.setActiveCell(TitleRow, 1);
}
