#pragma once

#include <QByteArray>

class Sheet;

// The grid as comma-separated values (RFC 4180, UTF-8, LF line ends): rows 1 to lastRow, columns
// 1 to columnCount, each cell as the grid's get-text returns it (a number cell in its shortest
// decimal form, an empty cell empty). A field holding a comma, a quote or a line break is quoted,
// its quotes doubled.
QByteArray gridCsv(const Sheet &sheet, int lastRow, int columnCount);
