#include "cli/billcommand.h"

#include "billing/billcolumns.h"
#include "billing/gridcsv.h"
#include "billing/sheetexport.h"
#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/messages.h"
#include "sheet/sheet.h"

#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes, const QString &command)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        printError(u"selvoro-cli "_s + command + u": cannot write "_s + path + u": "_s + file.errorString());
        return false;
    }
    return true;
}

// Export's work once the save dialog has answered `path`: nothing to save without a bill.
bool exportGrid(Sheet &sheet, Dialogs &dialogs, int currentRow, const QString &path)
{
    if (currentRow <= HeaderRow) {
        dialogs.message(Msg::NoDetailsFound);
        return true;
    }
    const std::optional<QString> failure = saveExport(sheet, currentRow, path);
    if (failure)
        dialogs.message(*failure);
    return !failure;
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
                   const BillCommandRun &run, int csvColumns, const BillCommandPrint &print)
{
    if (options.prnPath && !print) {
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
    try {
        const BillRun outcome = run(session, sheet, options.filter);
        if (options.csvPath && !writeFile(*options.csvPath, gridCsv(sheet, outcome.currentRow, csvColumns), command))
            return ExitStatus::Usage;
        if (options.prnPath) {
            if (const std::optional<QString> failure = print(sheet, session.deployment(), *options.prnPath,
                                                             options.spool ? Spool::StartAndWait : Spool::Skip)) {
                session.dialogs().message(*failure);
                return ExitStatus::Usage;
            }
        }
        if (options.xlsPath && !exportGrid(sheet, session.dialogs(), outcome.currentRow, *options.xlsPath))
            return ExitStatus::Usage;
        return exitStatus(outcome.outcome);
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}
