#include "clirun.h"

#include <QProcess>

using namespace Qt::Literals::StringLiterals;

CliRun runCli(const QStringList &args, const CliSetting &setting)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"SELVORO_PASSWORD"_s, setting.password);
    env.insert(u"XDG_CONFIG_HOME"_s, setting.home);
    env.insert(u"SELVORO_DEPLOYMENT"_s, setting.deployment);
    cli.setProcessEnvironment(env);
    if (!setting.folder.isEmpty())
        cli.setWorkingDirectory(setting.folder);
    cli.start(QStringLiteral(SELVORO_CLI), args);
    cli.closeWriteChannel();
    const bool ended = cli.waitForFinished(120000) && cli.exitStatus() == QProcess::NormalExit;
    return {ended ? cli.exitCode() : -1, QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}
