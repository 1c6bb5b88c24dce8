// selvoro-cli bills: the bill print form without its window. The filters are the form's boxes as
// typed, the messages go to stderr, and the grid can be written out as CSV.
#include "cli/commands.h"

#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "billing/gridcsv.h"
#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/lookups.h"
#include "sheet/sheet.h"

#include <QFile>
#include <QSaveFile>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Usage =
    u"usage: selvoro-cli bills [--server A] [--port N] --user NAME [--unit CODE]\n"
    "           [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--product T] [--group T]\n"
    "           [--bill-from T] [--bill-to T] [--schedule SLNO]\n"
    "           [--split --split-client T --split-add1 T --split-add2 T --split-add3 T --split-total T]\n"
    "           [--exchange] [--csv FILE]"_s;

struct BillsOptions
{
    BillFilter filter;
    std::optional<QString> csvPath;
};

// The options of the sub-command, taken out of args; nothing (after a usage line) when they are
// not usable.
std::optional<BillsOptions> takeBillsOptions(QStringList &args)
{
    bool missing = false;
    BillsOptions options;
    BillFilter &filter = options.filter;
    const QDate today = QDate::currentDate();
    std::optional<QDate> dates[2];
    const QString dateOptions[2] = {u"--from"_s, u"--to"_s};
    for (int i = 0; i < 2; ++i) {
        if (const std::optional<QString> text = takeOption(args, dateOptions[i], missing)) {
            dates[i] = QDate::fromString(*text, u"yyyy-MM-dd"_s);
            if (!dates[i]->isValid()) {
                printError(u"selvoro-cli bills: "_s + dateOptions[i] + u" needs a date YYYY-MM-DD"_s);
                return std::nullopt;
            }
        }
    }
    filter.from = dates[0].value_or(today);
    filter.to = dates[1].value_or(today);
    filter.product = takeOption(args, u"--product"_s, missing).value_or(QString());
    filter.group = takeOption(args, u"--group"_s, missing).value_or(QString());
    const std::optional<QString> billFrom = takeOption(args, u"--bill-from"_s, missing);
    const std::optional<QString> billTo = takeOption(args, u"--bill-to"_s, missing);
    if (const std::optional<QString> schedule = takeOption(args, u"--schedule"_s, missing)) {
        if (billFrom || billTo) {
            printError(u"selvoro-cli bills: --schedule stands for both bill numbers; leave out --bill-from/--bill-to"_s);
            return std::nullopt;
        }
        // As the form opened for one schedule: both bill-number boxes hold the schedule number.
        filter.singleSchedule = true;
        filter.billFrom = filter.billTo = *schedule;
    } else {
        filter.billFrom = billFrom.value_or(QString());
        filter.billTo = billTo.value_or(QString());
    }
    filter.split = takeFlag(args, u"--split"_s);
    filter.splitClient = takeOption(args, u"--split-client"_s, missing).value_or(QString());
    filter.splitAdd1 = takeOption(args, u"--split-add1"_s, missing).value_or(QString());
    filter.splitAdd2 = takeOption(args, u"--split-add2"_s, missing).value_or(QString());
    filter.splitAdd3 = takeOption(args, u"--split-add3"_s, missing).value_or(QString());
    filter.splitTotal = takeOption(args, u"--split-total"_s, missing).value_or(QString());
    filter.exchange = takeFlag(args, u"--exchange"_s);
    options.csvPath = takeOption(args, u"--csv"_s, missing);
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

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        printError(u"selvoro-cli bills: cannot write "_s + path + u": "_s + file.errorString());
        return false;
    }
    return true;
}

int exitStatus(BillRun::Outcome outcome)
{
    switch (outcome) {
    case BillRun::Outcome::Completed:
    case BillRun::Outcome::NoRecords:
        return ExitStatus::Ok;
    case BillRun::Outcome::DatesRefused:
    case BillRun::Outcome::InputRefused:
    case BillRun::Outcome::RowLimit:
        break;
    }
    return ExitStatus::Validation;
}

}  // namespace

int runBills(QStringList args)
{
    std::optional<BillsOptions> options = takeBillsOptions(args);
    if (!options) {
        printError(Usage);
        return ExitStatus::Usage;
    }
    CliSession session;
    if (const int status = session.start(args); status != ExitStatus::Ok)
        return status;
    if (!args.isEmpty()) {
        printError(u"selvoro-cli bills: unexpected argument "_s + args.first());
        printError(Usage);
        return ExitStatus::Usage;
    }
    options->filter.unitCode = session.state().CurrentUnitCode;

    Sheet sheet;
    try {
        SetUpBillGrid(sheet, GetProductName(session.db(), session.dialogs(), session.state().DefaultProductCode),
                      session.state().CurrentUnitName);
        BillGenerator generator(session.db(), session.dialogs(), sheet);
        const BillRun run = generator.generate(options->filter);
        if (options->csvPath && !writeFile(*options->csvPath, gridCsv(sheet, run.currentRow, BillColumnCount)))
            return ExitStatus::Usage;
        return exitStatus(run.outcome);
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}
