// inetspooler: prints a bill print file. Started by the program on sch.prn or rpt.prn; sends the
// pages to a dot-matrix printer's CUPS queue as raw ESC/P bytes, or draws them into a PDF for a
// laser printer and for preview. Which one is the deployment's choice.
//
// Usage: inetspooler [--page-lines N] [--] PRINTFILE
// The program gives the layout's page length; without it, rpt.prn has pages of 72 lines and any
// other file pages of 48.

#include "app/startup.h"
#include "common/deployment.h"
#include "spooler/escp.h"
#include "spooler/pdfpages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "inetspooler: %s\n", qPrintable(message));
    return 1;
}

struct Job
{
    QString path;
    int pageLines = 0;
};

// A tax invoice page is 48 lines; a DAVP bill copy 72.
int pageLinesOf(const QString &path) { return QFileInfo(path).fileName() == u"rpt.prn"_s ? 72 : 48; }

// The command line as the process got it. Qt is never shown it, so a print file called
// "-reverse" or "-platform" stays a print file.
std::optional<Job> readCommandLine(int argc, char *argv[])
{
    Job job;
    bool options = true;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (options && arg == u"--"_s) {
            options = false;
        } else if (options && arg == u"--page-lines"_s && i + 1 < argc) {
            bool number = false;
            job.pageLines = QString::fromLocal8Bit(argv[++i]).toInt(&number);
            if (!number || job.pageLines <= 0)
                return std::nullopt;
        } else if (options && arg.startsWith(u'-')) {
            return std::nullopt;
        } else {
            files.append(arg);
        }
    }
    if (files.size() != 1)
        return std::nullopt;
    // The print file's name may arrive with the blank that ends the classic command line.
    job.path = files.first();
    if (!QFileInfo::exists(job.path) && QFileInfo::exists(job.path.trimmed()))
        job.path = job.path.trimmed();
    if (job.pageLines == 0)
        job.pageLines = pageLinesOf(job.path);
    return job;
}

int sendToQueue(const QByteArray &content, const Job &job, const Deployment &deployment)
{
    if (deployment.spoolerQueue.isEmpty())
        return fail(u"no printer queue configured (Spooler/Queue)"_s);
    QProcess lp;
    lp.start(deployment.spoolerCommand,
             {u"-d"_s, deployment.spoolerQueue, u"-o"_s, u"raw"_s, u"-t"_s, QFileInfo(job.path).fileName()});
    if (!lp.waitForStarted())
        return fail(deployment.spoolerCommand + u": "_s + lp.errorString());
    lp.write(escpJob(content, job.pageLines));
    lp.closeWriteChannel();
    if (!lp.waitForFinished(120000) || lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0)
        return fail(deployment.spoolerCommand + u" failed: "_s
                    + QString::fromLocal8Bit(lp.readAllStandardError()).trimmed());
    return 0;
}

int drawToPdf(const QByteArray &content, const Job &job, const Deployment &deployment)
{
    const QString pdfPath = deployment.spoolerPdfPath(job.path);
    const QString folder = QFileInfo(pdfPath).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return fail(u"cannot create the output folder "_s + folder);
    if (const std::optional<QString> failure = writePdfPages(content, job.pageLines, pdfPath))
        return fail(*failure);
    if (deployment.spoolerPreview && !QDesktopServices::openUrl(QUrl::fromLocalFile(pdfPath)))
        return fail(u"cannot open "_s + pdfPath + u" for preview"_s);
    return 0;
}

const char Help[] = "usage: inetspooler PRINTFILE\n"
                    "\n"
                    "Prints a bill print file of the advertisement billing desk: tax invoices (pages of 48 lines)\n"
                    "or DAVP bills (rpt.prn, pages of 72 lines). The deployment file's Spooler section chooses how:\n"
                    "\n"
                    "  Mode=pdf     draw the pages into PRINTFILE's name with .pdf, in OutputFolder (default: the\n"
                    "               print file's folder); Preview=true opens it in the desktop's viewer\n"
                    "  Mode=cups    send the pages as raw ESC/P to the CUPS queue Queue, through Command (lp)\n"
                    "\n"
                    "Environment:\n"
                    "  SELVORO_DEPLOYMENT  the deployment file (default: selvoro.ini beside the program, else the\n"
                    "                      system-wide one)\n"
                    "\n"
                    "Exit status:\n"
                    "  0  printed, or nothing to print\n"
                    "  1  the file could not be read or printed; the reason is on standard error\n";

}  // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Help, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("inetspooler %s\n", qPrintable(QString::fromUtf16(AppVersion)));
        return 0;
    }
    // Without a desktop the PDF is still drawn; only the preview needs one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const std::optional<Job> job = readCommandLine(argc, argv);
    if (!job)
        return fail(u"usage: inetspooler [--page-lines N] [--] PRINTFILE"_s);
    QFile file(job->path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(job->path + u": "_s + file.errorString());
    const QByteArray content = file.readAll();
    // A file that cannot be read is not an empty print.
    if (file.error() != QFileDevice::NoError)
        return fail(job->path + u": "_s + file.errorString());
    if (content.isEmpty())
        return 0;  // no bills: nothing to print
    const Deployment deployment = Deployment::load();
    if (!deployment.problems.isEmpty())
        return fail(deployment.problems.join(u"\ninetspooler: "_s));
    if (deployment.spoolerMode == u"cups"_s)
        return sendToQueue(content, *job, deployment);
    if (deployment.spoolerMode == u"pdf"_s)
        return drawToPdf(content, *job, deployment);
    return fail(u"unknown spooler mode \""_s + deployment.spoolerMode + u"\" (Spooler/Mode: pdf or cups)"_s);
}
