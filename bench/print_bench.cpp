// Prints 10,000 tax invoices from the bills of a filled bill grid and compares the time with writing the
// same bytes in one buffered write; then exports the grid as .xls. Prints the figures and the
// peak memory of the process.
#include "billing/billcolumns.h"
#include "billing/billgrid.h"
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
constexpr int Runs = 20;

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

// Bills as generation composes and shows them: names and addresses as texts, figures as their
// texts, the net amount as a number; every fourth bill with the agency copy.
BillRows fill(Sheet &sheet)
{
    using C = BillColumn;
    sheet.setColumnCount(BillColumnCount);
    BillRows bills;
    bills.reserve(Bills);
    for (int row = FirstBillRow; row < FirstBillRow + Bills; ++row) {
        BillRow &bill = bills.emplace_back();
        for (const BillColumnSpec &spec : BillColumnSpecs)
            if (spec.text)
                bill.*spec.text = u"Text %1 of %2"_s.arg(col(spec.id)).arg(row);
        const auto put = [&bill](C column, const QString &text) { bill.*columnSpec(column).text = text; };
        for (const C zero : {C::ExtraCharge, C::Discount, C::DeliveryCharge, C::Words, C::BoxCharge, C::Cols,
                             C::BillColumns, C::HeightCm, C::MechData, C::Budget, C::IgstPer, C::IgstAmt, C::GrossBill})
            put(zero, u"0"_s);
        put(C::BillNo, u"KCH/26/%1"_s.arg(row, 5, 10, QChar(u'0')));
        put(C::ShowAddress, u"1"_s);
        put(C::BpType, row % 4 == 0 ? u"1"_s : u"0"_s);
        put(C::BoxNo, QString());
        put(C::AgencyGst, u"32AABCS1234F1Z5"_s);
        put(C::AgencyPan, u"AABCS1234F"_s);
        put(C::SqCms, u"40"_s);
        put(C::NewRate, u"25"_s);
        put(C::Page, u"3"_s);
        put(C::InsertionDate, u"03-Dec-2026"_s);
        put(C::CgstPer, u"2.5"_s);
        put(C::SgstPer, u"2.5"_s);
        put(C::CgstAmt, u"37.5"_s);
        put(C::SgstAmt, u"37.5"_s);
        put(C::Commission, u"225"_s);
        bill.amount = 1000 + row * 0.25;
        bill.netAmt = 1075;
        writeBillRow(sheet, row, bill);
    }
    return bills;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Sheet sheet;
    const BillRows bills = fill(sheet);
    const QString path = dir.filePath(u"sch.prn"_s);
    qint64 printNs = std::numeric_limits<qint64>::max();
    qint64 rawNs = std::numeric_limits<qint64>::max();
    QByteArray bytes;
    CpuTimer timer;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        PrintFile file(bytes.isEmpty() ? path : u"/dev/null"_s);
        if (!file.open())
            return 1;
        writeTaxInvoices(bills, file);
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
    std::printf("print file: %d bills, %lld bytes, laid out and written in %.1f ms; the same bytes in one buffered "
                "write %.1f ms; ratio %.2f (processor time, best of %d)\n",
                Bills, qlonglong(bytes.size()), printNs / 1e6, rawNs / 1e6, double(printNs) / double(rawNs), Runs);
    QElapsedTimer wall;
    wall.start();
    timer.start();
    const std::optional<QString> failure = saveExport(sheet, FirstBillRow + Bills - 1, dir.filePath(u"bills.xls"_s));
    std::printf(".xls export: %.1f ms processor time, %lld ms wall%s; peak memory %ld MB\n", timer.nsecsElapsed() / 1e6,
                wall.elapsed(), failure ? qPrintable(u" FAILED: "_s + *failure) : "", peakMegabytes());
    return 0;
}
