#pragma once

#include "cli/clioptions.h"

#include <QString>

// A sub-command of selvoro-cli: its name, its options table, what --help says of it, and its run,
// which takes the parsed arguments and returns the exit status (cli/exitstatus.h).
struct CliCommand
{
    CliSyntax syntax;
    QString description;
    int (*run)(const CliArguments &args);

    const QString &name() const { return syntax.command(); }
    // The usage lines, the description and the options.
    QString help() const
    {
        return syntax.usage() + QStringLiteral("\n\n") + description + QStringLiteral("\n\n") + syntax.optionsHelp();
    }
};

CliCommand checkCommand();
CliCommand billsCommand();
CliCommand davpBillsCommand();
CliCommand einvoiceImportCommand();
CliCommand einvoiceStatusCommand();
CliCommand gstr1Command();
