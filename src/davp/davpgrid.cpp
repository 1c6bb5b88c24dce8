#include "davp/davpgrid.h"

#include "billing/gridlook.h"
#include "davp/davpcolumns.h"
#include "sheet/sheet.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int HeaderRow = 4;

const std::array<QString, DavpHeaderCount> &headerTexts()
{
    // clang-format off
    static const std::array<QString, DavpHeaderCount> texts = {
        u"Bill No"_s, u"Bill Date"_s, u"Agent Code"_s, u"Client Name"_s, u"Ins. Date"_s, u"Edition"_s,
        u"Amount"_s, QString(), u"Show Commission"_s, u"No of Copies"_s, u"Show Address"_s, u"Agent Name"_s,
        u"Agent Address 1"_s, u"Client Address"_s, u"Client Address2"_s, u"Client Address3"_s, u"Ro No"_s,
        u"Ro Date"_s, u"Box No"_s, u"Caption"_s, u"Box Charge"_s, u"Extra Charge"_s, u"Discount"_s,
        u"Commission"_s, u"Schedule No"_s, u"Products"_s, u"Delivery Charge"_s, u"Words"_s, u"Insertion Date"_s,
        u"Card Rate"_s, u"Sq Cms"_s, u"Col Cms"_s, u"Cols"_s, u"Page"_s, u"New Rate"_s, u"Client Name"_s,
        u"Commission Per"_s, u"Gross Amt"_s, u"Place"_s,
    };
    // clang-format on
    return texts;
}

// Columns 1 to 37; the gross amount, place and DAVP code keep the grid's default width.
constexpr std::array<int, 37> Widths = {3500, 3000, 2500, 9300, 3000, 7000, 2000, 0,    3500, 1500, 3500, 5000, 5000,
                                        5000, 5000, 5000, 2500, 2500, 2500, 4500, 1500, 1500, 1500, 1500, 3500, 3500,
                                        3500, 3500, 3500, 3500, 3500, 3500, 3500, 3500, 3500, 3500, 3500};

}  // namespace

void SetUpDavpGrid(Sheet &sheet, const DavpTitles &titles)
{
    sheet.setColumnCount(DavpLaidOutColumns);
    sheet.setRowHeight(1, 500);
    sheet.setTopRow(HeaderRow);
    writeGridTitle(sheet, 1, QString::fromUtf16(DavpCompanyTitle), 14);
    writeGridTitle(sheet, 2, titles.address, 10);
    writeGridTitle(sheet, 3, titles.phoneFax, 8);
    sheet.setFixedRows(HeaderRow);

    for (int column = 1; column <= int(Widths.size()); ++column)
        sheet.setColumnWidth(column, Widths[column - 1]);
    for (int column = 1; column <= DavpHeaderCount; ++column)
        sheet.setText(HeaderRow, column, headerTexts()[column - 1]);
    // The place and the DAVP code are printed on every bill, so the user gets to see them too.
    sheet.setColumnCount(DavpColumnCount);

    styleHeaderBand(sheet, HeaderRow, sheet.columnCount());
    styleAmountCells(sheet, HeaderRow, sheet.rowCount(), col(DavpColumn::Amount));

    sheet.setActiveCell(1, 1);
}
