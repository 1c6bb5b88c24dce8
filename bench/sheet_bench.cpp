// Fills a sheet as 10,000 generated bills of 58 columns would, reads it back and saves it in both
// workbook formats, printing each time and the peak memory of the process.
#include "sheet/sheet.h"
#include "sheet/workbookwriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Bills = 10000;
constexpr int Columns = 58;
constexpr int FirstRow = 5;

// Processor time of this process in milliseconds: on a busy machine it says more than the clock.
qint64 cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void fill(Sheet &sheet)
{
    Sheet::Font rowFont;
    rowFont.name = u"ARIAL"_s;
    rowFont.size = 8;
    for (int row = FirstRow; row < FirstRow + Bills; ++row) {
        for (int column = 1; column <= Columns; ++column) {
            if (column == 7 || column == 54)
                sheet.setNumber(row, column, 1000 + row * 0.25);
            else
                sheet.setText(row, column, u"Text %1 of bill %2"_s.arg(column).arg(row));
        }
        sheet.setSelection(row, 1, row, Columns);
        sheet.setFont(rowFont);
        sheet.setSelection(row, 7, row, 7);
        sheet.setAlignment(Sheet::HAlign::Right, false, Sheet::VAlign::Center);
        sheet.setNumberFormat(u"0.00"_s);
        if (row > 15)
            sheet.setTopRow(row - 12);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Sheet sheet;
    sheet.setColumnCount(Columns);
    QElapsedTimer timer;
    timer.start();
    fill(sheet);
    const qint64 writeMs = timer.restart();
    qint64 characters = 0;
    for (int row = 1; row <= sheet.lastUsedRow(); ++row)
        for (int column = 1; column <= Columns; ++column)
            characters += sheet.text(row, column).size() + sheet.displayText(row, column).size();
    const qint64 readMs = timer.restart();
    std::printf("sheet: %d x %d cells written in %lld ms, read (text and shown text) in %lld ms (%lld chars)\n", Bills,
                Columns, writeMs, readMs, characters);
    std::printf("peak memory after filling: %ld MB\n", peakMegabytes());

    QTemporaryDir dir;
    using PathWriter = std::optional<QString> (*)(const Sheet &, const QString &);
    for (const auto &[name, writer] :
         {std::pair{u"bills.xls"_s, PathWriter(&writeXls)}, std::pair{u"bills.xlsx"_s, PathWriter(&writeXlsx)}}) {
        const QString path = dir.filePath(name);
        timer.restart();
        const qint64 cpuBefore = cpuMs();
        const std::optional<QString> failure = writer(sheet, path);
        const qint64 ms = timer.elapsed();
        const qint64 cpu = cpuMs() - cpuBefore;
        if (failure) {
            std::printf("%s failed: %s\n", qPrintable(name), qPrintable(*failure));
            return 1;
        }
        std::printf("%s: %lld bytes in %lld ms (%lld ms processor time), peak memory so far %ld MB\n", qPrintable(name),
                    QFileInfo(path).size(), ms, cpu, peakMegabytes());
    }
    return 0;
}
