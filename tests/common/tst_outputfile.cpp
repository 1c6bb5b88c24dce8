#include "common/outputfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <future>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QString> write(const QString &path, const QByteArray &bytes)
{
    return writeWholeFile(path, [&bytes](OutputFile &output) -> std::optional<QString> {
        if (output.device().write(bytes) != bytes.size())
            return output.failure();
        return std::nullopt;
    });
}

}  // namespace

class tst_OutputFile : public QObject
{
    Q_OBJECT
private slots:
    void replacesARegularFileOnlyWhenCommitted();
    void keepsTheReplacedFilesPermissions();
    void followsSymbolicLinks();
    void writesThroughToDevicesAndFifos();
    void namesTheFileWhenTheDiskIsFull();
    void refusesAFolderAndAMissingFolder();
    void aSetIsPutInPlaceWholeOrNotAtAll();
};

void tst_OutputFile::replacesARegularFileOnlyWhenCommitted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bills.csv"_s);
    QVERIFY(writeAll(path, "old\n"));
    {
        OutputFile output(path);
        QCOMPARE(output.open(), std::nullopt);
        QCOMPARE(output.device().write("new\n"), 4);
        QVERIFY(output.device().flush());
        QCOMPARE(readAll(path), QByteArray("old\n"));  // nothing shows before the commit
        output.discard();
    }
    QCOMPARE(readAll(path), QByteArray("old\n"));
    {
        OutputFile output(path);
        QCOMPARE(output.open(), std::nullopt);
        output.device().write("dropped\n");  // destroyed without commit
    }
    QCOMPARE(readAll(path), QByteArray("old\n"));
    QCOMPARE(write(path, "new\n"), std::nullopt);
    QCOMPARE(readAll(path), QByteArray("new\n"));
    QCOMPARE(write(dir.filePath(u"fresh.csv"_s), "fresh\n"), std::nullopt);
    QCOMPARE(readAll(dir.filePath(u"fresh.csv"_s)), QByteArray("fresh\n"));
    // No staging file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{u"bills.csv"_s, u"fresh.csv"_s}));
}

void tst_OutputFile::keepsTheReplacedFilesPermissions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"shared.xls"_s);
    QVERIFY(writeAll(path, "old"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0664) == 0);
    QCOMPARE(write(path, "new"), std::nullopt);
    QCOMPARE(fileMode(path) & 07777, mode_t(0664));
    // A new file gets the usual permissions, not those of a private temporary file.
    const mode_t mask = ::umask(022);
    QCOMPARE(write(dir.filePath(u"new.xls"_s), "new"), std::nullopt);
    ::umask(mask);
    QCOMPARE(fileMode(dir.filePath(u"new.xls"_s)) & 07777, mode_t(0644));
}

void tst_OutputFile::followsSymbolicLinks()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"real.csv"_s);
    const QString link = dir.filePath(u"link.csv"_s);
    QVERIFY(writeAll(target, "old"));
    QVERIFY(QFile::link(target, link));
    QCOMPARE(write(link, "new"), std::nullopt);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readAll(target), QByteArray("new"));
    // A link to a file not there yet makes that file.
    const QString dangling = dir.filePath(u"later.csv"_s);
    QVERIFY(QFile::link(dir.filePath(u"made.csv"_s), dangling));
    QCOMPARE(write(dangling, "made"), std::nullopt);
    QVERIFY(QFileInfo(dangling).isSymLink());
    QCOMPARE(readAll(dir.filePath(u"made.csv"_s)), QByteArray("made"));
}

// The system's devices are reached through links of the test's own: a regression that replaced
// what it writes would replace the link, never the device.
void tst_OutputFile::writesThroughToDevicesAndFifos()
{
    QTemporaryDir dir;
    const QString null = dir.filePath(u"null"_s);
    QVERIFY(QFile::link(u"/dev/null"_s, null));
    QCOMPARE(write(null, "nothing"), std::nullopt);
    QVERIFY(QFileInfo(null).isSymLink());
    QVERIFY(S_ISCHR(fileMode(u"/dev/null"_s)));

    const QString fifo = dir.filePath(u"pipe"_s);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    std::future<QByteArray> reader = std::async(std::launch::async, [&fifo] { return readAll(fifo); });
    QCOMPARE(write(fifo, "through the pipe"), std::nullopt);
    QCOMPARE(reader.get(), QByteArray("through the pipe"));
    QVERIFY(S_ISFIFO(fileMode(fifo)));

    // A link the system resolves itself, as /dev/stdout is: to a pipe of this process.
    int ends[2];
    QVERIFY(::pipe(ends) == 0);
    const QString link = dir.filePath(u"stdout"_s);
    QVERIFY(QFile::link(u"/proc/self/fd/%1"_s.arg(ends[1]), link));
    QCOMPARE(write(link, "to the reader"), std::nullopt);
    ::close(ends[1]);
    QFile reading;
    QVERIFY(reading.open(ends[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    QCOMPARE(reading.readAll(), QByteArray("to the reader"));
    QVERIFY(QFileInfo(link).isSymLink());
}

void tst_OutputFile::namesTheFileWhenTheDiskIsFull()
{
    QTemporaryDir dir;
    const QString full = dir.filePath(u"full"_s);
    QVERIFY(QFile::link(u"/dev/full"_s, full));
    QCOMPARE(write(full, QByteArray(100000, 'x')),
             std::optional<QString>(u"cannot write "_s + full + u": the disk is full"_s));
    QCOMPARE(write(full, "small"), std::optional<QString>(u"cannot write "_s + full + u": the disk is full"_s));
    QVERIFY(QFileInfo(full).isSymLink());
}

void tst_OutputFile::refusesAFolderAndAMissingFolder()
{
    QTemporaryDir dir;
    QCOMPARE(write(dir.path(), "x"), std::optional<QString>(u"cannot write "_s + dir.path() + u": it is a folder"_s));
    const QString missing = dir.filePath(u"no/such.csv"_s);
    const std::optional<QString> failure = write(missing, "x");
    QVERIFY(failure.has_value());
    QVERIFY2(failure->startsWith(u"cannot write "_s + missing + u": "_s), qPrintable(*failure));
}

void tst_OutputFile::aSetIsPutInPlaceWholeOrNotAtAll()
{
    // Two outputs of one run: a file beside which a staging file can be made, and one in a folder
    // the user may not write to, which is written into in place. The second has no room for its
    // new content (a size limit stands for the full disk): neither changes.
    QTemporaryDir dir;
    const QString open = dir.filePath(u"open"_s);
    const QString shut = dir.filePath(u"shut"_s);
    QVERIFY(QDir().mkdir(open) && QDir().mkdir(shut));
    const QString csv = open + u"/bills.csv"_s;
    const QString prn = shut + u"/sch.prn"_s;
    QVERIFY(writeAll(csv, "old csv\n") && writeAll(prn, "old print file\n"));
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(open).constData(), 0777) == 0
            && ::chmod(QFile::encodeName(csv).constData(), 0666) == 0
            && ::chmod(QFile::encodeName(prn).constData(), 0666) == 0
            && ::chmod(QFile::encodeName(shut).constData(), 0555) == 0);
    const QByteArray content(64 * 1024, 'x');

    // The run is a child process: as the superuser it takes another user, whom the folder's
    // permissions bind, and only it is held to the size limit.
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            if (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(10);
        }
        const auto commit = [&] {
            OutputSet outputs;
            const auto bytes = [&content](OutputFile &output) { return writeBytes(output, content); };
            if (outputs.stage(csv, bytes) || outputs.stage(prn, bytes))
                return 11;
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(content.size() / 2), rlim_t(content.size() / 2)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const std::optional<QString> failure = outputs.commit();
            return failure && failure->startsWith(u"cannot write "_s + prn + u": "_s) ? 0 : 12;
        };
        ::_exit(commit());
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    ::chmod(QFile::encodeName(shut).constData(), 0755);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readAll(prn), QByteArray("old print file\n"));
    QCOMPARE(readAll(csv), QByteArray("old csv\n"));
    QCOMPARE(QDir(open).entryList(QDir::Files | QDir::Hidden), QStringList{u"bills.csv"_s});

    // With room for it, the same set is put in place, the second file written into.
    OutputSet outputs;
    const auto bytes = [&content](OutputFile &output) { return writeBytes(output, content); };
    QCOMPARE(outputs.stage(csv, bytes), std::nullopt);
    QCOMPARE(outputs.stage(prn, bytes), std::nullopt);
    QCOMPARE(outputs.commit(), std::nullopt);
    QCOMPARE(readAll(prn), content);
    QCOMPARE(readAll(csv), content);
}

QTEST_GUILESS_MAIN(tst_OutputFile)
#include "tst_outputfile.moc"
