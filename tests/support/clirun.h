#pragma once

#include <QString>
#include <QStringList>

// selvoro-cli as the tests run it: the password in SELVORO_PASSWORD, no settings of the person
// running the tests (XDG_CONFIG_HOME is `home`), the deployment file given, and `folder` as the
// working folder when one is named.
struct CliSetting
{
    QString home;
    QString deployment;
    QString password = QStringLiteral("pass2");
    QString folder = {};  // empty: the working folder of the test itself
};

struct CliRun
{
    int status;  // the exit status; -1 when the program crashed or had not ended after two minutes
    QString out;
    QString err;
};

CliRun runCli(const QStringList &args, const CliSetting &setting);
