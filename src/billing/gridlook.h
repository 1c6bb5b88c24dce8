#pragma once

#include <QString>

class Sheet;

// The look the bill grids share: navy Book Antiqua titles, a bold grey header band with thin
// borders, bill rows in Arial 8 and the amount column right-aligned with two decimals.

// A title in column 1 of `row`, bold, in the given size.
void writeGridTitle(Sheet &sheet, int row, const QString &text, double size);
// The header band of `row` from column 1 to `lastColumn`.
void styleHeaderBand(Sheet &sheet, int row, int lastColumn);
// The amount cells of `column` from `firstRow` to `lastRow`.
void styleAmountCells(Sheet &sheet, int firstRow, int lastRow, int column);
// One bill row from column 1 to `lastColumn`, with its amount cell.
void styleBillRow(Sheet &sheet, int row, int lastColumn, int amountColumn);
