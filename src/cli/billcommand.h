#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"
#include "billing/billrow.h"
#include "billing/printfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CliSession;
class OutputSet;
class Sheet;

// What the bill commands share: the date range, product and bill-number options of a bill form's
// filter boxes, the outputs (CSV, what Export saves, what Print writes), and the run itself.
struct BillsOptions
{
    BillFilter filter;
    std::optional<QString> csvPath;
    std::optional<QString> xlsPath;  // the workbook Export saves
    std::optional<QString> prnPath;  // the print file Print writes, here instead of the application folder
    bool spool = false;              // and then the spooler, as Print does
    // Further outputs a command adds (the e-invoice documents, the plain-paper invoices), each
    // staged from the generated bills among the run's other outputs; each returns an exit status,
    // Ok when staged.
    QList<std::function<int(CliSession &session, const BillRows &bills, OutputSet &outputs)>> outputs;
};

// Takes --from, --to (YYYY-MM-DD, today when left out), --product, --bill-from, --bill-to,
// --csv, --xls, --prn and --spool out of args. Sets `missing` when one of them lacks its value; nothing (after an error
// line naming `command`) when a date is not usable.
std::optional<BillsOptions> takeBillRangeOptions(QStringList &args, const QString &command, bool &missing);

// Lays out the command's grid and generates into it (and into `bills`, where the command composes
// them), as the form's Show does.
using BillCommandRun =
    std::function<BillRun(CliSession &session, Sheet &sheet, BillRows &bills, const BillFilter &filter)>;
// The form's Print: the layout's page length and the routine that writes the generated bills.
struct BillCommandLayout
{
    int pageLines = 0;
    std::function<void(const Sheet &sheet, const BillRows &bills, PrintFile &file)> write;
};

// Takes the connection and login options out of the remaining args and refuses any argument left
// over, all before connecting; then starts the session, puts the current unit into the filter and
// runs the generation. Only a run that ends well writes its outputs: with --csv the grid's rows up
// to the last bill and its first `csvColumns` columns as CSV, with --prn the grid in `layout`, with
// --xls the workbook Export saves, and the command's further outputs; each is made whole beside its
// file first and all are put in place together once every one is, so a run that stops leaves every
// file as it was. Then --spool hands the print
// file to the spooler and waits for it. Returns the exit status: Ok for completed and empty runs,
// Validation for refused ones, Database on a database failure, Output when an output cannot be
// written (or the spooler fails).
int runBillCommand(QStringList &args, BillsOptions &options, const QString &command, const QString &usage,
                   const BillCommandRun &run, int csvColumns, const std::optional<BillCommandLayout> &layout = {});
