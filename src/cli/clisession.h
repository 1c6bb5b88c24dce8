#pragma once

#include "app/units.h"
#include "app/usersettings.h"
#include "cli/clioptions.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"

#include <QStringList>

#include <optional>

// The connection and login options every sub-command takes.
struct SessionOptions
{
    std::optional<QString> server;  // else the ServerIP setting
    int port = 0;                   // else the deployment file's
    QString user;
    std::optional<QString> unit;  // else the workstation's
};

// The values of --server A, --port N, --user NAME and --unit CODE; nothing (after an error line
// naming `command`) when they are not usable.
std::optional<SessionOptions> sessionOptions(const CliArguments &args, const QString &command);

// Start-up and login for a headless run: the same checks as the desktop program, messages on
// stderr. Sub-commands check all their options first, then call start() and work with db(),
// dialogs() and state().
class CliSession
{
public:
    CliSession();

    // Runs start-up and the login check (password from SELVORO_PASSWORD or a prompt without echo)
    // and switches to the unit. Returns ExitStatus::Ok when the session is ready, otherwise the
    // status to exit with.
    int start(const SessionOptions &options);

    Db &db() { return m_db; }
    Dialogs &dialogs() { return m_dialogs; }
    SharedState &state() { return m_state; }
    const Deployment &deployment() const { return m_deployment; }

    // The unit `unitCode` when the user may work for it (as --unit checks it), else nothing after
    // the message.
    std::optional<Unit> unitToWorkFor(const QString &unitCode);

private:
    int switchUnit(const QString &unitCode);

    QString m_loginUnitCode;  // the workstation's unit, in effect right after the login

    Db m_db;
    StderrDialogs m_dialogs;
    SharedState m_state;
    Deployment m_deployment;
};

// Writes a usage or error line to stderr.
void printError(const QString &text);
// Writes text and a line end to stdout (help and results).
void printOutput(const QString &text);
