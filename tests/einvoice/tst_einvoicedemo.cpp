// E-invoicing from the demo data: documents and readiness report from a generated grid, the
// portal's answers kept in advt_einvoice, and the plain-paper invoice with its QR code.
#include "billing/billamounts.h"
#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/amountinwords.h"
#include "common/db.h"
#include "common/outputfile.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/einvoicestatus.h"
#include "einvoice/einvoicestore.h"
#include "einvoice/gstin.h"
#include "einvoice/invoicepdf.h"
#include "irptokens.h"
#include "recordingdialogs.h"
#include "sheet/sheet.h"
#include "testdb.h"
#include "testfiles.h"

#include <QJsonArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A file of the portal's answers, read as the import reads it.
IrpAnswers fileOf(const QJsonArray &objects) { return parseIrpAnswers(QJsonDocument(objects).toJson()); }

QJsonObject cancellation(const QString &irn, const QString &when) { return {{u"Irn"_s, irn}, {u"CancelDate"_s, when}}; }

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
    void cancelledRegistrationIsKeptAndTheBillRegisteredAgain();
    void cancellationsThatThePortalWouldRefuseImportNothing();
    void invoicePdfCarriesEveryFieldAndADecodableQrCode();
    void companyMasterWithOnlyItsNamedColumns();

private:
    const BillRows &generate(const QString &unit = u"001"_s);
    int rowCount(const QString &table);

    Db m_db{u"tst_einvoicedemo"_s};
    RecordingDialogs m_dialogs;
    std::unique_ptr<Sheet> m_sheet;
    BillRows m_bills;
    Sellers m_sellers;
};

void tst_EInvoiceDemo::initTestCase()
{
    REQUIRE_TEST_DB();
    TestDb::reset({TestDb::file(u"db/demo.sql"_s)});
    TestDb::open(m_db);
    m_sellers = Sellers::load(m_db, Deployment());
}

void tst_EInvoiceDemo::init() { m_db.exec(u"DELETE FROM advt_einvoice"_s); }

const BillRows &tst_EInvoiceDemo::generate(const QString &unit)
{
    m_sheet = std::make_unique<Sheet>();
    SetUpBillGrid(*m_sheet, u"Daily"_s, u"Kochi"_s);
    BillFilter filter;
    filter.from = QDate::currentDate().addDays(-70);
    filter.to = QDate::currentDate().addDays(10);
    filter.unitCode = unit;
    BillGenerator(m_db, m_dialogs, *m_sheet, m_bills).generate(filter);
    return m_bills;
}

int tst_EInvoiceDemo::rowCount(const QString &table)
{
    return m_db.firstValue(u"SELECT COUNT(*) FROM "_s + table).toInt();
}

void tst_EInvoiceDemo::eligibleBillsBecomeValidDocumentsAndTheRestAreReported()
{
    const BillRows &bills = generate();
    QVERIFY(bills.size() > 100);
    const EInvoiceBatch batch = buildEInvoices(bills, m_sellers, {});

    // Exactly the bills without a GSTIN, and those of the agency whose GSTIN was mistyped, are
    // reported; every other bill is a document to the party whose GSTIN it carries, with the
    // grid's amount as its total.
    QHash<QString, QString> reported;
    for (const ReadinessEntry &entry : batch.report)
        reported.insert(entry.billNo, entry.reason);
    QHash<QString, QJsonObject> documents;
    for (const QJsonValue &doc : batch.documents)
        documents.insert(doc[u"DocDtls"_s][u"No"_s].toString(), doc.toObject());
    QCOMPARE(qsizetype(reported.size() + documents.size()), qsizetype(bills.size()));
    bool sawCgst = false, sawIgst = false, sawSecondCompany = false, sawClient = false;
    for (const BillRow &bill : bills) {
        const BillParty buyer = bill.buyer();
        const BillAmounts amounts = amountsOf(bill);
        if (buyer.gstin.isEmpty() || buyer.gstin == u"NA"_s) {
            QCOMPARE(reported.value(bill.billNo), u"no agency GSTIN"_s);
        } else if (buyer.gstin == u"32AAMFN5566B1ZE"_s) {
            QCOMPARE(reported.value(bill.billNo), u"agency GSTIN 32AAMFN5566B1ZE fails the check"_s);
        } else {
            QVERIFY2(documents.contains(bill.billNo), qPrintable(bill.billNo + u": "_s + reported.value(bill.billNo)));
            const QJsonObject doc = documents.value(bill.billNo);
            QCOMPARE(paiseOf(QString::number(doc[u"ValDtls"_s][u"TotInvVal"_s].toDouble(), 'f', 2)), amounts.amount);
            QCOMPARE(doc[u"SellerDtls"_s][u"Gstin"_s].toString(), bill.svGstin);
            QCOMPARE(doc[u"BuyerDtls"_s][u"Gstin"_s].toString(), buyer.gstin);
            QCOMPARE(doc[u"BuyerDtls"_s][u"LglNm"_s].toString(), buyer.name);
            QCOMPARE(doc[u"BuyerDtls"_s][u"Addr1"_s].toString(), buyer.address.first());
            sawCgst |= amounts.cgst > 0;
            sawIgst |= amounts.igst > 0;
            sawSecondCompany |= bill.isSecondCompany();
            if (bill.billedToClient) {
                // A direct client's bill is made out to the client as booked, not to the booking desk.
                sawClient = true;
                QCOMPARE(buyer.name, bill.bookedClientName);
                QVERIFY(buyer.name != bill.agentName.trimmed());
                QCOMPARE(buyer.address.first(), bill.clientAddress);
            }
        }
    }
    QVERIFY(sawCgst && sawIgst && sawSecondCompany && sawClient);

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
    const BillRows &bills = generate();
    const QString first = bills.at(0).billNo;
    const QString second = bills.at(1).billNo;
    EInvoiceStore store(m_db);
    const QList<IrpAnswer> answers =
        fileOf({IrpTokens::answer(first, IrpTokens::irn('a')), IrpTokens::answer(second, IrpTokens::irn('b'))}).answers;
    QCOMPARE(answers.size(), 2);
    EInvoiceStore::Outcome outcome = store.import(answers, u"001"_s);
    QCOMPARE(outcome.problems, QStringList());
    QCOMPARE(importSummary(outcome), u"2 answers imported, 0 already registered"_s);
    const QString keptRows = u"SELECT GROUP_CONCAT(CONCAT_WS('|', ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, "
                             "ein_imported_on) ORDER BY ein_bill_no) FROM advt_einvoice"_s;
    const QString kept = m_db.firstValue(keptRows);

    // The same answer again changes nothing.
    outcome = store.import(answers, u"001"_s);
    QCOMPARE(importSummary(outcome), u"0 answers imported, 2 already registered"_s);
    QCOMPARE(m_db.firstValue(keptRows), kept);

    // Another IRN for a registered bill is refused, and the good answer beside it is not kept either.
    const QString third = bills.at(2).billNo;
    const QList<IrpAnswer> clash =
        fileOf({IrpTokens::answer(third, IrpTokens::irn('c')), IrpTokens::answer(first, IrpTokens::irn('d'))}).answers;
    outcome = store.import(clash, u"001"_s);
    QCOMPARE(outcome.problems,
             QStringList{u"bill "_s + first + u" is already registered with IRN "_s + IrpTokens::irn('a')
                         + u"; the file names another IRN, "_s + IrpTokens::irn('d') + u": not imported"_s});
    QCOMPARE(outcome.imported, 0);
    QCOMPARE(rowCount(u"advt_einvoice"_s), 2);

    const RegistrationOf registrations = store.registrationsOf(bills);
    const std::optional<IrpAnswer> found = registrations(first);
    QVERIFY(found);
    QCOMPARE(found->irn, IrpTokens::irn('a'));
    QCOMPARE(found->ackNo, u"112010000000001"_s);
    QCOMPARE(found->ackDate, QDateTime(QDate(2026, 12, 7), QTime(11, 30)));
    QCOMPARE(found->signedQrCode, answers.first().signedQrCode);
    QVERIFY(!registrations(third));
}

void tst_EInvoiceDemo::answerForAnUnknownBillImportsNothing()
{
    EInvoiceStore store(m_db);
    const QString known = generate().front().billNo;
    // A bill number with a quote and a backslash travels as a value: it names no bill, and the
    // statement keeps its meaning.
    const QList<IrpAnswer> answers =
        fileOf({IrpTokens::answer(known, IrpTokens::irn('e')), IrpTokens::answer(u"KC/9'9\\"_s, IrpTokens::irn('f')),
                IrpTokens::answer(known, IrpTokens::irn('e'))})
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
    const QString ours = generate().front().billNo;
    const QString theirs = generate(u"002"_s).front().billNo;
    const QList<IrpAnswer> answers =
        fileOf({IrpTokens::answer(ours, IrpTokens::irn('a')), IrpTokens::answer(theirs, IrpTokens::irn('b'))}).answers;
    QCOMPARE(answers.size(), 2);
    EInvoiceStore::Outcome outcome = store.import(answers, u"001"_s);
    QCOMPARE(outcome.problems, QStringList());
    QCOMPARE(outcome.otherUnits,
             QStringList{u"bill "_s + theirs + u" is a bill of unit 002, not of unit 001: not imported"_s});
    QCOMPARE(importSummary(outcome), u"1 answers imported, 0 already registered, 1 left for other units"_s);
    const RegistrationOf kept = store.registrationsOf(generate());
    QVERIFY(kept(ours));
    QVERIFY(!kept(theirs));

    outcome = store.import(answers, u"002"_s);
    QCOMPARE(importSummary(outcome), u"1 answers imported, 0 already registered, 1 left for other units"_s);
    QCOMPARE(rowCount(u"advt_einvoice"_s), 2);
}

// Registered, cancelled within the day (kept, no longer valid), registered again under a new IRN;
// the status follows each step and the window for cancelling closes 24 hours after acknowledgement.
void tst_EInvoiceDemo::cancelledRegistrationIsKeptAndTheBillRegisteredAgain()
{
    const BillRows &bills = generate();
    const auto registrable = std::find_if(bills.begin(), bills.end(), [](const BillRow &bill) {
        return !bill.billedToClient && isValidGstin(bill.agencyGst);
    });
    QVERIFY(registrable != bills.end());
    const BillRow &bill = *registrable;
    const BillRows one{bill};
    const IrpTokens::Registered figures{bill.agencyGst, double(amountsOf(bill).amount) / 100.0};
    EInvoiceStore store(m_db);
    const auto stateNow = [&] { return registrationOf(bill, store.registrationsOf(one)); };
    const QDateTime acknowledged(QDate(2026, 12, 7), QTime(11, 30));

    IrpAnswers file = fileOf({IrpTokens::answer(bill.billNo, IrpTokens::irn('a'), 112010000000001, figures)});
    QCOMPARE(store.import(file.answers, u"001"_s).imported, 1);
    QCOMPARE(stateNow().state, BillRegistration::State::Registered);
    QCOMPARE(einvoiceStatusText(stateNow(), acknowledged.addSecs(3600)),
             u"registered, cancellable until 08-12-2026 11:30"_s);
    QCOMPARE(einvoiceStatusText(stateNow(), acknowledged.addDays(2)),
             u"registered, past the 24-hour cancellation window"_s);
    QCOMPARE(einvoiceStatusSummary(one, store.registrationsOf(one)), u"e-Invoice: 1 registered"_s);

    file = fileOf({cancellation(IrpTokens::irn('a'), u"2026-12-07 14:30:00"_s)});
    QCOMPARE(file.problems, QStringList());
    EInvoiceStore::Outcome outcome = store.import(file.answers, u"001"_s, file.cancellations);
    QCOMPARE(importSummary(outcome), u"0 answers imported, 0 already registered, 1 cancellations imported, 0 already "
                                     "cancelled"_s);
    QCOMPARE(stateNow().state, BillRegistration::State::Cancelled);
    QVERIFY(!stateNow().isValid());
    QCOMPARE(einvoiceStatusText(stateNow(), acknowledged), u"cancelled on 07-12-2026 14:30"_s);
    // The same cancellation again changes nothing; the bill is ready to be registered again.
    QCOMPARE(store.import(file.answers, u"001"_s, file.cancellations).alreadyCancelled, 1);
    QCOMPARE(readinessProblems(bill, m_sellers.sv, stateNow()), QString());

    file = fileOf({IrpTokens::answer(bill.billNo, IrpTokens::irn('b'), 112010000000002, figures)});
    QCOMPARE(store.import(file.answers, u"001"_s).imported, 1);
    QCOMPARE(stateNow().state, BillRegistration::State::Registered);
    QCOMPARE(stateNow().answer->irn, IrpTokens::irn('b'));
    QCOMPARE(m_db.firstValue(u"SELECT GROUP_CONCAT(CONCAT(LEFT(ein_irn, 1), IF(ein_cancel_date IS NULL, '+', '-')) "
                             "ORDER BY ein_irn) FROM advt_einvoice WHERE ein_bill_no = ?"_s,
                             {bill.billNo}),
             u"a-,b+"_s);
    // Registered again, it is not written as a document a second time, and its status says so.
    QCOMPARE(readinessProblems(bill, m_sellers.sv, stateNow()),
             u"registered: IRN "_s + IrpTokens::irn('b') + u", acknowledged 07-12-2026 11:30"_s);
    const QList<QByteArray> csv =
        einvoiceStatusCsv(one, store.registrationsOf(one), acknowledged.addDays(1)).split('\n');
    QCOMPARE(csv.at(0), QByteArray("Bill No,Bill Date,Buyer GSTIN,Total,Status,IRN,Ack Date"));
    QCOMPARE(QString::fromUtf8(csv.at(1)),
             QStringList({bill.billNo, billDateOf(bill).toString(u"yyyy-MM-dd"_s), bill.agencyGst,
                          paiseText(amountsOf(bill).amount), u"\"registered, past the 24-hour cancellation window\""_s,
                          IrpTokens::irn('b'), u"2026-12-07 11:30:00"_s})
                 .join(u','));
}

void tst_EInvoiceDemo::cancellationsThatThePortalWouldRefuseImportNothing()
{
    const BillRows &bills = generate();
    EInvoiceStore store(m_db);
    const QString first = bills.at(0).billNo;
    const QString second = bills.at(1).billNo;
    const IrpAnswers registered = fileOf({IrpTokens::answer(first, IrpTokens::irn('a')),
                                          IrpTokens::answer(second, IrpTokens::irn('b'), 112010000000002)});
    QCOMPARE(store.import(registered.answers, u"001"_s).imported, 2);
    const IrpAnswers cancelled = fileOf({cancellation(IrpTokens::irn('b'), u"2026-12-07 12:00:00"_s)});
    QCOMPARE(store.import(cancelled.answers, u"001"_s, cancelled.cancellations).cancelled, 1);
    const QString keptRows =
        u"SELECT GROUP_CONCAT(CONCAT_WS('|', ein_irn, ein_cancel_date) ORDER BY ein_irn) FROM advt_einvoice"_s;
    const QString kept = m_db.firstValue(keptRows);

    // An unknown IRN, one past the 24 hours, one cancelled already on another date, and a good one
    // beside them: nothing is cancelled, and each is named.
    const IrpAnswers file = fileOf({cancellation(IrpTokens::irn('c'), u"2026-12-07 12:00:00"_s),
                                    cancellation(IrpTokens::irn('a'), u"2026-12-08 11:31:00"_s),
                                    cancellation(IrpTokens::irn('b'), u"2026-12-07 13:00:00"_s)});
    QCOMPARE(file.problems, QStringList());
    const EInvoiceStore::Outcome outcome = store.import({}, u"001"_s, file.cancellations);
    QCOMPARE(
        outcome.problems,
        (QStringList{u"cancellation of IRN "_s + IrpTokens::irn('c') + u": no registration with this IRN is kept"_s,
                     u"cancellation of IRN "_s + IrpTokens::irn('a') + u" of bill "_s + first
                         + u": 08-12-2026 11:31 is more than 24 hours after its acknowledgement on 07-12-2026 "
                           "11:30; only a credit note corrects it now"_s,
                     u"cancellation of IRN "_s + IrpTokens::irn('b') + u" of bill "_s + second
                         + u": it was cancelled already on 07-12-2026 12:00"_s}));
    QCOMPARE(outcome.cancelled, 0);
    QCOMPARE(m_db.firstValue(keptRows), kept);

    // A new IRN for a bill whose registration stands is refused as before; a cancelled one is no
    // hindrance, and a cancellation without its date is a problem of the file.
    QCOMPARE(store.import(fileOf({IrpTokens::answer(first, IrpTokens::irn('d'))}).answers, u"001"_s).problems.size(),
             1);
    QCOMPARE(store.import(fileOf({IrpTokens::answer(second, IrpTokens::irn('d'))}).answers, u"001"_s).imported, 1);
    QCOMPARE(fileOf({QJsonObject{{u"Irn"_s, IrpTokens::irn('a')}, {u"CancelDate"_s, u"soon"_s}}}).problems,
             QStringList{u"answer 1: CancelDate soon is not a date and time"_s});
}

void tst_EInvoiceDemo::invoicePdfCarriesEveryFieldAndADecodableQrCode()
{
    const BillRows &generated = generate();
    // Each printed once: a registered agency bill, a direct client's bill not yet registered, a
    // bill registered with other figures, and a bill without a GSTIN.
    const auto find = [&generated](const std::function<bool(const BillRow &)> &wanted) -> const BillRow * {
        for (const BillRow &bill : generated)
            if (bill.bpType != u"1"_s && wanted(bill))
                return &bill;
        return nullptr;
    };
    const BillRow *registered = find([](const BillRow &b) {
        return !b.billedToClient && isValidGstin(b.agencyGst) && amountsOf(b).cgst > 0 && !b.roNo.isEmpty();
    });
    const BillRow *client = find([](const BillRow &b) { return b.billedToClient; });
    const BillRow *changed =
        find([&](const BillRow &b) { return &b != registered && !b.billedToClient && isValidGstin(b.agencyGst); });
    const BillRow *plain = find([](const BillRow &b) { return !isValidGstin(b.buyer().gstin); });
    QVERIFY(registered && client && changed && plain);
    const BillRows bills{*registered, *client, *changed, *plain};

    const auto total = [](const BillRow &bill) { return double(amountsOf(bill).amount) / 100.0; };
    const QString qr =
        IrpTokens::qrCode(registered->billNo, IrpTokens::irn('a'), {registered->agencyGst, total(*registered)});
    EInvoiceStore store(m_db);
    const QList<IrpAnswer> answers = fileOf({IrpTokens::answer(registered->billNo, IrpTokens::irn('a'), 112010000000001,
                                                               {registered->agencyGst, total(*registered)}),
                                             IrpTokens::answer(changed->billNo, IrpTokens::irn('b'), 112010000000002,
                                                               {changed->agencyGst, total(*changed) + 1})})
                                         .answers;
    QCOMPARE(store.import(answers, u"001"_s).imported, 2);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoice.pdf"_s);
    const RegistrationOf kept = store.registrationsOf(bills);
    const std::optional<QString> failure =
        writeWholeFile(path, [&](OutputFile &file) { return writeInvoicePdf(bills, m_sellers, kept, file); });
    QVERIFY2(!failure, qPrintable(failure.value_or(QString())));

    const std::optional<QString> text = programOutput(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!text)
        QSKIP("pdftotext is not installed (scripts/setup installs poppler-utils)");
    QStringList pages = text->split(u'\f');
    pages.removeAll(QString());
    QCOMPARE(pages.size(), 4);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const BillRow &bill = bills[std::size_t(i)];
        const QString page = pages[i].simplified();
        const BillParty buyer = bill.buyer();
        const BillAmounts amounts = amountsOf(bill);
        const QString other = bill.billedToClient ? bill.agentName.trimmed() : bill.bookedClientName.trimmed();
        QStringList fields{u"TAX INVOICE"_s,
                           m_sellers.sv.legalName,
                           u"Press House, M.G. Road, Kochi 682011"_s,
                           u"GSTIN : "_s + bill.svGstin,
                           u"CIN : "_s + bill.svCin,
                           u"Invoice No : "_s + bill.billNo,
                           u"Invoice Date : "_s + billDateOf(bill).toString(u"dd-MM-yyyy"_s),
                           buyer.name,
                           buyer.address.first(),
                           other,
                           bill.insertionDate,
                           bill.edition.left(20),
                           u"Description of Service : PRINT HSN/SAC : 998363"_s,
                           u"Taxable value "_s + paiseText(amounts.taxable),
                           u"Total (Rs.) "_s + paiseText(amounts.amount),
                           AmountInWords(double(amounts.amount) / 100.0),
                           u"REVERSE CHARGE MECHANISM : NOT APPLICABLE"_s,
                           u"Authorised Signatory"_s};
        if (!bill.roNo.isEmpty())
            fields << bill.roNo;
        if (isValidGstin(buyer.gstin))
            fields << u"GSTIN : "_s + buyer.gstin << u"Place of Supply : "_s + bill.subName + u" (State code 32)"_s;
        for (const QString &field : fields)
            QVERIFY2(page.contains(field),
                     qPrintable(u"page "_s + QString::number(i + 1) + u": missing ["_s + field + u"] in: "_s + page));
    }
    const QString first = pages[0].simplified();
    for (const QString &field :
         {u"IRN : "_s + IrpTokens::irn('a'), u"Ack No : 112010000000001"_s, u"Ack Date : 07-12-2026 11:30"_s,
          u"CGST @ 2.5% "_s + paiseText(amountsOf(*registered).cgst)})
        QVERIFY2(first.contains(field), qPrintable(u"missing ["_s + field + u"] in: "_s + first));
    QVERIFY(pages[1].contains(u"e-invoice not yet registered"_s));
    QVERIFY(pages[2].contains(u"Registered e-invoice does not match this bill"_s));
    for (qsizetype i = 1; i < pages.size(); ++i)
        QVERIFY(!pages[i].contains(u"IRN :"_s));
    QVERIFY(!pages[3].contains(u"e-invoice"_s));

    // The QR code of the first page decodes back to the signed QR code's text; the others have none.
    if (!programOutput(u"pdftoppm"_s, {u"-r"_s, u"200"_s, u"-png"_s, path, dir.filePath(u"page"_s)}))
        QSKIP("pdftoppm is not installed (scripts/setup installs poppler-utils)");
    const auto decode = [&](int page) {
        return programOutput(u"zbarimg"_s, {u"--quiet"_s, u"--raw"_s, u"-Sdisable"_s, u"-Sqrcode.enable"_s,
                                            dir.filePath(u"page-%1.png"_s.arg(page))});
    };
    if (QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty())
        QSKIP("zbarimg is not installed (scripts/setup installs zbar-tools)");
    const std::optional<QString> decoded = decode(1);
    QVERIFY(decoded);
    QCOMPARE(decoded->trimmed(), qr);
    QVERIFY(!decode(3));
}

void tst_EInvoiceDemo::companyMasterWithOnlyItsNamedColumns()
{
    // The accounts package's company master need not have a name or an address.
    m_db.exec(u"ALTER TABLE acc_companymaster DROP COLUMN comp_name, DROP COLUMN comp_address"_s);
    const BillRows &bills = generate();
    const Sellers bare = Sellers::load(m_db, Deployment());
    QCOMPARE(bare.sv.gstin, m_sellers.sv.gstin);
    const EInvoiceBatch unconfigured = buildEInvoices(bills, bare, {});
    QCOMPARE(unconfigured.documents.size(), 0);
    QCOMPARE(qsizetype(unconfigured.report.size()), qsizetype(bills.size()));
    for (const QString &company : {u"SV"_s, u"SX"_s})
        QVERIFY(std::any_of(unconfigured.report.begin(), unconfigured.report.end(), [&](const ReadinessEntry &entry) {
            return entry.reason.contains(u"seller name not configured: EInvoice%1/LegalName; seller address not "
                                         "configured: EInvoice%1/Address"_s.arg(company));
        }));

    // The deployment file names what the table lacks: the same documents and invoices as before.
    Deployment deployment;
    for (auto [configured, known] :
         {std::pair{&deployment.einvoiceSv, &m_sellers.sv}, std::pair{&deployment.einvoiceSx, &m_sellers.sx}}) {
        configured->legalName = known->legalName;
        configured->address = known->address;
    }
    const Sellers configured = Sellers::load(m_db, deployment);
    QCOMPARE(configured.sv.pin, m_sellers.sv.pin);
    QCOMPARE(buildEInvoices(bills, configured, {}).documents, buildEInvoices(bills, m_sellers, {}).documents);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"invoices.pdf"_s);
    QVERIFY(!writeWholeFile(path, [&](OutputFile &file) { return writeInvoicePdf(bills, configured, {}, file); }));
    const std::optional<QString> text = programOutput(u"pdftotext"_s, {path, u"-"_s});
    if (!text)
        QSKIP("pdftotext is not installed (scripts/setup installs poppler-utils)");
    QVERIFY(text->contains(m_sellers.sv.address));
    TestDb::reset({TestDb::file(u"db/demo.sql"_s)});
}

QTEST_MAIN(tst_EInvoiceDemo)
#include "tst_einvoicedemo.moc"
