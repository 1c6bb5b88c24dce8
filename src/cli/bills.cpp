// selvoro-cli bills: the bill print form without its window. The filters are the form's boxes as
// typed, the messages go to stderr, and the grid can be written out as CSV, as the invoices Print
// writes and as the workbook Export saves.
#include "cli/commands.h"

#include "billing/billcolumns.h"
#include "billing/taxinvoice.h"
#include "cli/billcommand.h"
#include "cli/clisession.h"
#include "cli/einvoiceoutputs.h"
#include "cli/exitstatus.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Command = u"bills"_s;

CliSyntax syntax()
{
    QList<CliOption> outputs =
        gridOutputOptionList(u"the grid's bill rows as CSV"_s, u"the tax invoices Print writes"_s);
    outputs += einvoiceOptionList();
    return billCommandSyntax(
        Command,
        {.group = true,
         .filters = {{u"--schedule"_s, u"SLNO"_s, u"the bill of one schedule (not with --bill-from/--bill-to)"_s}},
         .groups = {{
                        {u"--split"_s, QString(), u"bill the split share to the client of the --split-* options"_s},
                        {u"--split-client"_s, u"T"_s, u"the split client's name"_s},
                        {u"--split-add1"_s, u"T"_s, u"the split client's address lines"_s},
                        {u"--split-add2"_s, u"T"_s, u"(second line)"_s},
                        {u"--split-add3"_s, u"T"_s, u"(third line)"_s},
                        {u"--split-total"_s, u"T"_s, u"the split total, a number"_s},
                        {u"--exchange"_s, QString(), u"net the exchange debits and credits (not with --split)"_s},
                    },
                    outputs}});
}

// The options of the sub-command as a filter and its outputs; nothing (after an error line) when
// they are not usable.
std::optional<BillsOptions> commandOptions(const CliArguments &args)
{
    const std::optional<QString> schedule = args.value(u"--schedule"_s);
    if (schedule && (args.isSet(u"--bill-from"_s) || args.isSet(u"--bill-to"_s))) {
        printError(u"selvoro-cli bills: --schedule stands for both bill numbers; leave out --bill-from/--bill-to"_s);
        return std::nullopt;
    }
    std::optional<BillsOptions> options = billsOptions(args, Command);
    if (!options)
        return std::nullopt;
    BillFilter &filter = options->filter;
    if (schedule) {
        // As the form opened for one schedule: both bill-number boxes hold the schedule number.
        filter.singleSchedule = true;
        filter.billFrom = filter.billTo = *schedule;
    }
    filter.group = args.valueOr(u"--group"_s);
    filter.split = args.isSet(u"--split"_s);
    filter.splitClient = args.valueOr(u"--split-client"_s);
    filter.splitAdd1 = args.valueOr(u"--split-add1"_s);
    filter.splitAdd2 = args.valueOr(u"--split-add2"_s);
    filter.splitAdd3 = args.valueOr(u"--split-add3"_s);
    filter.splitTotal = args.valueOr(u"--split-total"_s);
    filter.exchange = args.isSet(u"--exchange"_s);
    if (filter.split && filter.exchange) {
        printError(u"selvoro-cli bills: --split and --exchange choose different bills; give one"_s);
        return std::nullopt;
    }
    addEInvoiceOutputs(args, *options);
    return options;
}

int runBills(const CliArguments &args)
{
    std::optional<BillsOptions> options = commandOptions(args);
    if (!options)
        return ExitStatus::Usage;
    return runBillCommand(args, *options, Command, showBills, BillColumnCount,
                          BillCommandLayout{TaxInvoiceLines, [](const Sheet &, const BillRows &bills, PrintFile &file) {
                                                writeTaxInvoices(bills, file);
                                            }});
}

}  // namespace

CliCommand billsCommand()
{
    return {syntax(), u"Generates the unit's bills as the bill print form's Show does, and writes the grid out."_s,
            runBills};
}
