#pragma once

#include "billing/billgenerator.h"
#include "billing/schedulerecord.h"

#include <functional>

class Dialogs;
class ResultSet;
class Sheet;

// The common walk of both bill grids: one bill per record, from the row below the header down.
// `rows` stands on its first record. `lookUp` fetches what the bills look up, once for the whole
// run, before the first bill is written; then `writeRow` writes each of them. `progress` hears the
// number of bills first, then runs after each row, once the view follows the last bills; when it
// asks to stop, the walk ends there. At `rowLimit` (CurrentRow is a 16-bit counter) the walk stops
// with its message. Either way the rows written stay. A full walk ends with
// "Bill Generation Completed.".
struct BillRowSteps
{
    std::function<void()> lookUp;
    std::function<void(int row, const ScheduleRecord &record)> writeRow;
};
BillRun fillBillRows(ResultSet &rows, Sheet &sheet, Dialogs &dialogs, qint16 rowLimit, const BillProgress &progress,
                     const BillRowSteps &steps);
