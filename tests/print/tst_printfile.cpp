#include "billing/printfile.h"
#include "billing/windows1252.h"
#include "common/deployment.h"
#include "common/messages.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A spooler that notes the arguments it was started with beside itself.
bool writeTwoLines(PrintFile &file)
{
    file.writeLine(PrintLine().text(u"first"));
    file.writeLine(PrintLine().text(u"second"));
    return true;
}

}  // namespace

class tst_PrintFile : public QObject
{
    Q_OBJECT
private slots:
    void writesCrLfLinesInWindows1252();
    void encodesEachCharacterWhereverItStands();
    void laysOutFieldsAtFixedPositions();
    void truncatesAnOldFile();
    void reportsAFileThatCannotBeOpened();
    void amountsAndDatesFollowTheLineRules_data();
    void amountsAndDatesFollowTheLineRules();
    void handsTheClosedFileToTheSpooler();
    void missingSpoolerFailsAfterTheWholeFile();
    void spoolerGetsAnAbsolutePathPastItsOptions();
    void failingSpoolerFailsThePrintWhenWaitedFor();
    void stoppedPrintKeepsTheEarlierFileAndSpoolsNothing();
};

void tst_PrintFile::writesCrLfLinesInWindows1252()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sch.prn"_s);
    PrintFile file(path);
    QVERIFY(file.open());
    file.writeLine(PrintLine().text(u"Caf\u00e9 \u20ac5 \u03a9 \\D\\Ebold\\d\\e"));
    file.writeBlankLines(2);
    file.writeLine(PrintLine().text(u"line\r\nbreak\ttab"));
    QVERIFY(file.close());
    QCOMPARE(file.linesWritten(), 4);
    // é is one byte, € is 0x80, Ω is not in the code page; markers are plain characters; a
    // line break or tab inside a text becomes a blank so the page keeps its line count.
    QCOMPARE(readAll(path), QByteArray("Caf\xe9 \x80"
                                       "5 ? \\D\\Ebold\\d\\e\r\n\r\n\r\nline  break tab\r\n"));
}

void tst_PrintFile::encodesEachCharacterWhereverItStands()
{
    // Plain texts are copied several characters at a time: a character the code page changes
    // must be caught in any position of a text, first, inside a block of eight or in the rest.
    const std::pair<char16_t, char> cases[] = {{0x1F, ' '},          {0x20, ' '},   {0x7E, '~'},
                                               {0x7F, ' '},          {0x80, '?'},   {0xE9, char(0xE9)},
                                               {0x20AC, char(0x80)}, {0xFFFF, '?'}, {0x0A, ' '}};
    for (const auto &[character, byte] : cases) {
        for (int length : {1, 7, 8, 9, 16, 21}) {
            for (int at = 0; at < length; ++at) {
                QString text(length, u'a');
                text[at] = QChar(character);
                QByteArray expected(length, 'a');
                expected[at] = byte;
                QByteArray encoded(length, '\0');
                encodeWindows1252(encoded.data(), text);
                QVERIFY2(encoded == expected,
                         qPrintable(u"U+%1 at %2 of %3"_s.arg(int(character), 4, 16, QChar(u'0')).arg(at).arg(length)));
            }
        }
    }
}

void tst_PrintFile::laysOutFieldsAtFixedPositions()
{
    const auto bytes = [](const PrintLine &line) { return QByteArray(line.data(), line.size()); };
    // Each field is cut to its width or padded with blanks, so the next starts where it should.
    QCOMPARE(bytes(PrintLine().blanks(2).left(u"KOCHI CITY", 5).right(u"12.50", 8).text(u"|")),
             QByteArray("  KOCHI   12.50|"));
    QCOMPARE(bytes(PrintLine().right(u"1234567890", 4).left(u"", 3).text(u"|")), QByteArray("1234   |"));
    // Pieces of one field share its width; what does not fit is dropped.
    QCOMPARE(bytes(PrintLine().left({u"Box No : ", u"B12"}, 15).text(u"|")), QByteArray("Box No : B12   |"));
    QCOMPARE(bytes(PrintLine().left({u"[GSTIN : ", u"32AAB", u", PAN : ", u"AAB"}, 12).text(u"|")),
             QByteArray("[GSTIN : 32A|"));
    // A width below zero is an empty field, never a text printed whole.
    QCOMPARE(bytes(PrintLine().left(u"abc", -1).right(u"abc", -4).blanks(-2).text(u"|")), QByteArray("|"));
    // Characters are counted before encoding: one byte each, whatever the code page makes of them.
    QCOMPARE(bytes(PrintLine().left(u"Caf\u00e9 \u03a9", 8).right(u"\u20ac5", 3)), QByteArray("Caf\xe9 ?   \x80"
                                                                                              "5"));
    // A line longer than the usual 80 or 136 positions is kept whole.
    QCOMPARE(PrintLine().blanks(150).left(u"x", 300).size(), 450);
}

void tst_PrintFile::truncatesAnOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sch.prn"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    PrintFile file(path);
    QVERIFY(file.open());
    file.writeLine(PrintLine().text(u"new"));
    QVERIFY(file.close());
    QCOMPARE(readAll(path), QByteArray("new\r\n"));
}

void tst_PrintFile::reportsAFileThatCannotBeOpened()
{
    QTemporaryDir dir;
    Deployment deployment;
    deployment.appFolder = dir.filePath(u"no-such-folder"_s);
    QVERIFY(installStubSpooler(dir.path()));
    const std::optional<QString> failure =
        printLayout(printFilePath(deployment, u"sch.prn"_s), 48, writeTwoLines, deployment);
    QCOMPARE(failure, std::optional<QString>(u"File Cannot be Printed.   "_s));
    QVERIFY(!QFile::exists(dir.filePath(u"spooled.txt"_s)));
}

void tst_PrintFile::amountsAndDatesFollowTheLineRules_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("date");
    QTest::newRow("number") << u"1500"_s << u"1500.00"_s << u"1500"_s;
    QTest::newRow("decimal-half-up") << u"2.675"_s << u"2.68"_s << u"2.675"_s;
    QTest::newRow("empty-stays-empty") << QString() << QString() << QString();
    QTest::newRow("text-kept") << u"12 cm"_s << u"12 cm"_s << u"12 cm"_s;
    QTest::newRow("short-date") << u"07-Dec-2026"_s << u"07-Dec-2026"_s << u"07-12-26"_s;
    QTest::newRow("iso-date") << u"2023-12-01"_s << u"2023-12-01"_s << u"01-12-23"_s;
}

void tst_PrintFile::amountsAndDatesFollowTheLineRules()
{
    QFETCH(QString, cell);
    QFETCH(QString, amount);
    QFETCH(QString, date);
    QCOMPARE(printAmount(cell), amount);
    QCOMPARE(printShortDate(cell), date);
}

void tst_PrintFile::handsTheClosedFileToTheSpooler()
{
    QTemporaryDir dir;
    QVERIFY(installStubSpooler(dir.path()));
    Deployment deployment;
    deployment.appFolder = dir.path();
    const QString path = printFilePath(deployment, u"sch.prn"_s);
    QCOMPARE(path, dir.path() + u"/sch.prn"_s);
    QCOMPARE(printLayout(path, 48, writeTwoLines, deployment), std::nullopt);
    QCOMPARE(readAll(path), QByteArray("first\r\nsecond\r\n"));
    const QByteArray spooled = "--page-lines 48 -- " + path.toUtf8();
    QTRY_COMPARE(readAll(dir.filePath(u"spooled.txt"_s)), spooled);
    // No bills: an empty file, spooled all the same.
    QFile::remove(dir.filePath(u"spooled.txt"_s));
    QCOMPARE(printLayout(
                 path, 48, [](PrintFile &) { return true; }, deployment),
             std::nullopt);
    QCOMPARE(readAll(path), QByteArray());
    QTRY_COMPARE(readAll(dir.filePath(u"spooled.txt"_s)), spooled);
    // The headless command may write without spooling.
    QFile::remove(dir.filePath(u"spooled.txt"_s));
    const QString elsewhere = dir.filePath(u"elsewhere.prn"_s);
    QCOMPARE(printLayout(elsewhere, 48, writeTwoLines, deployment, Spool::Skip), std::nullopt);
    QCOMPARE(readAll(elsewhere), QByteArray("first\r\nsecond\r\n"));
    QTest::qWait(200);
    QVERIFY(!QFile::exists(dir.filePath(u"spooled.txt"_s)));
}

void tst_PrintFile::missingSpoolerFailsAfterTheWholeFile()
{
    QTemporaryDir dir;
    Deployment deployment;
    deployment.appFolder = dir.path();
    const QString path = printFilePath(deployment, u"sch.prn"_s);
    const auto manyLines = [](PrintFile &file) {
        for (int i = 0; i < 5000; ++i)
            file.writeLine(PrintLine().text(QString(80, u'x')));
        return true;
    };
    QCOMPARE(printLayout(path, 48, manyLines, deployment), std::optional<QString>(Msg::FileCannotBePrinted));
    QCOMPARE(QFileInfo(path).size(), 5000 * 82);
}

// A print file named like an option, given relative to the working folder (as the headless
// command's --prn takes it).
void tst_PrintFile::spoolerGetsAnAbsolutePathPastItsOptions()
{
    QTemporaryDir dir;
    QVERIFY(installStubSpooler(dir.path()));
    Deployment deployment;
    deployment.appFolder = dir.path();
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const std::optional<QString> failure = printLayout(u"-reverse"_s, 72, writeTwoLines, deployment);
    QDir::setCurrent(workingFolder);
    QCOMPARE(failure, std::nullopt);
    QTRY_COMPARE(readAll(dir.filePath(u"spooled.txt"_s)), "--page-lines 72 -- " + dir.filePath(u"-reverse"_s).toUtf8());
}

void tst_PrintFile::failingSpoolerFailsThePrintWhenWaitedFor()
{
    QTemporaryDir dir;
    QFile stub(dir.filePath(u"inetspooler"_s));
    QVERIFY(stub.open(QIODevice::WriteOnly));
    stub.write("#!/bin/sh\nexit 1\n");
    stub.close();
    stub.setPermissions(stub.permissions() | QFileDevice::ExeOwner);
    Deployment deployment;
    deployment.appFolder = dir.path();
    const QString path = dir.filePath(u"sch.prn"_s);
    QCOMPARE(printLayout(path, 48, writeTwoLines, deployment, Spool::StartAndWait),
             std::optional<QString>(Msg::FileCannotBePrinted));
    QCOMPARE(readAll(path), QByteArray("first\r\nsecond\r\n"));
    // The window's Print does not wait: the spooler is on its own once started.
    QCOMPARE(printLayout(path, 48, writeTwoLines, deployment, Spool::Start), std::nullopt);
}

// The user stopped the print half-way: the last complete print file stays, nothing is spooled.
void tst_PrintFile::stoppedPrintKeepsTheEarlierFileAndSpoolsNothing()
{
    QTemporaryDir dir;
    QVERIFY(installStubSpooler(dir.path()));
    Deployment deployment;
    deployment.appFolder = dir.path();
    const QString path = printFilePath(deployment, u"sch.prn"_s);
    QCOMPARE(printLayout(path, 48, writeTwoLines, deployment, Spool::Skip), std::nullopt);
    const auto stopsHalfWay = [](PrintFile &file) {
        file.writeLine(PrintLine().text(u"half"));
        return false;
    };
    QCOMPARE(printLayout(path, 48, stopsHalfWay, deployment), std::optional<QString>(Msg::PrintStopped));
    QCOMPARE(readAll(path), QByteArray("first\r\nsecond\r\n"));
    QVERIFY(!QFile::exists(dir.filePath(u"spooled.txt"_s)));
}

QTEST_GUILESS_MAIN(tst_PrintFile)
#include "tst_printfile.moc"
