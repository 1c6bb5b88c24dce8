#pragma once

#include "billing/billgenerator.h"

#include <functional>

class Dialogs;
class ResultSet;
class Sheet;

// The common walk of both bill grids: one bill per record, from the row below the header down.
// `rows` stands on its first record. After each row the view follows the last bills and
// `progress` runs; at `rowLimit` (CurrentRow is a 16-bit counter) the walk stops with its
// message, keeping the rows written. A full walk ends with "Bill Generation Completed.".
BillRun fillBillRows(ResultSet &rows, Sheet &sheet, Dialogs &dialogs, qint16 rowLimit, const BillProgress &progress,
                     const std::function<void(int row)> &writeRow);
