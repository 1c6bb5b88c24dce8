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

const QString Usage = u"usage: selvoro-cli davp-bills [--server A] [--port N] --user NAME [--unit CODE]\n"
                      "           [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--product T]\n"
                      "           [--bill-from T] [--bill-to T] [--csv FILE] [--xls FILE] [--prn FILE [--spool]]"_s;

}  // namespace

int runDavpBills(QStringList args)
{
    bool missing = false;
    std::optional<BillsOptions> options = takeBillRangeOptions(args, u"davp-bills"_s, missing);
    if (missing)
        printError(u"selvoro-cli davp-bills: an option lacks its value"_s);
    if (!options || missing) {
        printError(Usage);
        return ExitStatus::Usage;
    }
    return runBillCommand(
        args, *options, u"davp-bills"_s, Usage,
        [](CliSession &session, Sheet &sheet, const BillFilter &filter) {
            const Deployment &deployment = session.deployment();
            SetUpDavpGrid(sheet, {deployment.publisherAddress, deployment.publisherPhoneFax});
            DavpGenerator generator(session.db(), session.dialogs(), sheet);
            return generator.GenerateDavpBills(filter);
        },
        DavpColumnCount, printDavpBills);
}
