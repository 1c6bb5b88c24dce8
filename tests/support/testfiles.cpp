#include "testfiles.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool writeScript(const QString &path, const QByteArray &script)
{
    return writeAll(path, script) && QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

bool installStubSpooler(const QString &folder)
{
    return writeScript(folder + u"/inetspooler"_s,
                       "#!/bin/sh\nprintf '%s' \"$*\" > \"$(dirname \"$0\")/spooled.tmp\"\n"
                       "mv \"$(dirname \"$0\")/spooled.tmp\" \"$(dirname \"$0\")/spooled.txt\"\n");
}

int pdfPageCount(const QString &path)
{
    static const QRegularExpression Page(u"/Type\\s*/Page(?!s)"_s);
    return int(QString::fromLatin1(readAll(path)).count(Page));
}

mode_t fileMode(const QString &path)
{
    struct stat status = {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode;
}

std::optional<ProgramRun> runProgram(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return ProgramRun{ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                      process.readAllStandardError()};
}

std::optional<QString> programOutput(const QString &program, const QStringList &arguments)
{
    const std::optional<ProgramRun> run = runProgram(program, arguments);
    if (!run || run->exitCode != 0)
        return std::nullopt;
    return run->output;
}
