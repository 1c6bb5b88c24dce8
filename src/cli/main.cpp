#include "app/startup.h"
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "common/deployment.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<CliCommand> &subCommands()
{
    static const QList<CliCommand> commands = {checkCommand(),          billsCommand(),          davpBillsCommand(),
                                               einvoiceImportCommand(), einvoiceStatusCommand(), gstr1Command()};
    return commands;
}

QString generalUsage()
{
    return u"usage: selvoro-cli COMMAND --user NAME [OPTIONS]\n"
           "       selvoro-cli COMMAND --help\n"
           "       selvoro-cli --version"_s;
}

QString generalHelp()
{
    return generalUsage()
           + u"\n\n"
             "The advertisement billing desk without its windows: the desktop program's start-up, login\n"
             "and billing routines, run from a shell. Every message the window would show goes to standard\n"
             "error as \"message: TEXT\".\n"
             "\n"
             "Commands:\n"
             "  check        log in and print the current unit's code, a tab and its name\n"
             "  bills        generate the unit's GST, split or exchange bills, as the bill print form does\n"
             "  davp-bills   generate the unit's DAVP bills, as the DAVP bill form does\n"
             "  einvoice-import  keep the e-invoice portal's answers (IRN, acknowledgement, signed QR code)\n"
             "                   and its cancellations\n"
             "  einvoice-status  list where each bill stands with the e-invoice portal, as CSV\n"
             "  gstr1        write GSTR-1, the return of outward supplies, for a month\n"
             "\n"
             "Options of every command:\n"_s
           + CliSyntax(u"COMMAND"_s, {sessionOptionList()}).optionsHelp()
           + u"\n"
             "\n"
             "Environment:\n"
             "  SELVORO_PASSWORD    the user's password; without it the password is asked for without echo\n"
             "  SELVORO_DEPLOYMENT  the deployment file (default: selvoro.ini beside the program, else\n"
             "                      "_s
           + Deployment::systemPath()
           + u")\n"
             "\n"_s
           + exitStatusHelp();
}

}  // namespace

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"selvoro-cli"_s);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printError(generalUsage());
        return ExitStatus::Usage;
    }
    const QString first = args.takeFirst();
    if (first == u"--help"_s || first == u"-h"_s || first == u"help"_s) {
        printOutput(generalHelp());
        return ExitStatus::Ok;
    }
    if (first == u"--version"_s) {
        printOutput(u"selvoro-cli "_s + QString::fromUtf16(AppVersion));
        return ExitStatus::Ok;
    }
    for (const CliCommand &command : subCommands()) {
        if (command.name() != first)
            continue;
        const std::variant<CliArguments, QString> parsed = command.syntax.parse(args);
        if (const QString *error = std::get_if<QString>(&parsed)) {
            printError(*error);
            printError(command.syntax.usage());
            return ExitStatus::Usage;
        }
        const CliArguments &arguments = std::get<CliArguments>(parsed);
        if (arguments.wantsHelp()) {
            printOutput(command.help());
            return ExitStatus::Ok;
        }
        return command.run(arguments);
    }
    printError(u"selvoro-cli: unknown command "_s + first);
    printError(generalUsage());
    return ExitStatus::Usage;
}
