#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

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
//   written into at commit, once the room for all of it has been set aside in the file;
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

    // Puts the staged content in place: prepare(), then publish(). Returns the failure's
    // description; the target then is as it was (a written-through target may hold part of the
    // content).
    std::optional<QString> commit();
    // The part of commit() that can fail for want of room: the staged content is made durable, and
    // a file to be written into gets room for all of it. The target is still as it was.
    std::optional<QString> prepare();
    // Puts the prepared content in place.
    std::optional<QString> publish();
    // Throws the staged content away.
    void discard();

    const QString &path() const { return m_path; }

private:
    enum class Mode { Rename, CopyIn, Direct };

    QString describe(QFileDevice::FileError error, const QString &reason) const;
    std::optional<QString> prepareRename();
    std::optional<QString> prepareCopyIn();
    std::optional<QString> copyIn();

    QString m_path;    // as given, for messages
    QString m_target;  // the file the content ends up in (links followed)
    Mode m_mode = Mode::Rename;
    std::unique_ptr<QTemporaryFile> m_staging;
    std::unique_ptr<QFile> m_direct;
    QString m_staged;         // the staging file by name, once prepared
    int m_targetHandle = -1;  // copy-in: the target, open with its room set aside
};

// The outputs of one run: each is made whole in its staging file by stage(), and commit() puts
// them all in place, or none when any of them cannot be (a full disk among them).
class OutputSet
{
public:
    // Stages the file at `path` through `write`; the failure's description, or nothing.
    std::optional<QString> stage(const QString &path,
                                 const std::function<std::optional<QString>(OutputFile &output)> &write);
    // Prepares every staged file, then publishes them; the first failure's description, or nothing.
    std::optional<QString> commit();

private:
    std::vector<std::unique_ptr<OutputFile>> m_outputs;
};

// Writes `bytes` into the output; the failure's description, or nothing.
std::optional<QString> writeBytes(OutputFile &output, const QByteArray &bytes);

// Writes the file at `path` whole through `write`, which fills the staged output and returns its
// failure's description; on a failure the file stays as it was. Returns the failure's description.
std::optional<QString> writeWholeFile(const QString &path,
                                      const std::function<std::optional<QString>(OutputFile &output)> &write);
