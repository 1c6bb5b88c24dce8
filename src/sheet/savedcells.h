#pragma once

#include "sheet/sheet.h"

#include <algorithm>

// The cells a workbook file keeps, shared by both workbook writers: every cell holding a value,
// and every formatted empty cell of the rows up to the last one holding a value, within the
// column count. A format that runs down otherwise empty rows (the amount column's, to the
// last row of the sheet) is not repeated into every empty row of the file.
enum class SavedCell { Blank, Text, Number };

// Calls visit(column, styleId, kind) for the row's saved cells, columns ascending.
template <typename Visit>
void forEachSavedCell(const Sheet &sheet, int row, Visit &&visit)
{
    const int last = std::max(sheet.columnCount(), sheet.usedColumnCount(row));
    for (int column = 1; column <= last; ++column) {
        const int style = sheet.styleId(row, column);
        if (sheet.isNumber(row, column))
            visit(column, style, SavedCell::Number);
        else if (!sheet.text(row, column).isEmpty())
            visit(column, style, SavedCell::Text);
        else if (style != 0)
            visit(column, style, SavedCell::Blank);
    }
}
