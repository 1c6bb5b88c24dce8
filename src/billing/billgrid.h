#pragma once

#include <QString>

class Sheet;
struct BillRow;

// Lays out the preview grid of the bill print form: the titles "SV - " + productName (the name of
// the default product, GetProductName) and unitName (CurrentUnitName) in rows 1 and 2, "Receipt
// Report" in row 3, the 58 column titles in row 4, the column widths and styles; every bill row of
// a previous generation is removed with its formats. The caller's CurrentRow becomes HeaderRow.
void SetUpBillGrid(Sheet &sheet, const QString &productName, const QString &unitName);

// Shows one bill in grid row `row`: each column's member, and the row's style.
void writeBillRow(Sheet &sheet, int row, const BillRow &bill);
