#include "cli/clisession.h"

#include "app/login.h"
#include "app/startup.h"
#include "app/units.h"
#include "cli/exitstatus.h"

#include <QTextStream>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A headless run checks the login like the desktop but does not change the remembered name.
class ReadOnlySettings : public UserSettings
{
public:
    void setLastUser(const QString &) override {}
};

QString readPassword()
{
    if (qEnvironmentVariableIsSet("SELVORO_PASSWORD"))
        return qEnvironmentVariable("SELVORO_PASSWORD");
    const bool terminal = isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        std::fputs("Password: ", stderr);
        std::fflush(stderr);
        tcgetattr(STDIN_FILENO, &saved);
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    }
    QTextStream in(stdin);
    const QString password = in.readLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    return password;
}

}  // namespace

std::optional<QString> takeOption(QStringList &args, const QString &name, bool &missingValue)
{
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return std::nullopt;
    if (at + 1 >= args.size()) {
        missingValue = true;
        args.removeAt(at);
        return std::nullopt;
    }
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

bool takeFlag(QStringList &args, const QString &name) { return args.removeAll(name) > 0; }

bool noArgumentsLeft(const QStringList &args, const QString &command)
{
    if (args.isEmpty())
        return true;
    const QString &first = args.first();
    printError(u"selvoro-cli "_s + command
               + (first.startsWith(u'-') ? u": unknown option "_s : u": unexpected argument "_s) + first);
    return false;
}

namespace {

void writeLine(const QString &text, std::FILE *stream)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

}  // namespace

void printError(const QString &text) { writeLine(text, stderr); }

void printOutput(const QString &text) { writeLine(text, stdout); }

QString sessionUsage() { return u"[--server A] [--port N] --user NAME [--unit CODE]"_s; }

std::optional<SessionOptions> takeSessionOptions(QStringList &args, const QString &command)
{
    bool missing = false;
    SessionOptions options;
    options.server = takeOption(args, u"--server"_s, missing);
    const std::optional<QString> port = takeOption(args, u"--port"_s, missing);
    const std::optional<QString> user = takeOption(args, u"--user"_s, missing);
    options.unit = takeOption(args, u"--unit"_s, missing);
    if (missing || !user || user->isEmpty()) {
        printError(u"selvoro-cli "_s + command
                   + u": --user NAME is required; --server, --port and --unit take a value"_s);
        return std::nullopt;
    }
    options.user = *user;
    if (port) {
        bool ok = false;
        options.port = port->toInt(&ok);
        if (!ok || options.port <= 0 || options.port > 65535) {
            printError(u"selvoro-cli "_s + command + u": --port needs a port number from 1 to 65535"_s);
            return std::nullopt;
        }
    }
    return options;
}

CliSession::CliSession() : m_deployment(Deployment::load()) {}

int CliSession::start(const SessionOptions &options)
{
    if (!m_deployment.problems.isEmpty()) {
        for (const QString &problem : std::as_const(m_deployment.problems))
            printError(u"selvoro-cli: "_s + problem);
        return ExitStatus::Usage;
    }
    if (options.port > 0)
        m_deployment.port = options.port;
    ReadOnlySettings settings;
    const QString address = options.server ? *options.server : settings.serverAddress();
    const StartupResult startup = runStartup(m_db, m_dialogs, m_deployment, address, m_state);
    if (startup.outcome == StartupResult::Outcome::Outdated)
        return ExitStatus::Version;
    if (startup.outcome != StartupResult::Outcome::Ready)
        return ExitStatus::Database;
    try {
        const LoginOutcome login = checkLogin(m_db, m_dialogs, settings, m_state, options.user, readPassword());
        if (login != LoginOutcome::Success)
            return ExitStatus::LoginRefused;
        return options.unit ? switchUnit(*options.unit) : ExitStatus::Ok;
    } catch (const DbError &error) {
        m_dialogs.message(error.text());
        return ExitStatus::Database;
    }
}

// --unit is the unit switch: a unit the user may not work for is refused like one that is not there.
int CliSession::switchUnit(const QString &unitCode)
{
    const std::optional<Unit> unit = unitToSwitchTo(m_db, m_state.CurrentUserId, m_state.CurrentUnitCode, unitCode);
    if (!unit) {
        m_dialogs.message(u"Unit "_s + unitCode + u" is not a unit you may work for."_s);
        return ExitStatus::Usage;
    }
    m_state.CurrentUnitCode = unit->code;
    m_state.CurrentUnitName = unit->name;
    return ExitStatus::Ok;
}
