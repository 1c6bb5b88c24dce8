#include "cli/commands.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int runCheck(QStringList args)
{
    CliSession session;
    if (const int status = session.start(args); status != ExitStatus::Ok)
        return status;
    if (!args.isEmpty()) {
        printError(u"selvoro-cli check: unexpected argument "_s + args.first());
        return ExitStatus::Usage;
    }
    const QByteArray line = (session.state().CurrentUnitCode + u'\t' + session.state().CurrentUnitName).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    return ExitStatus::Ok;
}
