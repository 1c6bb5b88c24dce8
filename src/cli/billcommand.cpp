#include "cli/billcommand.h"

#include "billing/billcolumns.h"
#include "billing/billgrid.h"
#include "billing/billnumber.h"
#include "billing/gridcsv.h"
#include "billing/sheetexport.h"
#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/lookups.h"
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
                 const QString &command, int csvColumns, const BillCommandLayout &layout)
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
                *options.prnPath, [&](OutputFile &output) { return writeLayout(output, sheet, bills, layout); })) {
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
    if (options.spool && !startSpooler(*options.prnPath, layout.pageLines, session.deployment(), Spool::StartAndWait)) {
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
    case BillRun::Outcome::RowLimit:
    case BillRun::Outcome::Stopped: break;
    }
    return ExitStatus::Validation;
}

}  // namespace

CliSyntax billCommandSyntax(const QString &command, const BillCommandOptions &options)
{
    QList<CliOption> filters = {
        {u"--from"_s, u"YYYY-MM-DD"_s, u"the first insertion date (default: today)"_s},
        {u"--to"_s, u"YYYY-MM-DD"_s, u"the last insertion date (default: today)"_s},
        {u"--product"_s, u"T"_s, u"product codes joined by \"/\" (default: all products)"_s},
    };
    if (options.group)
        filters.append({u"--group"_s, u"T"_s, u"agency-type codes separated by commas (default: all)"_s});
    filters += {
        {u"--bill-from"_s, u"T"_s, u"the first bill number; a bare number is completed from the unit's\nnumbering"_s},
        {u"--bill-to"_s, u"T"_s, u"the last bill number, completed the same way"_s},
    };
    filters += options.filters;
    return {command, QList<QList<CliOption>>{sessionOptionList(), filters} + options.groups};
}

BillRun showBills(CliSession &session, Sheet &sheet, BillRows &bills, const BillFilter &filter)
{
    SetUpBillGrid(sheet, GetProductName(session.db(), session.dialogs(), session.state().DefaultProductCode),
                  session.state().CurrentUnitName);
    BillGenerator generator(session.db(), session.dialogs(), sheet, bills);
    return generator.generate(filter);
}

QList<CliOption> gridOutputOptionList(const QString &csvHelp, const QString &prnHelp)
{
    return {
        {u"--csv"_s, u"FILE"_s, csvHelp},
        {u"--xls"_s, u"FILE"_s, u"the workbook Export saves"_s},
        {u"--prn"_s, u"FILE"_s, prnHelp},
        {u"--spool"_s, QString(), u"then hand the --prn FILE to the spooler, as Print does"_s},
    };
}

std::optional<BillsOptions> billsOptions(const CliArguments &args, const QString &command)
{
    BillsOptions options;
    BillFilter &filter = options.filter;
    const QDate today = QDate::currentDate();
    for (auto [name, date] : {std::pair{u"--from"_s, &filter.from}, std::pair{u"--to"_s, &filter.to}}) {
        *date = today;
        if (const std::optional<QString> text = args.value(name)) {
            *date = QDate::fromString(*text, u"yyyy-MM-dd"_s);
            if (!date->isValid()) {
                printError(u"selvoro-cli "_s + command + u": "_s + name + u" needs a date YYYY-MM-DD"_s);
                return std::nullopt;
            }
        }
    }
    filter.product = args.valueOr(u"--product"_s);
    filter.billFrom = args.valueOr(u"--bill-from"_s);
    filter.billTo = args.valueOr(u"--bill-to"_s);
    options.csvPath = args.value(u"--csv"_s);
    options.xlsPath = args.value(u"--xls"_s);
    options.prnPath = args.value(u"--prn"_s);
    options.spool = args.isSet(u"--spool"_s);
    if (options.spool && !options.prnPath) {
        printError(u"selvoro-cli "_s + command + u": --spool goes with --prn FILE"_s);
        return std::nullopt;
    }
    return options;
}

int runBillCommand(const CliArguments &args, BillsOptions &options, const QString &command, const BillCommandRun &run,
                   int csvColumns, const BillCommandLayout &layout)
{
    const std::optional<SessionOptions> login = sessionOptions(args, command);
    if (!login)
        return ExitStatus::Usage;
    CliSession session;
    if (const int status = session.start(*login); status != ExitStatus::Ok)
        return status;
    BillFilter &filter = options.filter;
    filter.unitCode = session.state().CurrentUnitCode;

    Sheet sheet;
    BillRows bills;
    try {
        // The user types only the running number, as in the form's bill-number boxes.
        if (!filter.singleSchedule) {
            for (QString *number : {&filter.billFrom, &filter.billTo})
                if (!number->isEmpty())
                    *number = composeBillNumber(session.db(), session.dialogs(), filter.unitCode, *number);
        }
        const BillRun outcome = run(session, sheet, bills, filter);
        // A run that stops writes nothing: every output file stays as it was.
        if (const int status = exitStatus(outcome.outcome); status != ExitStatus::Ok)
            return status;
        return writeOutputs(session, sheet, bills, outcome.currentRow, options, command, csvColumns, layout);
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}
