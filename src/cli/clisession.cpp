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

namespace {

void writeLine(const QString &text, std::FILE *stream)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

}  // namespace

void printError(const QString &text) { writeLine(text, stderr); }

void printOutput(const QString &text) { writeLine(text, stdout); }

std::optional<SessionOptions> sessionOptions(const CliArguments &args, const QString &command)
{
    SessionOptions options;
    options.server = args.value(u"--server"_s);
    options.user = args.valueOr(u"--user"_s);
    options.unit = args.value(u"--unit"_s);
    if (options.user.isEmpty()) {
        printError(u"selvoro-cli "_s + command + u": --user NAME is required"_s);
        return std::nullopt;
    }
    if (const std::optional<QString> port = args.value(u"--port"_s)) {
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
        m_loginUnitCode = m_state.CurrentUnitCode;
        return options.unit ? switchUnit(*options.unit) : ExitStatus::Ok;
    } catch (const DbError &error) {
        m_dialogs.message(error.text());
        return ExitStatus::Database;
    }
}

// --unit is the unit switch: a unit the user may not work for is refused like one that is not there.
std::optional<Unit> CliSession::unitToWorkFor(const QString &unitCode)
{
    const std::optional<Unit> unit = unitToSwitchTo(m_db, m_state.CurrentUserId, m_loginUnitCode, unitCode);
    if (!unit)
        m_dialogs.message(u"Unit "_s + unitCode + u" is not a unit you may work for."_s);
    return unit;
}

int CliSession::switchUnit(const QString &unitCode)
{
    const std::optional<Unit> unit = unitToWorkFor(unitCode);
    if (!unit)
        return ExitStatus::Usage;
    m_state.CurrentUnitCode = unit->code;
    m_state.CurrentUnitName = unit->name;
    return ExitStatus::Ok;
}
