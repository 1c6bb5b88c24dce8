#pragma once

#include "billing/printline.h"
#include "common/numbers.h"
#include "common/outputfile.h"

#include <QString>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>

struct Deployment;

// The print files of the bill layouts, in the application folder. The spooler renders the
// attribute markers and prints; the program only writes plain lines.
inline constexpr char16_t TaxInvoicePrintFile[] = u"sch.prn";
inline constexpr char16_t DavpPrintFile[] = u"rpt.prn";

// One print file, written anew strictly front to back: every line ends with CR LF, one byte per
// character in Windows-1252 (a character that code page lacks becomes "?"), markers such as "\D"
// written as the plain characters they are. The lines go to an OutputFile, so the file of the
// previous print stays until the new one is complete. Write failures are remembered and reported
// by close().
class PrintFile
{
public:
    // A print file of its own: close() puts it in place of the old one.
    explicit PrintFile(const QString &path);
    // The lines go into `output`, which the caller has opened and puts in place (with the other
    // outputs of a run).
    explicit PrintFile(OutputFile &output);
    ~PrintFile();
    PrintFile(const PrintFile &) = delete;
    PrintFile &operator=(const PrintFile &) = delete;

    bool open();
    void writeLine(const PrintLine &line)
    {
        char *at = reserve(line.size() + 2);
        std::memcpy(at, line.data(), size_t(line.size()));
        at[line.size()] = '\r';
        at[line.size() + 1] = '\n';
        ++m_lines;
    }
    void writeBlankLines(int count = 1)
    {
        if (count <= 0)
            return;
        char *at = reserve(2 * qsizetype(count));
        for (int i = 0; i < count; ++i) {
            *at++ = '\r';
            *at++ = '\n';
        }
        m_lines += count;
    }
    // Flushes and, for a print file of its own, puts it in place; false when opening, any write or
    // the close itself failed. Destroyed without close(), a print file of its own is dropped.
    bool close();
    // What failed, naming the file (after open() or close() returned false).
    const QString &failure() const { return m_failure; }

    QString path() const { return m_output->path(); }
    qint64 linesWritten() const { return m_lines; }

private:
    // Room for `size` more bytes in the block, handing the full part to the file first.
    char *reserve(qsizetype size)
    {
        if (m_used + size > m_capacity)
            makeRoom(size);
        char *at = m_block.get() + m_used;
        m_used += size;
        return at;
    }
    void makeRoom(qsizetype size);
    void flush();
    void fail(const QString &failure);

    std::unique_ptr<OutputFile> m_own;
    OutputFile *m_output;
    bool m_open = false;
    QString m_failure;
    std::unique_ptr<char[]> m_block;  // filled up to m_used
    qsizetype m_capacity = 0;
    qsizetype m_used = 0;
    qint64 m_lines = 0;
    bool m_failed = false;
};

// The rule that turns a cell into the amount it prints ("0.00"; an empty cell stays empty, a
// text that is not a number is kept), formatted in place; printAmount gives it as a string.
class PrintAmount
{
public:
    explicit PrintAmount(QStringView cellText) : m_cell(cellText), m_amount(cellText) {}
    explicit PrintAmount(double number) : m_amount(number) {}
    QStringView text() const { return m_amount.text().isEmpty() ? m_cell : m_amount.text(); }

private:
    QStringView m_cell;
    TwoDecimalText m_amount;
};
QString printAmount(QStringView cellText);
// The item-line date: the grid's date text as dd-MM-yy; a text that is not a date is kept.
QString printShortDate(QStringView cellText);

// The path of a layout's print file in the application folder.
QString printFilePath(const Deployment &deployment, const QString &fileName);

// What becomes of a print file once it is written: handed to the spooler, which runs on its own
// (the windows' Print), handed to it and waited for, so that its failure is the print's
// (the headless command), or kept as it is.
enum class Spool { Start, StartAndWait, Skip };

// Starts the deployment's spooler program on `printPath` with the layout's page length.
// The path goes absolute and after the end of the options, so a file named "-reverse" is a file.
// False when the spooler cannot be started (missing, not executable) or, with StartAndWait, when
// it fails; its own error line goes to stderr.
bool startSpooler(const QString &printPath, int pageLines, const Deployment &deployment, Spool spool = Spool::Start);

// A whole print: opens `path`, lets `writeLayout` fill it, closes it and hands it to the spooler
// as `spool` says, telling it the layout's `pageLines`. Returns "File Cannot be Printed.   "
// when any step failed. A layout that stops before its end (it returns false: the user asked
// to stop) leaves the earlier print file as it was and starts no spooler.
std::optional<QString> printLayout(const QString &path, int pageLines,
                                   const std::function<bool(PrintFile &)> &writeLayout, const Deployment &deployment,
                                   Spool spool = Spool::Start);
