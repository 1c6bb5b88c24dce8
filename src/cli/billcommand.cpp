#include "cli/billcommand.h"

#include "billing/billcolumns.h"
#include "billing/gridcsv.h"
#include "billing/sheetexport.h"
#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/messages.h"
#include "common/outputfile.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QString> writeLayout(OutputFile &output, const Sheet &sheet, const BillRows &bills,
                                   const BillCommandLayout &layout)
{
    PrintFile file(output);
    if (file.open())
        layout.write(sheet, bills, file);
    if (!file.close())
        return file.failure();
    return std::nullopt;
}

// The outputs of a run that ended well, as the form's Print and Export and a CSV of the grid.
int writeOutputs(CliSession &session, Sheet &sheet, const BillRows &bills, int currentRow, const BillsOptions &options,
                 const QString &command, int csvColumns, const std::optional<BillCommandLayout> &layout)
{
    const QString prefix = u"selvoro-cli "_s + command + u": "_s;
    OutputSet outputs;
    if (options.csvPath) {
        if (const std::optional<QString> failure = outputs.stage(*options.csvPath, [&](OutputFile &output) {
                return writeBytes(output, gridCsv(sheet, currentRow, csvColumns));
            })) {
            printError(prefix + *failure);
            return ExitStatus::Output;
        }
    }
    if (options.prnPath) {
        if (const std::optional<QString> failure = outputs.stage(
                *options.prnPath, [&](OutputFile &output) { return writeLayout(output, sheet, bills, *layout); })) {
            session.dialogs().message(Msg::FileCannotBePrinted);
            printError(prefix + *failure);
            return ExitStatus::Output;
        }
    }
    // Export saves nothing without a bill.
    if (options.xlsPath && currentRow <= HeaderRow)
        session.dialogs().message(Msg::NoDetailsFound);
    if (options.xlsPath && currentRow > HeaderRow) {
        if (const std::optional<QString> failure = outputs.stage(
                *options.xlsPath, [&](OutputFile &output) { return saveExport(sheet, currentRow, output); })) {
            session.dialogs().message(*failure);
            return ExitStatus::Output;
        }
    }
    for (const auto &output : options.outputs)
        if (const int status = output(session, bills, outputs); status != ExitStatus::Ok)
            return status;
    if (const std::optional<QString> failure = outputs.commit()) {
        printError(prefix + *failure);
        return ExitStatus::Output;
    }
    if (options.spool
        && !startSpooler(*options.prnPath, layout->pageLines, session.deployment(), Spool::StartAndWait)) {
        session.dialogs().message(Msg::FileCannotBePrinted);
        return ExitStatus::Output;
    }
    return ExitStatus::Ok;
}

int exitStatus(BillRun::Outcome outcome)
{
    switch (outcome) {
    case BillRun::Outcome::Completed:
    case BillRun::Outcome::NoRecords: return ExitStatus::Ok;
    case BillRun::Outcome::DatesRefused:
    case BillRun::Outcome::InputRefused:
    case BillRun::Outcome::RowLimit: break;
    }
    return ExitStatus::Validation;
}

}  // namespace

std::optional<BillsOptions> takeBillRangeOptions(QStringList &args, const QString &command, bool &missing)
{
    BillsOptions options;
    BillFilter &filter = options.filter;
    const QDate today = QDate::currentDate();
    std::optional<QDate> dates[2];
    const QString dateOptions[2] = {u"--from"_s, u"--to"_s};
    for (int i = 0; i < 2; ++i) {
        if (const std::optional<QString> text = takeOption(args, dateOptions[i], missing)) {
            dates[i] = QDate::fromString(*text, u"yyyy-MM-dd"_s);
            if (!dates[i]->isValid()) {
                printError(u"selvoro-cli "_s + command + u": "_s + dateOptions[i] + u" needs a date YYYY-MM-DD"_s);
                return std::nullopt;
            }
        }
    }
    filter.from = dates[0].value_or(today);
    filter.to = dates[1].value_or(today);
    filter.product = takeOption(args, u"--product"_s, missing).value_or(QString());
    filter.billFrom = takeOption(args, u"--bill-from"_s, missing).value_or(QString());
    filter.billTo = takeOption(args, u"--bill-to"_s, missing).value_or(QString());
    options.csvPath = takeOption(args, u"--csv"_s, missing);
    options.xlsPath = takeOption(args, u"--xls"_s, missing);
    options.prnPath = takeOption(args, u"--prn"_s, missing);
    options.spool = takeFlag(args, u"--spool"_s);
    if (options.spool && !options.prnPath) {
        printError(u"selvoro-cli "_s + command + u": --spool goes with --prn FILE"_s);
        return std::nullopt;
    }
    return options;
}

int runBillCommand(QStringList &args, BillsOptions &options, const QString &command, const QString &usage,
                   const BillCommandRun &run, int csvColumns, const std::optional<BillCommandLayout> &layout)
{
    if (options.prnPath && !layout) {
        printError(u"selvoro-cli "_s + command + u": --prn is not available for this command"_s);
        return ExitStatus::Usage;
    }
    const std::optional<SessionOptions> sessionOptions = takeSessionOptions(args, command);
    if (!sessionOptions || !noArgumentsLeft(args, command)) {
        printError(usage);
        return ExitStatus::Usage;
    }
    CliSession session;
    if (const int status = session.start(*sessionOptions); status != ExitStatus::Ok)
        return status;
    options.filter.unitCode = session.state().CurrentUnitCode;

    Sheet sheet;
    BillRows bills;
    try {
        const BillRun outcome = run(session, sheet, bills, options.filter);
        // A run that stops writes nothing: every output file stays as it was.
        if (const int status = exitStatus(outcome.outcome); status != ExitStatus::Ok)
            return status;
        return writeOutputs(session, sheet, bills, outcome.currentRow, options, command, csvColumns, layout);
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}
