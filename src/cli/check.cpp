#include "cli/commands.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"

using namespace Qt::Literals::StringLiterals;

namespace {

int runCheck(QStringList args)
{
    const std::optional<SessionOptions> options = takeSessionOptions(args, u"check"_s);
    if (!options || !noArgumentsLeft(args, u"check"_s)) {
        printError(checkCommand().usage);
        return ExitStatus::Usage;
    }
    CliSession session;
    if (const int status = session.start(*options); status != ExitStatus::Ok)
        return status;
    printOutput(session.state().CurrentUnitCode + u'\t' + session.state().CurrentUnitName);
    return ExitStatus::Ok;
}

}  // namespace

CliCommand checkCommand()
{
    return {u"check"_s, u"usage: selvoro-cli check "_s + sessionUsage(),
            u"Runs start-up and the login check as the desktop program does, switches to the unit when\n"
            "--unit is given, and prints the current unit's code, a tab and its name."_s,
            runCheck};
}
