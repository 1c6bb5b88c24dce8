// E-invoicing from the demo data: documents and readiness report from a generated grid, the
// portal's answers kept in advt_einvoice, and the plain-paper invoice with its QR code.
#include "billing/billcolumns.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/amountinwords.h"
#include "common/db.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/einvoicestore.h"
#include "einvoice/gstin.h"
#include "einvoice/invoicepdf.h"
#include "irptokens.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QJsonArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a program prints, or nothing when it cannot run.
std::optional<QString> output(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class tst_EInvoiceDemo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void eligibleBillsBecomeValidDocumentsAndTheRestAreReported();
    void answersAreKeptOnceAndAnotherIrnIsRefused();
    void answerForAnUnknownBillImportsNothing();
    void answersForBillsOfAnotherUnitAreLeftOut();
    void invoicePdfCarriesEveryFieldAndADecodableQrCode();

private:
    QList<GridBill> generate(const QString &unit = u"001"_s);
    int rowCount(const QString &table);

    Db m_db{u"tst_einvoicedemo"_s};
    RecordingDialogs m_dialogs;
    std::unique_ptr<Sheet> m_sheet;
    Sellers m_sellers;
};

void tst_EInvoiceDemo::initTestCase()
{
    if (!TestDb::available())
        QSKIP(qPrintable(TestDb::skipReason()));
    TestDb::reset({TestDb::file(u"db/demo.sql"_s)});
    TestDb::open(m_db);
    m_sellers = Sellers::load(m_db, Deployment());
}

void tst_EInvoiceDemo::init() { m_db.exec(u"DELETE FROM advt_einvoice"_s); }

QList<GridBill> tst_EInvoiceDemo::generate(const QString &unit)
{
    m_sheet = std::make_unique<Sheet>();
    SetUpBillGrid(*m_sheet, u"Daily"_s, u"Kochi"_s);
    BillFilter filter;
    filter.from = QDate::currentDate().addDays(-70);
    filter.to = QDate::currentDate().addDays(10);
    filter.unitCode = unit;
    BillGenerator(m_db, m_dialogs, *m_sheet).generate(filter);
    return gridBills(*m_sheet);
}

int tst_EInvoiceDemo::rowCount(const QString &table)
{
    return m_db.firstValue(u"SELECT COUNT(*) FROM "_s + table).toInt();
}

void tst_EInvoiceDemo::eligibleBillsBecomeValidDocumentsAndTheRestAreReported()
{
    const QList<GridBill> bills = generate();
    QVERIFY(bills.size() > 100);
    const EInvoiceBatch batch = buildEInvoices(bills, m_sellers, BillKind::Gst);

    // Exactly the bills of agencies without a GSTIN, and of the one whose GSTIN was mistyped, are
    // reported; every other bill is a document whose total is the grid's amount.
    QHash<QString, QString> reported;
    for (const ReadinessEntry &entry : batch.report)
        reported.insert(entry.billNo, entry.reason);
    QHash<QString, QJsonObject> documents;
    for (const QJsonValue &doc : batch.documents)
        documents.insert(doc[u"DocDtls"_s][u"No"_s].toString(), doc.toObject());
    QCOMPARE(reported.size() + documents.size(), bills.size());
    bool sawCgst = false, sawIgst = false, sawSecondCompany = false;
    for (const GridBill &bill : bills) {
        if (bill.gstin.isEmpty() || bill.gstin == u"NA"_s) {
            QCOMPARE(reported.value(bill.billNo), u"no agency GSTIN"_s);
        } else if (bill.agentCode == u"010111"_s) {
            QCOMPARE(reported.value(bill.billNo), u"agency GSTIN 32AAMFN5566B1ZE fails the check"_s);
        } else {
            QVERIFY2(documents.contains(bill.billNo), qPrintable(bill.billNo + u": "_s + reported.value(bill.billNo)));
            const QJsonObject doc = documents.value(bill.billNo);
            QCOMPARE(paiseOf(QString::number(doc[u"ValDtls"_s][u"TotInvVal"_s].toDouble(), 'f', 2)), bill.amount);
            QCOMPARE(doc[u"SellerDtls"_s][u"Gstin"_s].toString(), bill.companyGstin);
            sawCgst |= bill.cgst > 0;
            sawIgst |= bill.igst > 0;
            sawSecondCompany |= bill.isSecondCompany();
        }
    }
    QVERIFY(sawCgst && sawIgst && sawSecondCompany);

    if (QProcess::execute(u"python3"_s, {u"-c"_s, u"import jsonschema"_s}) != 0)
        QSKIP("python3-jsonschema is not installed (scripts/setup installs it)");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"demo.json"_s);
    QVERIFY(!writeEInvoices(batch, path));
    QProcess checker;
    checker.start(u"python3"_s, {QFINDTESTDATA("check_einvoice.py"), path, QFINDTESTDATA("irp-invoice-schema.json")});
    QVERIFY(checker.waitForFinished(120000));
    const QString said = QString::fromUtf8(checker.readAllStandardOutput());
    QVERIFY2(checker.exitCode() == 0, qPrintable(said));
    QVERIFY2(said.contains(QString::number(batch.documents.size()) + u" documents checked, 0 faults"_s),
             qPrintable(said));
}

void tst_EInvoiceDemo::answersAreKeptOnceAndAnotherIrnIsRefused()
{
    const QList<GridBill> bills = generate();
    const QString first = bills.at(0).billNo;
    const QString second = bills.at(1).billNo;
    EInvoiceStore store(m_db);
    const QList<IrpAnswer> answers =
        parseIrpAnswers(QJsonDocument(QJsonArray{IrpTokens::answer(first, IrpTokens::irn('a')),
                                                 IrpTokens::answer(second, IrpTokens::irn('b'))})
                            .toJson())
            .answers;
    QCOMPARE(answers.size(), 2);
    EInvoiceStore::Outcome outcome = store.import(answers, u"001"_s);
    QCOMPARE(outcome.problems, QStringList());
    QCOMPARE(importSummary(outcome), u"2 answers imported, 0 already registered"_s);
    const QString kept = m_db.firstValue(u"SELECT GROUP_CONCAT(CONCAT_WS('|', ein_bill_no, ein_irn, ein_ack_no, "
                                         "ein_ack_date, ein_imported_on) ORDER BY ein_bill_no) FROM advt_einvoice"_s);

    // The same answer again changes nothing.
    outcome = store.import(answers, u"001"_s);
    QCOMPARE(importSummary(outcome), u"0 answers imported, 2 already registered"_s);
    QCOMPARE(m_db.firstValue(u"SELECT GROUP_CONCAT(CONCAT_WS('|', ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, "
                             "ein_imported_on) ORDER BY ein_bill_no) FROM advt_einvoice"_s),
             kept);

    // Another IRN for a registered bill is refused, and the good answer beside it is not kept either.
    const QString third = bills.at(2).billNo;
    const QList<IrpAnswer> clash =
        parseIrpAnswers(QJsonDocument(QJsonArray{IrpTokens::answer(third, IrpTokens::irn('c')),
                                                 IrpTokens::answer(first, IrpTokens::irn('d'))})
                            .toJson())
            .answers;
    outcome = store.import(clash, u"001"_s);
    QCOMPARE(outcome.problems,
             QStringList{u"bill "_s + first + u" is already registered with IRN "_s + IrpTokens::irn('a')
                         + u"; the file names another IRN, "_s + IrpTokens::irn('d') + u": not imported"_s});
    QCOMPARE(outcome.imported, 0);
    QCOMPARE(rowCount(u"advt_einvoice"_s), 2);

    const std::optional<IrpAnswer> found = store.find(first);
    QVERIFY(found);
    QCOMPARE(found->irn, IrpTokens::irn('a'));
    QCOMPARE(found->ackNo, u"112010000000001"_s);
    QCOMPARE(found->ackDate, QDateTime(QDate(2026, 12, 7), QTime(11, 30)));
    QCOMPARE(found->signedQrCode, answers.first().signedQrCode);
    QVERIFY(!store.find(third));
}

void tst_EInvoiceDemo::answerForAnUnknownBillImportsNothing()
{
    EInvoiceStore store(m_db);
    const QString known = generate().first().billNo;
    // A bill number with a quote and a backslash travels as a value: it names no bill, and the
    // statement keeps its meaning.
    const QList<IrpAnswer> answers =
        parseIrpAnswers(QJsonDocument(QJsonArray{IrpTokens::answer(known, IrpTokens::irn('e')),
                                                 IrpTokens::answer(u"KC/9'9\\"_s, IrpTokens::irn('f')),
                                                 IrpTokens::answer(known, IrpTokens::irn('e'))})
                            .toJson())
            .answers;
    const EInvoiceStore::Outcome outcome = store.import(answers, u"001"_s);
    QCOMPARE(outcome.problems, (QStringList{u"bill KC/9'9\\ is not a bill of the desk"_s,
                                            u"bill "_s + known + u" is answered twice in the file"_s}));
    QCOMPARE(rowCount(u"advt_einvoice"_s), 0);
}

// A user of several units imports only for the unit worked in: the other unit's answer is named and
// left for that unit, which imports it in its turn.
void tst_EInvoiceDemo::answersForBillsOfAnotherUnitAreLeftOut()
{
    EInvoiceStore store(m_db);
    const QString ours = generate().first().billNo;
    const QString theirs = generate(u"002"_s).first().billNo;
    const QList<IrpAnswer> answers =
        parseIrpAnswers(QJsonDocument(QJsonArray{IrpTokens::answer(ours, IrpTokens::irn('a')),
                                                 IrpTokens::answer(theirs, IrpTokens::irn('b'))})
                            .toJson())
            .answers;
    QCOMPARE(answers.size(), 2);
    EInvoiceStore::Outcome outcome = store.import(answers, u"001"_s);
    QCOMPARE(outcome.problems, QStringList());
    QCOMPARE(outcome.otherUnits,
             QStringList{u"bill "_s + theirs + u" is a bill of unit 002, not of unit 001: not imported"_s});
    QCOMPARE(importSummary(outcome), u"1 answers imported, 0 already registered, 1 left for other units"_s);
    QVERIFY(store.find(ours));
    QVERIFY(!store.find(theirs));

    outcome = store.import(answers, u"002"_s);
    QCOMPARE(importSummary(outcome), u"1 answers imported, 0 already registered, 1 left for other units"_s);
    QCOMPARE(rowCount(u"advt_einvoice"_s), 2);
}

void tst_EInvoiceDemo::invoicePdfCarriesEveryFieldAndADecodableQrCode()
{
    QList<GridBill> bills = generate();
    // One registered bill of an agency with a GSTIN, one without, each printed once.
    const auto registeredBill = std::find_if(bills.begin(), bills.end(), [](const GridBill &b) {
        return isValidGstin(b.gstin) && b.cgst > 0 && b.bpType != u"1"_s;
    });
    QVERIFY(registeredBill != bills.end());
    const GridBill bill = *registeredBill;
    const QString qr = IrpTokens::qrCode(bill.billNo, IrpTokens::irn('a'));
    QJsonObject answer = IrpTokens::answer(bill.billNo, IrpTokens::irn('a'));
    EInvoiceStore store(m_db);
    QCOMPARE(store.import(parseIrpAnswers(QJsonDocument(answer).toJson()).answers, u"001"_s).imported, 1);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoice.pdf"_s);
    const std::optional<QString> failure = writeInvoicePdf(
        {bill}, m_sellers, [&store](const QString &billNo) { return store.find(billNo); }, path);
    QVERIFY2(!failure, qPrintable(failure.value_or(QString())));

    const std::optional<QString> text = output(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!text)
        QSKIP("pdftotext is not installed (scripts/setup installs poppler-utils)");
    const QString page = text->simplified();
    const QString words = AmountInWords(double(bill.amount) / 100.0);
    for (const QString &field : {u"TAX INVOICE"_s,
                                 m_sellers.sv.legalName,
                                 u"Press House, M.G. Road, Kochi 682011"_s,
                                 u"GSTIN : "_s + bill.companyGstin,
                                 u"CIN : "_s + bill.companyCin,
                                 u"Invoice No : "_s + bill.billNo,
                                 u"Invoice Date : "_s + bill.billDate.toString(u"dd-MM-yyyy"_s),
                                 bill.agencyName,
                                 bill.agencyAddress.first(),
                                 u"GSTIN : "_s + bill.gstin,
                                 u"Place of Supply : "_s + bill.subName + u" (State code 32)"_s,
                                 u"Description of Service : PRINT HSN/SAC : 998363"_s,
                                 u"Taxable value "_s + paiseText(bill.taxable),
                                 u"Discount "_s + paiseText(bill.discount),
                                 u"CGST @ 2.5% "_s + paiseText(bill.cgst),
                                 u"SGST @ 2.5% "_s + paiseText(bill.sgst),
                                 u"Total (Rs.) "_s + paiseText(bill.amount),
                                 words,
                                 u"REVERSE CHARGE MECHANISM : NOT APPLICABLE"_s,
                                 u"Authorised Signatory"_s,
                                 u"IRN : "_s + IrpTokens::irn('a'),
                                 u"Ack No : 112010000000001"_s,
                                 u"Ack Date : 07-12-2026 11:30"_s})
        QVERIFY2(page.contains(field), qPrintable(u"missing ["_s + field + u"] in: "_s + page));

    // The QR code decodes back to the signed QR code's text.
    if (!output(u"pdftoppm"_s, {u"-r"_s, u"200"_s, u"-png"_s, u"-singlefile"_s, path, dir.filePath(u"page"_s)}))
        QSKIP("pdftoppm is not installed (scripts/setup installs poppler-utils)");
    const std::optional<QString> decoded = output(
        u"zbarimg"_s, {u"--quiet"_s, u"--raw"_s, u"-Sdisable"_s, u"-Sqrcode.enable"_s, dir.filePath(u"page.png"_s)});
    if (!decoded && QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty())
        QSKIP("zbarimg is not installed (scripts/setup installs zbar-tools)");
    QVERIFY(decoded);
    QCOMPARE(decoded->trimmed(), qr);
}

QTEST_MAIN(tst_EInvoiceDemo)
#include "tst_einvoicedemo.moc"
