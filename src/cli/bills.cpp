// selvoro-cli bills: the bill print form without its window. The filters are the form's boxes as
// typed, the messages go to stderr, and the grid can be written out as CSV, as the invoices Print
// writes and as the workbook Export saves.
#include "cli/commands.h"

#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "billing/taxinvoice.h"
#include "cli/billcommand.h"
#include "cli/clisession.h"
#include "cli/einvoiceoutputs.h"
#include "cli/exitstatus.h"
#include "common/lookups.h"
#include "sheet/sheet.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

QString usage()
{
    return u"usage: selvoro-cli bills "_s + sessionUsage()
           + u"\n"
             "           [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--product T] [--group T]\n"
             "           [--bill-from T] [--bill-to T] [--schedule SLNO]\n"
             "           [--split --split-client T --split-add1 T --split-add2 T --split-add3 T --split-total T]\n"
             "           [--exchange] [--csv FILE] [--xls FILE] [--prn FILE [--spool]]\n"
             "           [--einvoice FILE] [--invoice-pdf FILE]"_s;
}

// The options of the sub-command, taken out of args; nothing (after a usage line) when they are
// not usable.
std::optional<BillsOptions> takeBillsOptions(QStringList &args)
{
    bool missing = false;
    const std::optional<QString> schedule = takeOption(args, u"--schedule"_s, missing);
    if (schedule && (args.contains(u"--bill-from"_s) || args.contains(u"--bill-to"_s))) {
        printError(u"selvoro-cli bills: --schedule stands for both bill numbers; leave out --bill-from/--bill-to"_s);
        return std::nullopt;
    }
    std::optional<BillsOptions> options = takeBillRangeOptions(args, u"bills"_s, missing);
    if (!options)
        return std::nullopt;
    BillFilter &filter = options->filter;
    if (schedule) {
        // As the form opened for one schedule: both bill-number boxes hold the schedule number.
        filter.singleSchedule = true;
        filter.billFrom = filter.billTo = *schedule;
    }
    filter.group = takeOption(args, u"--group"_s, missing).value_or(QString());
    filter.split = takeFlag(args, u"--split"_s);
    filter.splitClient = takeOption(args, u"--split-client"_s, missing).value_or(QString());
    filter.splitAdd1 = takeOption(args, u"--split-add1"_s, missing).value_or(QString());
    filter.splitAdd2 = takeOption(args, u"--split-add2"_s, missing).value_or(QString());
    filter.splitAdd3 = takeOption(args, u"--split-add3"_s, missing).value_or(QString());
    filter.splitTotal = takeOption(args, u"--split-total"_s, missing).value_or(QString());
    filter.exchange = takeFlag(args, u"--exchange"_s);
    takeEInvoiceOptions(args, *options, missing);
    if (missing) {
        printError(u"selvoro-cli bills: an option lacks its value"_s);
        return std::nullopt;
    }
    if (filter.split && filter.exchange) {
        printError(u"selvoro-cli bills: --split and --exchange choose different bills; give one"_s);
        return std::nullopt;
    }
    return options;
}

int runBills(QStringList args)
{
    std::optional<BillsOptions> options = takeBillsOptions(args);
    if (!options) {
        printError(usage());
        return ExitStatus::Usage;
    }
    return runBillCommand(
        args, *options, u"bills"_s, usage(),
        [](CliSession &session, Sheet &sheet, BillRows &bills, const BillFilter &filter) {
            SetUpBillGrid(sheet, GetProductName(session.db(), session.dialogs(), session.state().DefaultProductCode),
                          session.state().CurrentUnitName);
            BillGenerator generator(session.db(), session.dialogs(), sheet, bills);
            return generator.generate(filter);
        },
        BillColumnCount, BillCommandLayout{TaxInvoiceLines, [](const Sheet &, const BillRows &bills, PrintFile &file) {
                                               writeTaxInvoices(bills, file);
                                           }});
}

}  // namespace

CliCommand billsCommand()
{
    return {u"bills"_s, usage(),
            u"Generates the unit's bills as the bill print form's Show does, and writes the grid out.\n"
            "\n"
            "  --from, --to DATE        the insertion dates, YYYY-MM-DD (default: today)\n"
            "  --product T              product codes joined by \"/\" (default: all products)\n"
            "  --group T                agency-type codes separated by commas (default: all)\n"
            "  --bill-from, --bill-to T the range of bill numbers; a bare number is completed from the\n"
            "                           unit's numbering\n"
            "  --schedule SLNO          the bill of one schedule (not with --bill-from/--bill-to)\n"
            "  --split                  bill the split share to the client of the --split-* options\n"
            "  --split-client T, --split-add1 T, --split-add2 T, --split-add3 T\n"
            "                           the split client's name and address lines\n"
            "  --split-total T          the split total, a number\n"
            "  --exchange               net the exchange debits and credits (not with --split)\n"
            "  --csv FILE               the grid's bill rows as CSV\n"
            "  --xls FILE               the workbook Export saves\n"
            "  --prn FILE               the tax invoices Print writes\n"
            "  --spool                  then hand FILE to the spooler, as Print does\n"
            "  --einvoice FILE          the bills as e-invoice documents (INV-01 1.1) for the IRP's bulk\n"
            "                           upload, and beside FILE the bills that cannot be registered, with\n"
            "                           the reason (NAME-readiness.csv)\n"
            "  --invoice-pdf FILE       the bills as tax invoices on plain paper, one A4 page per copy,\n"
            "                           with the IRN and QR code of a registered bill"_s,
            runBills};
}
