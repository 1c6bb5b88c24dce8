#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"
#include "billing/billrow.h"
#include "billing/printfile.h"
#include "cli/clioptions.h"

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

// What a bill command takes beyond the connection and login options and the filter boxes every bill
// form has (--from, --to, --product, --bill-from and --bill-to).
struct BillCommandOptions
{
    bool group = false;              // --group, the bill print form's agency-type box, after --product
    QList<CliOption> filters;        // further filters, after the bill numbers
    QList<QList<CliOption>> groups;  // the command's own groups of options, after the filters
};
// The syntax of a bill command: the connection and login options, the filters, then its own groups.
CliSyntax billCommandSyntax(const QString &command, const BillCommandOptions &options);
// The outputs both bill commands write: --csv, --xls, --prn and --spool.
QList<CliOption> gridOutputOptionList(const QString &csvHelp, const QString &prnHelp);

// The values of those options: the dates (YYYY-MM-DD, today when left out), the other filters as
// typed and the outputs; nothing (after an error line naming `command`) when a date is not usable
// or --spool comes without --prn.
std::optional<BillsOptions> billsOptions(const CliArguments &args, const QString &command);

// Lays out the command's grid and generates into it (and into `bills`, where the command composes
// them), as the form's Show does.
using BillCommandRun =
    std::function<BillRun(CliSession &session, Sheet &sheet, BillRows &bills, const BillFilter &filter)>;
// The bill print form's Show: lays out its grid and generates the bills the filter asks for.
BillRun showBills(CliSession &session, Sheet &sheet, BillRows &bills, const BillFilter &filter);

// The form's Print: the layout's page length and the routine that writes the generated bills.
struct BillCommandLayout
{
    int pageLines = 0;
    std::function<void(const Sheet &sheet, const BillRows &bills, PrintFile &file)> write;
};

// Starts the session with the connection and login options, puts the current unit into the filter,
// completes bare bill numbers from the unit's numbering as the form does, and runs the generation.
// Only a run that ends well writes its outputs: with --csv the grid's rows up to the last bill and
// its first `csvColumns` columns as CSV, with --prn the bills in `layout`, with --xls the workbook
// Export saves, and the command's further outputs; each is made whole beside its file first and all
// are put in place together once every one is, so a run that stops leaves every file as it was.
// Then --spool hands the print file to the spooler and waits for it. Returns the exit status: Ok for
// completed and empty runs, Validation for refused ones, Database on a database failure, Output
// when an output cannot be written (or the spooler fails).
int runBillCommand(const CliArguments &args, BillsOptions &options, const QString &command, const BillCommandRun &run,
                   int csvColumns, const BillCommandLayout &layout);
