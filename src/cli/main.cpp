#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/clisession.h"

#include <QCoreApplication>

#include <functional>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

const std::map<QString, std::function<int(QStringList)>> &subCommands()
{
    static const std::map<QString, std::function<int(QStringList)>> commands = {
        {u"bills"_s, runBills},
        {u"davp-bills"_s, runDavpBills},
        {u"check"_s, runCheck},
    };
    return commands;
}

void printUsage()
{
    printError(u"usage: selvoro-cli <command> [--server A] [--port N] --user NAME [--unit CODE] [options]\n"
               "commands:"_s);
    for (const auto &[name, run] : subCommands())
        printError(u"  "_s + name);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"selvoro-cli"_s);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage();
        return ExitStatus::Usage;
    }
    const auto command = subCommands().find(args.takeFirst());
    if (command == subCommands().end()) {
        printUsage();
        return ExitStatus::Usage;
    }
    return command->second(args);
}
