// GSTR-1 of a month of the demo data: the sections add up to the SAC summary and to the bills'
// taxable values, the B2B invoices agree with the bills' e-invoice documents, and the same holds
// on a company master with only the columns the desk relies on.
#include "billing/billamounts.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/db.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/gstin.h"
#include "einvoice/seller.h"
#include "gst/gstr1files.h"
#include "gst/gstr1run.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

Paise paise(const QJsonValue &rupees) { return std::llround(rupees.toDouble() * 100); }

// Taxable value and tax of a list of items, or of hsn rows.
struct Figures
{
    Paise taxable = 0, tax = 0;
    void add(const QJsonObject &entry)
    {
        taxable += paise(entry[u"txval"_s]);
        tax += paise(entry[u"iamt"_s]) + paise(entry[u"camt"_s]) + paise(entry[u"samt"_s]);
    }
};

Figures itemsOf(const QJsonObject &invoice)
{
    Figures figures;
    for (const QJsonValue &item : invoice[u"itms"_s].toArray())
        figures.add(item[u"itm_det"_s].toObject());
    return figures;
}

}  // namespace

class tst_Gstr1Demo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sectionsAgreeWithTheBillsAndTheirDocuments();
    void companyMasterWithOnlyItsNamedColumns();
    void monthWithoutBillsWritesEmptySections();

private:
    // The files of the month for units 001 and 002, by seller GSTIN.
    QHash<QString, QJsonObject> writeMonth(const QDate &month, Gstr1Written &written);
    BillRows billsOf(const QDate &month);

    Db m_db{u"tst_gstr1demo"_s};
    QDate m_month;
    QTemporaryDir m_dir;
    int m_runs = 0;
};

void tst_Gstr1Demo::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"db/demo.sql"_s)});
    TestDb::open(m_db);
    // The demo is dated from the day it was made: take the month of its latest bill but one.
    m_month = QDate::fromString(m_db.firstValue(u"SELECT DATE_FORMAT(MAX(sch_bill_date) - INTERVAL 1 MONTH, "
                                                "'%Y-%m-01') FROM advt_schedule"_s),
                                u"yyyy-MM-dd"_s);
    QVERIFY(m_month.isValid());
}

QHash<QString, QJsonObject> tst_Gstr1Demo::writeMonth(const QDate &month, Gstr1Written &written)
{
    const QString folder = m_dir.filePath(QString::number(++m_runs));
    QDir().mkpath(folder);
    written = writeGstr1(m_db, Deployment(), {month, {u"001"_s, u"002"_s}, folder, folder + u"/check.csv"_s});
    QHash<QString, QJsonObject> files;
    for (const Gstr1Filing &filing : written.gstr1.filings) {
        QFile file(QDir(folder).filePath(gstr1FileName(filing.gstin, month)));
        if (file.open(QIODevice::ReadOnly))
            files.insert(filing.gstin, QJsonDocument::fromJson(file.readAll()).object());
    }
    return files;
}

BillRows tst_Gstr1Demo::billsOf(const QDate &month)
{
    BillRows all;
    RecordingDialogs dialogs;
    for (const QString &unit : {u"001"_s, u"002"_s}) {
        Sheet sheet;
        SetUpBillGrid(sheet, {}, {});
        BillFilter filter;
        filter.from = month;
        filter.to = month.addMonths(1).addDays(-1);
        filter.byBillDate = true;
        filter.unitCode = unit;
        BillRows bills;
        BillGenerator(m_db, dialogs, sheet, bills).generate(filter);
        all.insert(all.end(), bills.begin(), bills.end());
    }
    return all;
}

void tst_Gstr1Demo::sectionsAgreeWithTheBillsAndTheirDocuments()
{
    Gstr1Written written;
    const QHash<QString, QJsonObject> files = writeMonth(m_month, written);
    QVERIFY(!written.failure && !written.stopped);
    QCOMPARE(files.size(), 2);
    const BillRows bills = billsOf(m_month);
    QVERIFY(bills.size() > 100);
    QCOMPARE(written.gstr1.bills, int(bills.size()));

    // The bills with a problem are the ones whose buyer GSTIN fails the check, and no section has them.
    QSet<QString> problems;
    for (const Gstr1Problem &problem : written.gstr1.problems)
        problems.insert(problem.billNo);
    QHash<QString, Paise> billTaxable;  // by seller, the bills the return reports
    QHash<QString, int> issued;
    for (const BillRow &bill : bills) {
        const QString gstin = bill.buyer().gstin;
        QCOMPARE(problems.contains(bill.billNo), !gstin.isEmpty() && gstin != u"NA"_s && !isValidGstin(gstin));
        ++issued[bill.svGstin];
        if (!problems.contains(bill.billNo))
            billTaxable[bill.svGstin] += amountsOf(bill).taxable;
    }
    QVERIFY(!problems.isEmpty());

    // Each e-invoice document of a B2B bill has the invoice's value, tax and buyer.
    QHash<QString, QJsonObject> documents;
    for (const QJsonValue &document : buildEInvoices(bills, Sellers::load(m_db, Deployment()), {}).documents)
        documents.insert(document[u"DocDtls"_s][u"No"_s].toString(), document.toObject());
    int compared = 0;
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        const QJsonObject &json = file.value();
        Figures sections, hsn;
        for (const QJsonValue &buyer : json[u"b2b"_s].toArray()) {
            for (const QJsonValue &invoiceValue : buyer[u"inv"_s].toArray()) {
                const QJsonObject invoice = invoiceValue.toObject();
                const Figures figures = itemsOf(invoice);
                sections.taxable += figures.taxable;
                const QJsonObject document = documents.value(invoice[u"inum"_s].toString());
                if (document.isEmpty())
                    continue;
                ++compared;
                const QJsonObject values = document[u"ValDtls"_s].toObject();
                QCOMPARE(paise(invoice[u"val"_s]), paise(values[u"TotInvVal"_s]));
                QCOMPARE(figures.taxable, paise(values[u"AssVal"_s]));
                QCOMPARE(figures.tax,
                         paise(values[u"IgstVal"_s]) + paise(values[u"CgstVal"_s]) + paise(values[u"SgstVal"_s]));
                QCOMPARE(buyer[u"ctin"_s].toString(), document[u"BuyerDtls"_s][u"Gstin"_s].toString());
                QCOMPARE(invoice[u"pos"_s].toString(), document[u"BuyerDtls"_s][u"Pos"_s].toString());
            }
        }
        for (const QJsonValue &place : json[u"b2cl"_s].toArray())
            for (const QJsonValue &invoice : place[u"inv"_s].toArray())
                sections.taxable += itemsOf(invoice.toObject()).taxable;
        for (const QJsonValue &entry : json[u"b2cs"_s].toArray())
            sections.taxable += paise(entry[u"txval"_s]);
        for (const QString &table : {u"hsn_b2b"_s, u"hsn_b2c"_s})
            for (const QJsonValue &row : json[u"hsn"_s][table].toArray())
                hsn.add(row.toObject());
        QCOMPARE(sections.taxable, hsn.taxable);
        QCOMPARE(sections.taxable, billTaxable.value(file.key()));
        int net = 0;
        for (const QJsonValue &docs : json[u"doc_issue"_s][u"doc_det"_s][0][u"docs"_s].toArray())
            net += docs[u"net_issue"_s].toInt();
        QCOMPARE(net, issued.value(file.key()));
    }
    QVERIFY(compared > 50);
}

void tst_Gstr1Demo::companyMasterWithOnlyItsNamedColumns()
{
    Gstr1Written before;
    const QHash<QString, QJsonObject> files = writeMonth(m_month, before);
    m_db.exec(u"ALTER TABLE acc_companymaster DROP COLUMN comp_name, DROP COLUMN comp_address"_s);
    Gstr1Written after;
    QCOMPARE(writeMonth(m_month, after), files);
    QCOMPARE(after.gstr1.problems.size(), before.gstr1.problems.size());
    TestDb::reset({TestDb::file(u"db/demo.sql"_s)});
}

void tst_Gstr1Demo::monthWithoutBillsWritesEmptySections()
{
    Gstr1Written written;
    const QHash<QString, QJsonObject> files = writeMonth(QDate(2001, 1, 1), written);
    QCOMPARE(files.size(), 2);
    QCOMPARE(gstr1Summary(written.gstr1), u"No bills dated in 01-2001: 2 files with empty sections written"_s);
    for (const QJsonObject &json : files) {
        QCOMPARE(json[u"fp"_s].toString(), u"012001"_s);
        QVERIFY(json[u"b2b"_s].toArray().isEmpty() && json[u"b2cs"_s].toArray().isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_Gstr1Demo)
#include "tst_gstr1demo.moc"
