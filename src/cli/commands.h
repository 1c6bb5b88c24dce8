#pragma once

#include <QString>
#include <QStringList>

// A sub-command of selvoro-cli: its name, its usage lines, what --help adds to them, and its run,
// which takes the arguments after the name and returns the exit status (cli/exitstatus.h).
struct CliCommand
{
    QString name;
    QString usage;
    QString help;
    int (*run)(QStringList args);
};

CliCommand checkCommand();
CliCommand billsCommand();
CliCommand davpBillsCommand();
CliCommand einvoiceImportCommand();
