#pragma once

#include "app/usersettings.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"

#include <QStringList>

#include <optional>

// Start-up and login for a headless run: the same checks as the desktop program, messages on
// stderr. Sub-commands call start() first and then work with db(), dialogs() and state().
class CliSession
{
public:
    CliSession();

    // Takes --server A, --port N, --user NAME and --unit CODE out of `args`, runs start-up and the
    // login check (password from SELVORO_PASSWORD or a prompt without echo) and switches to the
    // unit. Returns ExitStatus::Ok when the session is ready, otherwise the status to exit with.
    int start(QStringList &args);

    Db &db() { return m_db; }
    Dialogs &dialogs() { return m_dialogs; }
    SharedState &state() { return m_state; }
    const Deployment &deployment() const { return m_deployment; }

private:
    int switchUnit(const QString &unitCode);

    Db m_db;
    StderrDialogs m_dialogs;
    SharedState m_state;
    Deployment m_deployment;
};

// Takes "--name value" out of args; nothing when absent. Sets `missingValue` when the option is
// the last argument.
std::optional<QString> takeOption(QStringList &args, const QString &name, bool &missingValue);
// Takes a flag "--name" out of args.
bool takeFlag(QStringList &args, const QString &name);
// Writes a usage or error line to stderr.
void printError(const QString &text);
