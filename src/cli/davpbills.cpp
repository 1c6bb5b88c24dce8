// selvoro-cli davp-bills: the DAVP bill form without its window. The filters are the form's boxes
// as typed, the messages go to stderr, and the grid (columns 1 to 40) can be written out as CSV,
// as the bills Print writes and as the workbook Export saves.
#include "cli/commands.h"

#include "cli/billcommand.h"
#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/deployment.h"
#include "davp/davpcolumns.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "davp/davpprint.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString usage()
{
    return u"usage: selvoro-cli davp-bills "_s + sessionUsage()
           + u"\n"
             "           [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--product T]\n"
             "           [--bill-from T] [--bill-to T] [--csv FILE] [--xls FILE] [--prn FILE [--spool]]"_s;
}

int runDavpBills(QStringList args)
{
    bool missing = false;
    std::optional<BillsOptions> options = takeBillRangeOptions(args, u"davp-bills"_s, missing);
    if (missing)
        printError(u"selvoro-cli davp-bills: an option lacks its value"_s);
    if (!options || missing) {
        printError(usage());
        return ExitStatus::Usage;
    }
    return runBillCommand(
        args, *options, u"davp-bills"_s, usage(),
        [](CliSession &session, Sheet &sheet, BillRows &, const BillFilter &filter) {
            const Deployment &deployment = session.deployment();
            SetUpDavpGrid(sheet, {deployment.publisherAddress, deployment.publisherPhoneFax});
            DavpGenerator generator(session.db(), session.dialogs(), sheet);
            return generator.GenerateDavpBills(filter);
        },
        DavpColumnCount, BillCommandLayout{DavpPageLines, [](const Sheet &sheet, const BillRows &, PrintFile &file) {
                                               writeDavpBills(sheet, file);
                                           }});
}

}  // namespace

CliCommand davpBillsCommand()
{
    return {u"davp-bills"_s, usage(),
            u"Generates the unit's DAVP bills as the DAVP bill form's Show does, and writes the grid out.\n"
            "\n"
            "  --from, --to DATE        the insertion dates, YYYY-MM-DD (default: today)\n"
            "  --product T              product codes joined by \"/\" (default: all products)\n"
            "  --bill-from, --bill-to T the range of bill numbers; a bare number is completed from the\n"
            "                           unit's numbering\n"
            "  --csv FILE               the grid's columns 1 to 40 as CSV\n"
            "  --xls FILE               the workbook Export saves\n"
            "  --prn FILE               the DAVP bills Print writes\n"
            "  --spool                  then hand FILE to the spooler, as Print does"_s,
            runDavpBills};
}
