#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QTemporaryFile;

// A file that an output replaces only once it has all of it. The content goes first to a staging
// file; commit() puts it in place, discard() (or destruction without commit) throws it away and
// leaves the target as it was, and a process killed half-way leaves the target whole.
//
// What the target is decides how it is put in place:
// - a regular file, or none yet: the staging file sits beside it and takes its name in one
//   rename, with the old file's permissions (a new file gets the usual ones);
// - a symbolic link: followed, so the file it points to is the target; the link stays;
// - a device, a FIFO or a socket (/dev/null, /dev/stdout): never replaced, written to as the
//   content comes (there is no earlier content to keep);
// - a regular file in a folder where no staging file can be made beside it: staged elsewhere and
//   written into at commit;
// - a folder: refused.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Makes the staging file (or opens the device), open for writing. Returns the failure's
    // description.
    std::optional<QString> open();
    // Where the content goes. A writer that meets a failed write stops and asks failure().
    QFileDevice &device();
    // The same by name, for a writer that opens files by name (after open()).
    QString stagingPath() const;
    // The description of the latest failure of device(), naming the output.
    QString failure() const;

    // Puts the staged content in place. Returns the failure's description; the target then is as
    // it was (a written-through target may hold part of the content).
    std::optional<QString> commit();
    // Throws the staged content away.
    void discard();

    const QString &path() const { return m_path; }

private:
    enum class Mode { Rename, CopyIn, Direct };

    QString describe(QFileDevice::FileError error, const QString &reason) const;
    std::optional<QString> moveIntoPlace(const QString &staged);
    std::optional<QString> copyIn(const QString &staged);

    QString m_path;    // as given, for messages
    QString m_target;  // the file the content ends up in (links followed)
    Mode m_mode = Mode::Rename;
    std::unique_ptr<QTemporaryFile> m_staging;
    std::unique_ptr<QFile> m_direct;
};

// Writes the file at `path` whole through `write`, which fills the staged output and returns its
// failure's description; on a failure the file stays as it was. Returns the failure's description.
std::optional<QString> writeWholeFile(const QString &path,
                                      const std::function<std::optional<QString>(OutputFile &output)> &write);
