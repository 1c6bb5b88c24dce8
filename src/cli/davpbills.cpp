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

const auto Command = u"davp-bills"_s;

int runDavpBills(const CliArguments &args)
{
    std::optional<BillsOptions> options = billsOptions(args, Command);
    if (!options)
        return ExitStatus::Usage;
    return runBillCommand(
        args, *options, Command,
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
    return {billCommandSyntax(Command, {.group = false,
                                        .filters = {},
                                        .groups = {gridOutputOptionList(u"the grid's columns 1 to 40 as CSV"_s,
                                                                        u"the DAVP bills Print writes"_s)}}),
            u"Generates the unit's DAVP bills as the DAVP bill form's Show does, and writes the grid out."_s,
            runDavpBills};
}
