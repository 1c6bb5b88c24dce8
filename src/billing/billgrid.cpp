#include "billing/billgrid.h"

#include "billing/billcolumns.h"
#include "billing/gridlook.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

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

    for (const BillColumnSpec &spec : BillColumnSpecs) {
        if (spec.width != GridDefaultWidth)
            sheet.setColumnWidth(col(spec.id), spec.width);
        sheet.setText(HeaderRow, col(spec.id), spec.header.toString());
    }

    styleHeaderBand(sheet, HeaderRow, BillColumnCount);
    styleAmountCells(sheet, HeaderRow, sheet.rowCount(), col(BillColumn::Amount));

    sheet.setActiveCell(TitleRow, 1);
}

void writeBillRow(Sheet &sheet, int row, const BillRow &bill)
{
    for (const BillColumnSpec &spec : BillColumnSpecs) {
        if (spec.text)
            sheet.setText(row, col(spec.id), bill.*spec.text);
        else if (const std::optional<double> &number = bill.*spec.number)
            sheet.setNumber(row, col(spec.id), *number);
    }
    styleBillRow(sheet, row, BillColumnCount, col(BillColumn::Amount));
}
