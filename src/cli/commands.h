#pragma once

#include <QStringList>

// The sub-commands of selvoro-cli; each takes the arguments after its name and returns the exit
// status (cli/exitstatus.h).
int runCheck(QStringList args);
int runBills(QStringList args);
int runDavpBills(QStringList args);
