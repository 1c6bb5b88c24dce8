#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CliSession;
class Sheet;

// What the bill commands share: the date range, product and bill-number options of a bill form's
// filter boxes, the CSV output, and the run itself.
struct BillsOptions
{
    BillFilter filter;
    std::optional<QString> csvPath;
};

// Takes --from, --to (YYYY-MM-DD, today when left out), --product, --bill-from, --bill-to and
// --csv out of args. Sets `missing` when one of them lacks its value; nothing (after an error
// line naming `command`) when a date is not usable.
std::optional<BillsOptions> takeBillRangeOptions(QStringList &args, const QString &command, bool &missing);

// Lays out the command's grid and generates into it, as the form's Show does.
using BillCommandRun = std::function<BillRun(CliSession &session, Sheet &sheet, const BillFilter &filter)>;

// Starts the session on the remaining args (connection and login options), refuses any argument
// left over, puts the current unit into the filter and runs the generation; with --csv the grid's
// rows up to the last bill and its first `csvColumns` columns are written as CSV. Returns the
// exit status: Ok for completed and empty runs, Validation for refused ones, Database on a
// database failure.
int runBillCommand(QStringList &args, BillsOptions &options, const QString &command, const QString &usage,
                   const BillCommandRun &run, int csvColumns);
