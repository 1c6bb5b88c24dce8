// selvoro-cli einvoice-status: where each of the unit's bills stands with the e-invoice portal.
#include "einvoice/einvoicestatus.h"
#include "cli/billcommand.h"
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "common/outputfile.h"
#include "einvoice/einvoicestore.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Command = u"einvoice-status"_s;

CliSyntax syntax()
{
    return billCommandSyntax(
        Command, {.group = true,
                  .filters = {},
                  .groups = {{{u"--csv"_s, u"FILE"_s, u"write the CSV to FILE (default: standard output)"_s}}}});
}

int runStatus(const CliArguments &args)
{
    std::optional<BillsOptions> options = billsOptions(args, Command);
    if (!options)
        return ExitStatus::Usage;
    options->filter.group = args.valueOr(u"--group"_s);
    // --csv is the status table here, not the grid's rows.
    const std::optional<QString> csvPath = std::exchange(options->csvPath, std::nullopt);
    options->outputs.append([csvPath](CliSession &session, const BillRows &bills, OutputSet &outputs) {
        const QByteArray csv =
            einvoiceStatusCsv(bills, EInvoiceStore(session.db()).registrationsOf(bills), QDateTime::currentDateTime());
        if (!csvPath) {
            printOutput(QString::fromUtf8(csv).chopped(1));
            return ExitStatus::Ok;
        }
        if (const std::optional<QString> failure =
                outputs.stage(*csvPath, [&](OutputFile &output) { return writeBytes(output, csv); })) {
            printError(u"selvoro-cli einvoice-status: "_s + *failure);
            return ExitStatus::Output;
        }
        return ExitStatus::Ok;
    });
    return runBillCommand(args, *options, Command, showBills, 0, {});
}

}  // namespace

CliCommand einvoiceStatusCommand()
{
    return {syntax(),
            u"Generates the unit's bills as the bill print form's Show does and writes, as CSV, where each\n"
            "stands with the e-invoice portal: Bill No, Bill Date, Buyer GSTIN, Total, Status (not\n"
            "registered; registered, with the end of the 24 hours in which the IRN may be cancelled;\n"
            "changed since registration; cancelled), IRN and Ack Date."_s,
            runStatus};
}
