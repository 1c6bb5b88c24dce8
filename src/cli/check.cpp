#include "cli/commands.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Command = u"check"_s;

int runCheck(const CliArguments &args)
{
    const std::optional<SessionOptions> options = sessionOptions(args, Command);
    if (!options)
        return ExitStatus::Usage;
    CliSession session;
    if (const int status = session.start(*options); status != ExitStatus::Ok)
        return status;
    printOutput(session.state().CurrentUnitCode + u'\t' + session.state().CurrentUnitName);
    return ExitStatus::Ok;
}

}  // namespace

CliCommand checkCommand()
{
    return {{Command, {sessionOptionList()}},
            u"Runs start-up and the login check as the desktop program does, switches to the unit when\n"
            "--unit is given, and prints the current unit's code, a tab and its name."_s,
            runCheck};
}
