#pragma once

#include "billing/billcolumns.h"

#include <QString>

#include <map>

// A bill named by its grid columns, as a fixture writes it: each text goes to the column's member
// (a number column takes the text's number; an empty text leaves it empty).
using BillCells = std::map<BillColumn, QString>;
BillRow billRowOf(const BillCells &cells);
