#include "spooler/escp.h"
#include "spooler/pdfpages.h"
#include "spooler/printmarkup.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray escp(const char *text) { return QByteArray(text).replace("<ESC>", "\x1b"); }

QByteArray lines(int count, const QByteArray &text = "x")
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += text + "\r\n";
    return bytes;
}

struct SpoolerRun
{
    int exitCode = -1;
    QByteArray errors;
};

// The real inetspooler, in `dir` as its working folder, with a deployment file of the given
// spooler section.
void startSpooler(QProcess &spooler, const QTemporaryDir &dir, const QStringList &arguments,
                  const QByteArray &spoolerSection)
{
    const QString ini = dir.filePath(u"selvoro.ini"_s);
    QVERIFY(writeAll(ini, "[Spooler]\n" + spoolerSection));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"SELVORO_DEPLOYMENT"_s, ini);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    spooler.setProcessEnvironment(environment);
    spooler.setWorkingDirectory(dir.path());
    spooler.start(QStringLiteral(INETSPOOLER_PATH), arguments);
}

SpoolerRun runSpooler(const QTemporaryDir &dir, const QStringList &arguments, const QByteArray &spoolerSection)
{
    QProcess spooler;
    startSpooler(spooler, dir, arguments, spoolerSection);
    spooler.waitForFinished(60000);
    return {spooler.exitStatus() == QProcess::NormalExit ? spooler.exitCode() : -1, spooler.readAllStandardError()};
}

SpoolerRun runSpooler(const QTemporaryDir &dir, const QString &printFile, const QByteArray &spoolerSection)
{
    return runSpooler(dir, QStringList{printFile}, spoolerSection);
}

// True once the process has a file of `folder` other than `except` open for writing.
bool writesInto(qint64 pid, const QString &folder, const QString &except)
{
    const QDir descriptors(u"/proc/%1/fd"_s.arg(pid));
    for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::Files | QDir::System)) {
        const QString target = descriptor.symLinkTarget();
        if (target.startsWith(folder + u'/') && target != except)
            return true;
    }
    return false;
}

}  // namespace

class tst_Spooler : public QObject
{
    Q_OBJECT
private slots:
    void cutsLinesIntoAttributeRuns();
    void turnsMarkersIntoEscpCodes();
    void drawsPagesOfTheLayoutsLineCount();
    void printsThroughTheConfiguredQueue();
    void writesThePdfOfAPrintFile();
    void pageLengthComesFromTheCommandLine();
    void printFileNamedLikeAnOption();
    void earlierPdfStaysUntilTheNewOneIsWhole();
    void reportsItsOwnFailures();
};

void tst_Spooler::cutsLinesIntoAttributeRuns()
{
    const QList<PrintRun> runs = parsePrintLine(u"ab\\D\\Ecd\\d\\eef\\X\\C"_s);
    QCOMPARE(runs.size(), 3);
    QCOMPARE(runs[0].text, u"ab"_s);
    QCOMPARE(runs[1].column, 2);
    QCOMPARE(runs[1].text, u"cd"_s);
    QVERIFY(runs[1].attributes.has(Attribute::DoubleStrike) && runs[1].attributes.has(Attribute::Emphasized));
    QVERIFY(!runs[1].attributes.has(Attribute::Condensed));
    // Only the six marker letters are markers; "\X" is text. Markers take no position.
    QCOMPARE(runs[2].column, 4);
    QCOMPARE(runs[2].text, u"ef\\X"_s);
    QCOMPARE(runs[2].attributes, Attributes());
    // The format has no escape: text that happens to hold a marker switches the attribute on.
    const QList<PrintRun> address = parsePrintLine(u"Road\\Cross"_s);
    QCOMPARE(address.size(), 2);
    QCOMPARE(address[1].text, u"ross"_s);
    QVERIFY(address[1].attributes.has(Attribute::Condensed));
    QCOMPARE(printFileLines("a\r\n\r\nb\r\n"), (QList<QByteArray>{"a", "", "b"}));
}

void tst_Spooler::turnsMarkersIntoEscpCodes()
{
    const QByteArray file = "ab\\D\\Ecd\\d\\e   \r\n\r\nx\\C\\E \xe9y\r\n";
    // Reset, 6 lpi, 10 cpi, a page of 48 (the character "0") or 72 ("H") lines; trailing blanks
    // dropped; attributes closed at the line end; é in the printer's PC437 table.
    const QByteArray expected = escp("<ESC>@<ESC>2<ESC>P<ESC>O<ESC>C0"
                                     "ab<ESC>G<ESC>Ecd<ESC>H<ESC>F\r\n"
                                     "\r\n"
                                     "x\x0f<ESC>E \x82y<ESC>F\x12\r\n");
    QCOMPARE(escpJob(file, 48), expected);
    QCOMPARE(escpJob("", 72), escp("<ESC>@<ESC>2<ESC>P<ESC>O<ESC>CH"));
}

void tst_Spooler::drawsPagesOfTheLayoutsLineCount()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"out.pdf"_s);
    QCOMPARE(writePdfPages(lines(100, "\\D\\E 12.00\\d\\e \\C condensed\\c"), 48, pdf), std::nullopt);
    QCOMPARE(pdfPageCount(pdf), 3);
    QCOMPARE(writePdfPages(lines(144), 72, pdf), std::nullopt);
    QCOMPARE(pdfPageCount(pdf), 2);
    QVERIFY(writePdfPages(lines(1), 48, dir.filePath(u"missing/out.pdf"_s)).has_value());
}

void tst_Spooler::printsThroughTheConfiguredQueue()
{
    QTemporaryDir dir;
    const QString stub = dir.filePath(u"lp-stub"_s);
    QVERIFY(writeScript(
        stub, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/lp-args\"\ncat > \"$(dirname \"$0\")/lp-job\"\n"));
    const QByteArray content = lines(96, "A \\D\\E1.00\\d\\e");
    const QString prn = dir.filePath(u"sch.prn"_s);
    QVERIFY(writeAll(prn, content));
    const SpoolerRun run = runSpooler(dir, prn, "Mode=cups\nQueue=forms\nCommand=" + stub.toUtf8() + "\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(dir.filePath(u"lp-args"_s)), QByteArray("-d forms -o raw -t sch.prn\n"));
    QCOMPARE(readAll(dir.filePath(u"lp-job"_s)), escpJob(content, 48));
}

void tst_Spooler::writesThePdfOfAPrintFile()
{
    QTemporaryDir dir;
    const QString prn = dir.filePath(u"rpt.prn"_s);
    QVERIFY(writeAll(prn, lines(432, "\\E\\DSELVORO\\e\\d")));
    const SpoolerRun run = runSpooler(dir, prn, "Mode=pdf\nOutputFolder=" + dir.filePath(u"pdf"_s).toUtf8() + "\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"pdf/rpt.pdf"_s)), 6);  // DAVP copies are 72 lines
}

// The program says which layout a print file holds; the name only decides when it does not.
void tst_Spooler::pageLengthComesFromTheCommandLine()
{
    QTemporaryDir dir;
    const QByteArray pdfFolder = "Mode=pdf\nOutputFolder=" + dir.filePath(u"pdf"_s).toUtf8() + "\n";
    QVERIFY(writeAll(dir.filePath(u"davp.prn"_s), lines(144)));
    QCOMPARE(runSpooler(dir, {u"--page-lines"_s, u"72"_s, u"davp.prn"_s}, pdfFolder).exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"pdf/davp.pdf"_s)), 2);
    QVERIFY(writeAll(dir.filePath(u"rpt.prn"_s), lines(144)));
    QCOMPARE(runSpooler(dir, {u"--page-lines"_s, u"48"_s, u"--"_s, u"rpt.prn"_s}, pdfFolder).exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"pdf/rpt.pdf"_s)), 3);
    QCOMPARE(runSpooler(dir, u"davp.prn"_s, pdfFolder).exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"pdf/davp.pdf"_s)), 3);

    const SpoolerRun refused = runSpooler(dir, {u"--page-lines"_s, u"none"_s, u"davp.prn"_s}, pdfFolder);
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.errors.startsWith("inetspooler: usage:"));
}

// Qt takes "-reverse" for one of its own options when it is given the command line.
void tst_Spooler::printFileNamedLikeAnOption()
{
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath(u"-reverse"_s), lines(48)));
    QCOMPARE(runSpooler(dir, {u"--"_s, u"-reverse"_s}, "Mode=pdf\n").exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"-reverse.pdf"_s)), 1);
    QFile::remove(dir.filePath(u"-reverse.pdf"_s));
    QCOMPARE(runSpooler(dir, {dir.filePath(u"-reverse"_s)}, "Mode=pdf\n").exitCode, 0);
    QCOMPARE(pdfPageCount(dir.filePath(u"-reverse.pdf"_s)), 1);
    // Without the end of the options it is an option, and not one of the spooler's.
    QCOMPARE(runSpooler(dir, {u"-reverse"_s}, "Mode=pdf\n").exitCode, 1);
}

// The spooler is killed while it draws a long print: the PDF of the earlier print is still there,
// whole, and nothing half-drawn has taken its name.
void tst_Spooler::earlierPdfStaysUntilTheNewOneIsWhole()
{
    QTemporaryDir dir;
    const QString prn = dir.filePath(u"sch.prn"_s);
    const QString pdf = dir.filePath(u"sch.pdf"_s);
    QVERIFY(writeAll(prn, lines(96, "\\E\\DEARLIER\\e\\d")));
    QCOMPARE(runSpooler(dir, prn, "Mode=pdf\n").exitCode, 0);
    const QByteArray earlier = readAll(pdf);
    QCOMPARE(pdfPageCount(pdf), 2);

    QVERIFY(writeAll(prn, lines(48 * 4000, "\\E\\DLATER\\e\\d " + QByteArray(60, 'x'))));
    QProcess spooler;
    startSpooler(spooler, dir, {prn}, "Mode=pdf\n");
    QVERIFY(spooler.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(writesInto(spooler.processId(), dir.path(), prn), 20000);
    QTest::qWait(300);
    QCOMPARE(spooler.state(), QProcess::Running);
    spooler.kill();
    QVERIFY(spooler.waitForFinished());
    QCOMPARE(readAll(pdf), earlier);
    QCOMPARE(QDir(dir.path()).entryList({u"*.pdf"_s}, QDir::Files), QStringList{u"sch.pdf"_s});
}

void tst_Spooler::reportsItsOwnFailures()
{
    QTemporaryDir dir;
    const QString prn = dir.filePath(u"sch.prn"_s);
    SpoolerRun run = runSpooler(dir, dir.filePath(u"none.prn"_s), "Mode=pdf\n");
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.errors.contains("inetspooler: "));
    QVERIFY(writeAll(prn, lines(48)));
    run = runSpooler(dir, prn, "Mode=fax\n");
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.errors.contains("unknown spooler mode"));
    run = runSpooler(dir, prn, "Mode=cups\n");
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.errors.contains("no printer queue"));
    // A file that cannot be read is no empty print.
    run = runSpooler(dir, u"/proc/self/mem"_s, "Mode=pdf\n");
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.errors.startsWith("inetspooler: /proc/self/mem: "));
    run = runSpooler(dir, dir.path(), "Mode=pdf\n");
    QCOMPARE(run.exitCode, 1);
}

QTEST_MAIN(tst_Spooler)
#include "tst_spooler.moc"
