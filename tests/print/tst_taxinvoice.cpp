#include "billing/printfile.h"
#include "billing/taxinvoice.h"
#include "billrowcells.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace Qt::Literals::StringLiterals;
using C = BillColumn;
using Cells = BillCells;

namespace {

// A bill row with every column the invoice reads; each case changes what it tests.
Cells baseBill(const QString &billNo)
{
    return {{C::BillNo, billNo},
            {C::AgentCode, u"AG0042"_s},
            {C::ClientName, u"MALABAR TEXTILES, MG ROAD"_s},
            {C::Edition, u"SV DAILY KOCHI"_s},
            {C::Amount, u"1575"_s},
            {C::ShowAddress, u"1"_s},
            {C::AgentName, u"SUNRISE ADVERTISING"_s},
            {C::AgentAddress1, u"12 BROADWAY"_s},
            {C::ClientAddress, u"MG ROAD"_s},
            {C::ClientAddress2, u"ERNAKULAM"_s},
            {C::ClientAddress3, u"KERALA 682011"_s},
            {C::RoNo, u"RO/77"_s},
            {C::RoDate, u"01-Dec-2026"_s},
            {C::BoxNo, u""_s},
            {C::Caption, u"SALE"_s},
            {C::BoxCharge, u""_s},
            {C::Commission, u"225"_s},
            {C::ScheduleNo, u"KCH000123"_s},
            {C::Words, u"0"_s},
            {C::InsertionDate, u"03-Dec-2026"_s},
            {C::SqCms, u"40"_s},
            {C::Cols, u"3"_s},
            {C::Page, u"5,7"_s},
            {C::NewRate, u"25"_s},
            {C::AdRef, u"MALABAR TEXTILES"_s},
            {C::AgentAddress2, u"MARINE DRIVE"_s},
            {C::AgentAddress3, u"KOCHI"_s},
            {C::SubName, u"ERNAKULAM"_s},
            {C::BillColumns, u"0"_s},
            {C::HeightCm, u""_s},
            {C::MechData, u""_s},
            {C::Budget, u"0"_s},
            {C::AgencyGst, u"32ABCDE1234F1Z5"_s},
            {C::AgencyPan, u"ABCDE1234F"_s},
            {C::SvCin, u"U22121KL1990PLC005678"_s},
            {C::SvGstin, u"32AAACS1234K1ZX"_s},
            {C::CgstAmt, u"37.5"_s},
            {C::SgstAmt, u"37.5"_s},
            {C::BpType, u"0"_s},
            {C::IgstPer, u"0"_s},
            {C::IgstAmt, u"0"_s},
            {C::GrossBill, u"0"_s}};
}

Cells with(Cells cells, const Cells &changes)
{
    for (const auto &[column, text] : changes)
        cells[column] = text;
    return cells;
}

// The bills of the golden file: one per group of line rules.
BillRows goldenBills()
{
    BillRows bills;
    // Agency copy: GSTIN "NA", commission hidden on copy 1 only, words win over the others,
    // a box number and a box charge.
    bills.push_back(billRowOf(with(baseBill(u"KCH/26/00001"_s), {{C::BpType, u"1"_s},
                                                                 {C::AgencyGst, u"NA"_s},
                                                                 {C::GrossBill, u"1500"_s},
                                                                 {C::Words, u"25"_s},
                                                                 {C::NewRate, u"12"_s},
                                                                 {C::BillColumns, u"4"_s},
                                                                 {C::Budget, u"900"_s},
                                                                 {C::BoxNo, u"12"_s},
                                                                 {C::BoxCharge, u"50"_s}})));
    // Client-only bill with IGST, column centimetres over budget, a cut quantity text and rate,
    // a GSTIN and PAN text longer than its field, long texts cut at their widths.
    bills.push_back(billRowOf(with(baseBill(u"KCH/26/00002-ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s),
                                   {{C::BpType, u"2"_s},
                                    {C::ShowAddress, u"2"_s},
                                    {C::IgstPer, u"5"_s},
                                    {C::IgstAmt, u"75"_s},
                                    {C::BillColumns, u"4"_s},
                                    {C::HeightCm, u"10"_s},
                                    {C::MechData, u"123.45"_s},
                                    {C::Budget, u"900"_s},
                                    {C::AgencyPan, u"ABCDE1234F-PAN-TEXT-TOO-LONG-FOR-ITS-FIELD"_s},
                                    {C::Edition, u"SV DAILY THIRUVANANTHAPURAM CITY"_s},
                                    {C::RoNo, u"RO/2026/LONG-RELEASE-ORDER-NUMBER-0001"_s},
                                    {C::Amount, u"87654321.99"_s}})));
    // No address shown; BP Type "01" is not "1"; budget priced.
    bills.push_back(billRowOf(with(baseBill(u"KCH/26/00003"_s),
                                   {{C::BpType, u"01"_s},
                                    {C::ShowAddress, u"0"_s},
                                    {C::Budget, u"5000"_s},
                                    {C::ClientName, u"A VERY LONG CLIENT NAME THAT RUNS PAST ITS FIELD, MG ROAD"_s},
                                    {C::Amount, u"5250.5"_s}})));
    // No GSTIN at all; square centimetres; a short column-centimetre text on the next row.
    bills.push_back(billRowOf(with(baseBill(u"KCH/26/00004"_s), {{C::AgencyGst, u""_s}, {C::BoxNo, u"0"_s}})));
    bills.push_back(billRowOf(with(baseBill(u"KCH/26/00005"_s), {{C::BillColumns, u"2"_s},
                                                                 {C::HeightCm, u"1"_s},
                                                                 {C::MechData, u"100"_s},
                                                                 {C::CgstAmt, u"abc"_s},
                                                                 {C::Commission, u""_s}})));
    // The bills end at the first empty bill number, whatever follows.
    bills.emplace_back();
    bills.push_back(billRowOf(baseBill(u"KCH/26/00099"_s)));
    return bills;
}

// The print file of the bills' invoices.
QByteArray printed(const BillRows &bills)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sch.prn"_s);
    PrintFile file(path);
    if (!file.open())
        return "<not opened>";
    writeTaxInvoices(bills, file);
    if (!file.close())
        return "<not closed>";
    QFile written(path);
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray("<missing>");
}

QList<QByteArray> printedLines(const BillRows &bills)
{
    QList<QByteArray> lines = printed(bills).split('\n');
    lines.removeLast();
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return {};
        line.chop(1);
    }
    return lines;
}

// Position p (from 1) to q of a line, as printed (markers take no position).
QByteArray at(QByteArray line, int p, int q)
{
    line.replace("\\D", "").replace("\\E", "").replace("\\d", "").replace("\\e", "");
    return line.mid(p - 1, q - p + 1);
}

}  // namespace

class tst_TaxInvoice : public QObject
{
    Q_OBJECT
private slots:
    void matchesTheGoldenFile();
    void keepsEveryInvoiceAt48Lines();
    void placesTheVariableLines();
    void emptyGridGivesAnEmptyFile();
};

void tst_TaxInvoice::matchesTheGoldenFile()
{
    const QByteArray bytes = printed(goldenBills());
    const QString golden = qEnvironmentVariable("SELVORO_SOURCE_DIR") + u"/tests/print/golden/invoices.prn"_s;
    QFile expected(golden);
    if (qEnvironmentVariableIsSet("SELVORO_UPDATE_GOLDEN")) {
        QVERIFY(expected.open(QIODevice::WriteOnly));
        expected.write(bytes);
        QSKIP("golden file rewritten");
    }
    QVERIFY2(expected.open(QIODevice::ReadOnly), qPrintable(golden));
    QCOMPARE(bytes, expected.readAll());
}

void tst_TaxInvoice::keepsEveryInvoiceAt48Lines()
{
    const QList<QByteArray> lines = printedLines(goldenBills());
    // BP Type "1" prints two invoices, "2", "01" and the others one; row 11 lies past the gap.
    QCOMPARE(lines.size(), 6 * TaxInvoiceLines);
    for (const QByteArray &line : lines)
        QVERIFY2(at(line, 1, 200).size() <= 80, line.constData());
    for (int page = 0; page < 6; ++page) {
        QVERIFY(lines[page * 48].contains("TAX INVOICE"));
        for (int blank = 34; blank < 48; ++blank)
            QVERIFY(lines[page * 48 + blank].isEmpty());
    }
}

void tst_TaxInvoice::placesTheVariableLines()
{
    const QList<QByteArray> l = printedLines(goldenBills());
    const auto line = [&l](int invoice, int number) { return l[invoice * 48 + number - 1]; };
    // Copy 1 of an "NA" agency names no GSTIN; copy 2 does; commission only on copy 2 here.
    QCOMPARE(at(line(0, 2), 7, 80), "AG0042" + QByteArray(57, ' ') + "03-Dec-2026");
    QCOMPARE(at(line(1, 2), 18, 68).trimmed(), QByteArray("[GSTIN : NA, PAN : ABCDE1234F]"));
    QCOMPARE(line(0, 18), QByteArray());
    QCOMPARE(at(line(1, 18), 54, 80), QByteArray("Commission     :     225.00"));
    QCOMPARE(at(line(0, 9), 48, 77), "Box No : 12" + QByteArray(19, ' '));
    QCOMPARE(at(line(0, 17), 54, 80), QByteArray("Box Charge     :      50.00"));
    QCOMPARE(at(line(0, 16), 26, 40), QByteArray("25 Words       "));
    QCOMPARE(at(line(0, 16), 66, 80), QByteArray("         300.00"));
    // Column centimetres beat budget; quantity and rate cut; IGST with a blank line after it.
    QCOMPARE(at(line(2, 16), 26, 40), QByteArray("(10 X 3) Col Cm"));
    QCOMPARE(at(line(2, 16), 56, 60), QByteArray("123.4"));
    QCOMPARE(at(line(2, 16), 66, 80), QByteArray("        3703.50"));
    QCOMPARE(at(line(2, 19), 54, 80), QByteArray("IGST @  5%    :       75.00"));
    QCOMPARE(line(2, 20), QByteArray());
    QCOMPARE(at(line(2, 3), 1, 46), QByteArray(46, ' '));
    QCOMPARE(line(2, 23), QByteArray(55, ' ') + "\\D\\E 87654321.99\\d\\e");
    // No address shown: the date alone on line 2, the client from position 47.
    QCOMPARE(line(3, 2), QByteArray(69, ' ') + "03-Dec-2026");
    QCOMPARE(line(3, 3), QByteArray(46, ' ') + "A VERY LONG CLIENT NAME THAT RUNS ");
    QCOMPARE(at(line(3, 16), 66, 80), QByteArray("        5000.00"));
    // Square centimetres; a box number of 0 is no box.
    QCOMPARE(at(line(4, 16), 1, 40), QByteArray("03-12-26       5,7       40 Sq Cms      "));
    QCOMPARE(at(line(4, 16), 66, 80), QByteArray("        1000.00"));
    QCOMPARE(line(4, 9).size(), 42);
    QCOMPARE(at(line(5, 16), 26, 40), QByteArray("(1 X 3) Col Cms"));
    QCOMPARE(at(line(5, 16), 56, 60), QByteArray("100.0"));
    QCOMPARE(at(line(5, 19), 71, 80), QByteArray("       abc"));
}

void tst_TaxInvoice::emptyGridGivesAnEmptyFile()
{
    QCOMPARE(printed({}), QByteArray());
    QCOMPARE(printed({BillRow(), billRowOf(baseBill(u"KCH/26/00001"_s))}), QByteArray());  // the first has no number
}

QTEST_GUILESS_MAIN(tst_TaxInvoice)
#include "tst_taxinvoice.moc"
