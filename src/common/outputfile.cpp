#include "common/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The path a file not there yet will have: a symbolic link to nothing is followed to the path it
// names.
QString followLinks(const QString &path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

std::optional<struct stat> statOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return status;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

OutputFile::OutputFile(const QString &path) : m_path(path) {}

OutputFile::~OutputFile() { discard(); }

QString OutputFile::describe(QFileDevice::FileError error, const QString &reason) const
{
    // A write refused for lack of space is the one failure a user can mend at once.
    const QString text = error == QFileDevice::ResourceError ? u"the disk is full"_s : reason;
    return u"cannot write "_s + m_path + u": "_s + text;
}

std::optional<QString> OutputFile::open()
{
    discard();
    // What the path ends at, links followed by the system itself (/dev/stdout ends at a pipe).
    const std::optional<struct stat> existing = statOf(m_path);
    if (existing && S_ISDIR(existing->st_mode))
        return describe(QFileDevice::OpenError, u"it is a folder"_s);
    if (existing && !S_ISREG(existing->st_mode)) {
        m_mode = Mode::Direct;
        m_target = m_path;
        m_direct = std::make_unique<QFile>(m_path);
        if (!m_direct->open(QIODevice::WriteOnly))
            return describe(m_direct->error(), m_direct->errorString());
        return std::nullopt;
    }
    m_mode = Mode::Rename;
    m_target = existing ? QFileInfo(m_path).canonicalFilePath() : followLinks(m_path);
    const QFileInfo target(m_target);
    m_staging = std::make_unique<QTemporaryFile>(target.absoluteDir().filePath(u".%1.XXXXXX"_s.arg(target.fileName())));
    if (m_staging->open())
        return std::nullopt;
    // No room for a second file beside an existing one (a folder we may not write to): the
    // content goes into the file itself at commit.
    if (!existing || ::access(QFile::encodeName(m_target).constData(), W_OK) != 0)
        return describe(m_staging->error(), m_staging->errorString());
    m_mode = Mode::CopyIn;
    m_staging = std::make_unique<QTemporaryFile>();
    if (!m_staging->open())
        return describe(m_staging->error(), u"no temporary file: "_s + m_staging->errorString());
    return std::nullopt;
}

QFileDevice &OutputFile::device()
{
    if (m_direct)
        return *m_direct;
    return *m_staging;
}

QString OutputFile::stagingPath() const
{
    if (m_direct)
        return m_path;
    return m_staging ? m_staging->fileName() : QString();
}

QString OutputFile::failure() const
{
    const QFileDevice *file = m_direct ? static_cast<const QFileDevice *>(m_direct.get()) : m_staging.get();
    return file ? describe(file->error(), file->errorString()) : describe(QFileDevice::OpenError, {});
}

std::optional<QString> OutputFile::commit()
{
    if (std::optional<QString> failure = prepare())
        return failure;
    return publish();
}

std::optional<QString> OutputFile::prepare()
{
    if (!m_staging && !m_direct)
        return failure();
    if (device().error() != QFileDevice::NoError || !device().flush())
        return failure();
    if (m_direct)
        return std::nullopt;  // all of it is there already
    // The staging file may have no name yet (a killed process then leaves nothing behind); asking
    // for it gives it one. From here on it is used by name, as a writer that opens files by name
    // may have put a new file there.
    m_staged = m_staging->fileName();
    m_staging->close();
    std::optional<QString> problem = m_mode == Mode::Rename ? prepareRename() : prepareCopyIn();
    if (problem)
        discard();
    return problem;
}

std::optional<QString> OutputFile::publish()
{
    if (m_direct) {
        discard();  // closes the device
        return std::nullopt;
    }
    if (m_staged.isEmpty())
        return failure();
    std::optional<QString> problem;
    if (m_mode == Mode::CopyIn) {
        problem = copyIn();
    } else if (::rename(QFile::encodeName(m_staged).constData(), QFile::encodeName(m_target).constData()) != 0) {
        problem = describe(QFileDevice::RenameError, systemError(errno));
    } else {
        m_staging->setAutoRemove(false);
    }
    discard();
    return problem;
}

std::optional<QString> OutputFile::prepareRename()
{
    const QByteArray stagedName = QFile::encodeName(m_staged);
    const int handle = ::open(stagedName.constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return describe(QFileDevice::OpenError, systemError(errno));
    if (const std::optional<struct stat> existing = statOf(m_target)) {
        ::fchmod(handle, existing->st_mode & 07777);
        // Only the superuser may give the file back to its owner; anyone else replaces it as their own.
        if (::geteuid() == 0)
            std::ignore = ::fchown(handle, existing->st_uid, existing->st_gid);
    } else {
        ::fchmod(handle, newFileMode());
    }
    const int synced = ::fsync(handle);
    const int error = errno;
    ::close(handle);
    if (synced != 0)
        return describe(error == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError, systemError(error));
    return std::nullopt;
}

std::optional<QString> OutputFile::prepareCopyIn()
{
    const std::optional<struct stat> staged = statOf(m_staged);
    if (!staged)
        return describe(QFileDevice::OpenError, systemError(errno));
    // The file is written into in place: the room for all of the new content is set aside first,
    // so a full disk is met here, with the old content still whole.
    m_targetHandle = ::open(QFile::encodeName(m_target).constData(), O_WRONLY | O_CLOEXEC);
    if (m_targetHandle < 0)
        return describe(QFileDevice::OpenError, systemError(errno));
    if (staged->st_size > 0) {
        if (const int error = ::posix_fallocate(m_targetHandle, 0, staged->st_size); error != 0)
            return describe(error == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError, systemError(error));
    }
    return std::nullopt;
}

std::optional<QString> OutputFile::copyIn()
{
    QFile content(m_staged);
    if (!content.open(QIODevice::ReadOnly))
        return describe(content.error(), content.errorString());
    QFile target;
    if (!target.open(m_targetHandle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return describe(target.error(), target.errorString());
    constexpr qint64 Chunk = 1 << 20;
    while (!content.atEnd()) {
        const QByteArray bytes = content.read(Chunk);
        if (bytes.isEmpty() && content.error() != QFileDevice::NoError)
            return describe(content.error(), content.errorString());
        if (target.write(bytes) != bytes.size())
            return describe(target.error(), target.errorString());
    }
    target.close();
    if (::ftruncate(m_targetHandle, content.size()) != 0 || ::fsync(m_targetHandle) != 0)
        return describe(errno == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError, systemError(errno));
    return std::nullopt;
}

void OutputFile::discard()
{
    m_staging.reset();
    m_direct.reset();
    m_staged.clear();
    if (m_targetHandle >= 0)
        ::close(m_targetHandle);
    m_targetHandle = -1;
}

std::optional<QString> writeBytes(OutputFile &output, const QByteArray &bytes)
{
    if (output.device().write(bytes) != bytes.size())
        return output.failure();
    return std::nullopt;
}

std::optional<QString> writeWholeFile(const QString &path,
                                      const std::function<std::optional<QString>(OutputFile &output)> &write)
{
    OutputFile output(path);
    if (std::optional<QString> failure = output.open())
        return failure;
    if (std::optional<QString> failure = write(output))
        return failure;
    return output.commit();
}

std::optional<QString> OutputSet::stage(const QString &path,
                                        const std::function<std::optional<QString>(OutputFile &output)> &write)
{
    auto output = std::make_unique<OutputFile>(path);
    std::optional<QString> failure = output->open();
    if (!failure)
        failure = write(*output);
    if (!failure)
        m_outputs.push_back(std::move(output));
    return failure;
}

std::optional<QString> OutputSet::commit()
{
    for (const std::unique_ptr<OutputFile> &output : m_outputs)
        if (std::optional<QString> failure = output->prepare())
            return failure;
    for (const std::unique_ptr<OutputFile> &output : m_outputs)
        if (std::optional<QString> failure = output->publish())
            return failure;
    return std::nullopt;
}
