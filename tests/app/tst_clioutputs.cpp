// What the headless bill commands do to the files they are told to write: only a run that ends
// well writes them, all together; a device, a FIFO or a link is written through, never replaced;
// a file that cannot be written has its own exit status; the spooler gets the layout's page
// length and a path it cannot take for an option, and its failure is the run's.
#include "clirun.h"
#include "common/db.h"
#include "common/messages.h"
#include "testdb.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

class tst_CliOutputs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void runThatStopsLeavesEveryOutputAsItWas_data();
    void runThatStopsLeavesEveryOutputAsItWas();
    void unwritableOutputHasItsOwnStatus();
    void devicesFifosAndLinksAreWrittenThrough();
    void spoolerGetsTheLayoutAndAnAbsolutePath();
    void spoolerFailureIsTheRunsFailure();

private:
    CliRun run(const QStringList &args, const QByteArray &deployment = {});
    QStringList bills(const QStringList &extra) const;

    QTemporaryDir m_dir;
};

void tst_CliOutputs::initTestCase() { REQUIRE_TEST_DB(); }

void tst_CliOutputs::init()
{
    TestDb::reset(
        {TestDb::file(u"tests/golden/base.sql"_s), TestDb::file(u"tests/golden/gst-range-print/fixture.sql"_s)});
}

// The headless command in the test folder as its working folder, on a workstation of unit KOC
// with the given further deployment lines.
CliRun tst_CliOutputs::run(const QStringList &args, const QByteArray &deployment)
{
    const QString ini = m_dir.filePath(u"selvoro.ini"_s);
    if (!writeAll(ini, "[Workstation]\nDefaultUnit=KOC\n" + deployment))
        qWarning("cannot write %s", qPrintable(ini));
    return runCli(args, {.home = m_dir.path(), .deployment = ini, .folder = m_dir.path()});
}

// A bills run of clerk on the test server, over the two days of the fixture unless `extra` names
// its own dates.
QStringList tst_CliOutputs::bills(const QStringList &extra) const
{
    QStringList args{
        u"bills"_s,  u"--server"_s, u"127.0.0.1"_s, u"--port"_s, QString::number(TestDb::deployment().port),
        u"--user"_s, u"clerk"_s};
    if (!extra.contains(u"--from"_s))
        args += {u"--from"_s, u"2026-01-05"_s};
    if (!extra.contains(u"--to"_s))
        args += {u"--to"_s, u"2026-01-06"_s};
    return args + extra;
}

void tst_CliOutputs::runThatStopsLeavesEveryOutputAsItWas_data()
{
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<QByteArray>("deployment");
    QTest::addColumn<bool>("lockSchedules");
    QTest::addColumn<int>("status");
    QTest::newRow("dates-reversed") << QStringList{u"--from"_s, u"2026-01-07"_s, u"--to"_s, u"2026-01-06"_s}
                                    << QByteArray() << false << 1;
    QTest::newRow("group-not-a-list") << QStringList{u"--group"_s, u"AG' or '1'='1"_s} << QByteArray() << false << 1;
    QTest::newRow("split-total-not-a-number")
        << QStringList{u"--split"_s, u"--split-client"_s, u"X"_s, u"--split-add1"_s,  u"a"_s,   u"--split-add2"_s,
                       u"b"_s,       u"--split-add3"_s,   u"c"_s, u"--split-total"_s, u"many"_s}
        << QByteArray() << false << 1;
    QTest::newRow("unit-not-permitted") << QStringList{u"--unit"_s, u"TVM"_s} << QByteArray() << false << 2;
    // The server stops answering: the statement time-out ends the run, nothing is written.
    QTest::newRow("server-silent") << QStringList() << QByteArray("[Database]\nStatementTimeout=2\n") << true << 3;
}

void tst_CliOutputs::runThatStopsLeavesEveryOutputAsItWas()
{
    QFETCH(QStringList, change);
    QFETCH(QByteArray, deployment);
    QFETCH(bool, lockSchedules);
    QFETCH(int, status);
    TestDb::run(
        u"USE selvoro; INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt) VALUES ('TVM', 'Tvm', 0);"_s);
    const QString csv = m_dir.filePath(u"k.csv"_s);
    const QString prn = m_dir.filePath(u"k.prn"_s);
    const QString xls = m_dir.filePath(u"k.xls"_s);
    QCOMPARE(run(bills({u"--csv"_s, csv, u"--prn"_s, prn})).status, 0);
    const QByteArray csvBefore = readAll(csv);
    const QByteArray prnBefore = readAll(prn);
    QVERIFY(csvBefore.contains("KB/00001"));
    QVERIFY(prnBefore.contains("KB/00001"));

    Db holder(u"holder"_s);
    if (lockSchedules) {
        TestDb::open(holder);
        holder.exec(u"Lock Tables advt_schedule Write"_s);
    }
    const CliRun stopped =
        run(bills(QStringList{u"--csv"_s, csv, u"--prn"_s, prn, u"--xls"_s, xls} + change), deployment);
    QCOMPARE(stopped.status, status);
    QCOMPARE(readAll(csv), csvBefore);
    QCOMPARE(readAll(prn), prnBefore);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{u"k.csv"_s, u"k.prn"_s, u"selvoro.ini"_s}));
}

void tst_CliOutputs::unwritableOutputHasItsOwnStatus()
{
    // One output cannot be written: the others are not written either.
    CliRun result =
        run(bills({u"--xls"_s, m_dir.filePath(u"a.xls"_s), u"--csv"_s, m_dir.filePath(u"no/such/a.csv"_s)}));
    QCOMPARE(result.status, 6);
    QVERIFY2(result.err.contains(u"selvoro-cli bills: cannot write "_s + m_dir.filePath(u"no/such/a.csv"_s) + u": "_s),
             qPrintable(result.err));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"a.xls"_s)));

    // A disk that is full (reached through a link of the test's own, so that a program that
    // replaced what it writes could never touch the system's device).
    const QString full = m_dir.filePath(u"full"_s);
    QVERIFY(QFile::link(u"/dev/full"_s, full));
    result = run(bills({u"--csv"_s, full}));
    QCOMPARE(result.status, 6);
    QVERIFY2(result.err.endsWith(u"selvoro-cli bills: cannot write "_s + full + u": the disk is full\n"_s),
             qPrintable(result.err));
    QVERIFY(QFileInfo(full).isSymLink());

    result = run(bills({u"--prn"_s, m_dir.path()}));
    QCOMPARE(result.status, 6);
    QVERIFY(result.err.contains(u"message: "_s + Msg::FileCannotBePrinted));
    QVERIFY(result.err.contains(u": it is a folder"_s));
}

void tst_CliOutputs::devicesFifosAndLinksAreWrittenThrough()
{
    // A FIFO gets the bytes and stays a FIFO.
    const QString fifo = m_dir.filePath(u"pipe"_s);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    CliRun result = run(bills({u"--csv"_s, fifo}));
    QCOMPARE(result.status, 0);
    QFile pipe;
    QVERIFY(pipe.open(reader, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    QVERIFY(pipe.readAll().contains("KB/00001"));
    QVERIFY(S_ISFIFO(fileMode(fifo)));

    // Standard output, through a link of the test's own to the system's name for it.
    const QString out = m_dir.filePath(u"stdout"_s);
    QVERIFY(QFile::link(u"/dev/stdout"_s, out));
    result = run(bills({u"--csv"_s, out}));
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains(u"KB/00001"_s));
    QVERIFY(QFileInfo(out).isSymLink());

    // Links are followed: the files they point to are written, the links stay.
    const QString csv = m_dir.filePath(u"real.csv"_s);
    const QString xls = m_dir.filePath(u"real.xls"_s);
    QVERIFY(writeAll(csv, "old"));
    QVERIFY(QFile::link(csv, m_dir.filePath(u"link.csv"_s)));
    QVERIFY(QFile::link(xls, m_dir.filePath(u"link.xls"_s)));
    result = run(bills({u"--csv"_s, m_dir.filePath(u"link.csv"_s), u"--xls"_s, m_dir.filePath(u"link.xls"_s)}));
    QCOMPARE(result.status, 0);
    QVERIFY(QFileInfo(m_dir.filePath(u"link.csv"_s)).isSymLink());
    QVERIFY(QFileInfo(m_dir.filePath(u"link.xls"_s)).isSymLink());
    QVERIFY(readAll(csv).contains("KB/00001"));
    QVERIFY(readAll(xls).startsWith("\xD0\xCF\x11\xE0"));
}

void tst_CliOutputs::spoolerGetsTheLayoutAndAnAbsolutePath()
{
    const QByteArray pdfFolder = "[Spooler]\nMode=pdf\nOutputFolder=" + m_dir.filePath(u"pdf"_s).toUtf8() + "\n";
    // A print file named like an option of the spooler's toolkit, relative to the working folder.
    CliRun result = run(bills({u"--prn"_s, u"./-reverse"_s, u"--spool"_s}), pdfFolder);
    QCOMPARE(result.status, 0);
    const int invoiceLines = int(readAll(m_dir.filePath(u"-reverse"_s)).count("\r\n"));
    QVERIFY(invoiceLines > 0);
    QCOMPARE(pdfPageCount(m_dir.filePath(u"pdf/-reverse.pdf"_s)), invoiceLines / 48);

    // DAVP bills keep their 72-line pages whatever the print file is called.
    TestDb::reset(
        {TestDb::file(u"tests/golden/base.sql"_s), TestDb::file(u"tests/golden/davp-range-print/fixture.sql"_s)});
    QStringList davp =
        bills({u"--from"_s, u"2026-02-02"_s, u"--to"_s, u"2026-02-03"_s, u"--prn"_s, u"davp.prn"_s, u"--spool"_s});
    davp[0] = u"davp-bills"_s;
    result = run(davp, pdfFolder);
    QCOMPARE(result.status, 0);
    const int davpLines = int(readAll(m_dir.filePath(u"davp.prn"_s)).count("\r\n"));
    QVERIFY(davpLines > 0);
    QCOMPARE(pdfPageCount(m_dir.filePath(u"pdf/davp.pdf"_s)), davpLines / 72);
}

void tst_CliOutputs::spoolerFailureIsTheRunsFailure()
{
    const CliRun result = run(bills({u"--prn"_s, m_dir.filePath(u"k.prn"_s), u"--spool"_s}), "[Spooler]\nMode=fax\n");
    QCOMPARE(result.status, 6);
    QVERIFY(result.err.contains(u"inetspooler: unknown spooler mode"_s));
    QVERIFY(result.err.endsWith(u"message: "_s + Msg::FileCannotBePrinted + u'\n'));
    // The print file itself was written.
    QVERIFY(readAll(m_dir.filePath(u"k.prn"_s)).contains("KB/00001"));
}

QTEST_GUILESS_MAIN(tst_CliOutputs)
#include "tst_clioutputs.moc"
