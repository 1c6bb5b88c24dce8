#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#include <sys/types.h>

// Whole files for tests: the bytes of a file ("<missing>" when it cannot be read), and a file
// written with the given bytes (false when it cannot be).
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);
// A shell script its owner may run.
bool writeScript(const QString &path, const QByteArray &script);
// A spooler in `folder` that notes the arguments it was started with in spooled.txt beside itself.
bool installStubSpooler(const QString &folder);

// The pages of a PDF file (none when it cannot be read).
int pdfPageCount(const QString &path);
// The type and permissions of the file itself (of a link, not of what it points to).
mode_t fileMode(const QString &path);

// A program run to its end: its exit code (-1 when it crashed or had not ended after two minutes)
// and what it printed on each output.
struct ProgramRun
{
    int exitCode = -1;
    QString output;
    QByteArray errors;
};
// None when the program is not installed.
std::optional<ProgramRun> runProgram(const QString &program, const QStringList &arguments);
// What a program prints; nothing when it is not installed, fails or has not ended after two minutes.
std::optional<QString> programOutput(const QString &program, const QStringList &arguments);
