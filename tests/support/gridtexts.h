#pragma once

#include "billing/billfilter.h"

#include <QList>
#include <QStringList>

class Sheet;

// A generation of `unit`'s bills from `from` to `to` (YYYY-MM-DD; without `to`, the one day).
BillFilter billDates(const QString &unit, const QString &from, const QString &to = {});

// The texts of `column` in the bill rows: from the first bill row down to the last row with a bill
// number (column 1).
QStringList billColumn(const Sheet &sheet, int column);
// The texts of rows 1 to `lastRow`, each of columns 1 to `columns`.
QList<QStringList> sheetTexts(const Sheet &sheet, int lastRow, int columns);
