// Prints 10,000 tax invoices from a filled bill grid and compares the time with writing the
// same bytes in one buffered write; then exports the grid as .xls. Prints the figures and the
// peak memory of the process.
#include "billing/billcolumns.h"
#include "billing/printfile.h"
#include "billing/sheetexport.h"
#include "billing/taxinvoice.h"
#include "sheet/sheet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Bills = 10000;
constexpr int Runs = 5;

// Processor time of the process: the machine is shared, so wall time says little.
qint64 cpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

class CpuTimer
{
public:
    void start() { m_start = cpuNanoseconds(); }
    qint64 nsecsElapsed() const { return cpuNanoseconds() - m_start; }

private:
    qint64 m_start = 0;
};

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void fill(Sheet &sheet)
{
    sheet.setColumnCount(BillColumnCount);
    for (int row = FirstBillRow; row < FirstBillRow + Bills; ++row) {
        for (int column = 1; column <= BillColumnCount; ++column)
            sheet.setText(row, column, u"Text %1 of %2"_s.arg(column).arg(row));
        sheet.setText(row, col(BillColumn::BillNo), u"KCH/26/%1"_s.arg(row, 5, 10, QChar(u'0')));
        sheet.setNumber(row, col(BillColumn::Amount), 1000 + row * 0.25);
        sheet.setText(row, col(BillColumn::ShowAddress), u"1"_s);
        sheet.setText(row, col(BillColumn::BpType), row % 4 == 0 ? u"1"_s : u"0"_s);
        sheet.setText(row, col(BillColumn::SqCms), u"40"_s);
        sheet.setText(row, col(BillColumn::NewRate), u"25"_s);
        sheet.setText(row, col(BillColumn::InsertionDate), u"03-Dec-2026"_s);
        sheet.setText(row, col(BillColumn::CgstAmt), u"37.5"_s);
        sheet.setText(row, col(BillColumn::SgstAmt), u"37.5"_s);
        sheet.setText(row, col(BillColumn::Commission), u"225"_s);
        sheet.setText(row, col(BillColumn::GrossBill), u"0"_s);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Sheet sheet;
    fill(sheet);
    const QString path = dir.filePath(u"sch.prn"_s);
    qint64 printNs = std::numeric_limits<qint64>::max();
    qint64 rawNs = std::numeric_limits<qint64>::max();
    QByteArray bytes;
    CpuTimer timer;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        PrintFile file(path);
        if (!file.open())
            return 1;
        writeTaxInvoices(sheet, file);
        if (!file.close())
            return 1;
        printNs = std::min(printNs, timer.nsecsElapsed());
        QFile written(path);
        if (!written.open(QIODevice::ReadOnly))
            return 1;
        bytes = written.readAll();
        written.close();
        timer.start();
        QFile raw(dir.filePath(u"raw.prn"_s));
        if (!raw.open(QIODevice::WriteOnly | QIODevice::Truncate) || raw.write(bytes) != bytes.size())
            return 1;
        raw.close();
        rawNs = std::min(rawNs, timer.nsecsElapsed());
    }
    // The print file's own share: the same lines, already laid out, written through it.
    QStringList lines = QString::fromLatin1(bytes).split(u"\r\n"_s);
    lines.removeLast();
    qint64 linesNs = std::numeric_limits<qint64>::max();
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        PrintFile file(path);
        if (!file.open())
            return 1;
        for (const QString &line : lines)
            file.writeLine(line);
        if (!file.close())
            return 1;
        linesNs = std::min(linesNs, timer.nsecsElapsed());
    }
    std::printf("print file: %d bills, %lld bytes, %.1f ms with the layout, %.1f ms writing the laid-out lines; "
                "one buffered write %.1f ms; ratios %.2f and %.2f (processor time, best of %d)\n",
                Bills, qlonglong(bytes.size()), printNs / 1e6, linesNs / 1e6, rawNs / 1e6,
                double(printNs) / double(rawNs), double(linesNs) / double(rawNs), Runs);
    QElapsedTimer wall;
    wall.start();
    timer.start();
    const std::optional<QString> failure = saveExport(sheet, FirstBillRow + Bills - 1, dir.filePath(u"bills.xls"_s));
    std::printf(".xls export: %.1f ms processor time, %lld ms wall%s; peak memory %ld MB\n", timer.nsecsElapsed() / 1e6,
                wall.elapsed(), failure ? qPrintable(u" FAILED: "_s + *failure) : "", peakMegabytes());
    return 0;
}
