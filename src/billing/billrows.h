#pragma once

#include "billing/billgenerator.h"
#include "billing/schedulerecord.h"

#include <functional>

class Dialogs;
class ResultSet;
class Sheet;

// The common walk of both bill grids: one bill per record, from the row below the header down.
// `rows` stands on its first record. `lookUp` fetches what the bills look up, once for the whole
// run, before the first bill is written; then `writeRow` writes each of them. After each row the
// view follows the last bills and `progress` runs; at `rowLimit` (CurrentRow is a 16-bit counter)
// the walk stops with its message, keeping the rows written. A full walk ends with
// "Bill Generation Completed.".
struct BillRowSteps
{
    std::function<void()> lookUp;
    std::function<void(int row, const ScheduleRecord &record)> writeRow;
};
BillRun fillBillRows(ResultSet &rows, Sheet &sheet, Dialogs &dialogs, qint16 rowLimit, const BillProgress &progress,
                     const BillRowSteps &steps);
