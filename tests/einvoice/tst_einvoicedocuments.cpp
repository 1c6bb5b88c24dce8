// The documents for the portal and the readiness report, from bills as generation composes them.
#include "billing/billamounts.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/gstin.h"
#include "irptokens.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(BillRow)

namespace {

void setAgencyAddress(BillRow &bill, const QStringList &lines)
{
    bill.agentAddress1 = lines.value(0);
    bill.agentAddress2 = lines.value(1);
    bill.agentAddress3 = lines.value(2);
}

// The figures as generation writes them: two-decimal tax texts, Net AMT (taxable value, CGST and
// SGST) and the bill amount as numbers.
void setFigures(BillRow &bill, Paise taxable, Paise cgst, Paise sgst, Paise igst, Paise amount)
{
    bill.cgstAmt = paiseText(cgst);
    bill.sgstAmt = paiseText(sgst);
    bill.igstAmt = paiseText(igst);
    bill.netAmt = double(taxable + cgst + sgst) / 100.0;
    bill.amount = double(amount) / 100.0;
}

// A Kerala agency's bill of 10000.00 less a discount of 500, CGST and SGST at 2.5 % each.
BillRow kochiBill()
{
    BillRow bill;
    bill.billNo = u"KC/01201"_s;
    bill.billDate = u"07-Dec-2026"_s;
    bill.agentName = u"MUDRA COMMUNICATIONS"_s;
    setAgencyAddress(bill, {u"2nd Floor, Jos Annexe"_s, u"Jos Junction, M.G. Road"_s, u"Kochi 682016"_s});
    bill.subName = u"ERNAKULAM"_s;
    bill.agencyGst = u"32AABCM4521K1ZR"_s;
    bill.products = u"DLY"_s;
    bill.discount = u"500"_s;
    bill.cgstPer = bill.sgstPer = u"2.50"_s;
    bill.igstPer = u"0.00"_s;
    setFigures(bill, 1000000, 25000, 25000, 0, 1050000);
    return bill;
}

// A Bengaluru agency's bill: IGST at 5 %.
BillRow bengaluruBill()
{
    BillRow bill = kochiBill();
    bill.billNo = u"KC/01202"_s;
    bill.agentName = u"BRIGHTWAVE COMMUNICATIONS"_s;
    setAgencyAddress(bill, {u"41, Residency Road"_s, u"Shanthala Nagar"_s, u"Bengaluru 560025"_s});
    bill.agencyGst = u"29AAECB1122P1ZL"_s;
    bill.cgstPer = bill.sgstPer = u"0.00"_s;
    bill.igstPer = u"5.00"_s;
    setFigures(bill, 1000000, 0, 0, 50000, 1050000);
    return bill;
}

// A direct client's bill of GST type 1: the client's GSTIN, and its booked name and address.
BillRow clientBill()
{
    BillRow bill = kochiBill();
    bill.billNo = u"KC/01261"_s;
    bill.agentName = u"DIRECT - KOCHI"_s;
    setAgencyAddress(bill, {u"Press House, M.G. Road"_s, u"Kochi 682011"_s});
    bill.bookedClientName = u"LULU INTERNATIONAL SHOPPING MALLS PRIVATE LIMITED"_s;
    bill.clientName = bill.bookedClientName.left(30) + u", 34/1000 N.H. 47"_s;
    bill.clientAddress = u"34/1000 N.H. 47"_s;
    bill.clientAddress2 = u"Edappally"_s;
    bill.clientAddress3 = u"Kochi 682024"_s;
    bill.agencyGst = u"32AABCL1234F1Z7"_s;
    bill.billedToClient = true;
    return bill;
}

Sellers sellers()
{
    Sellers s;
    s.sv = Sellers::complete(u"SV"_s, u"SELVORO (P) LTD."_s, u"Press House, M.G. Road, Kochi 682011"_s,
                             u"32AABCS4821R1Z4"_s, u"U22121KL1971PTC002345"_s, {});
    s.sx = Sellers::complete(u"SX"_s, u"SELVORO XPRESS (P) LTD."_s, u"Press House, M.G. Road, Kochi 682011"_s,
                             u"32AAGCS7310M1ZB"_s, u"U22219KL2006PTC019876"_s, {});
    return s;
}

// Compares the fields of a document's part that `expected` names, as JSON texts (a missing field is
// missing from the part's).
void compareFields(const QJsonValue &part, const QJsonObject &expected)
{
    QJsonObject named;
    for (auto field = expected.begin(); field != expected.end(); ++field)
        named.insert(field.key(), part[field.key()]);
    QCOMPARE(QJsonDocument(named).toJson(QJsonDocument::Compact),
             QJsonDocument(expected).toJson(QJsonDocument::Compact));
}

}  // namespace

class tst_EInvoiceDocuments : public QObject
{
    Q_OBJECT
private slots:
    void documentCarriesTheBillAsTheGridHasIt();
    void interStateBillCarriesIgst();
    void clientBillIsMadeOutToTheClient();
    void registrationCountsOnlyForTheBillAsItStands();
    void sellerDetailsComeFromTheCompanyRowAndTheDeploymentFile();
    void billsThatCannotBeRegisteredAreReported_data();
    void billsThatCannotBeRegisteredAreReported();
    void everyBillIsADocumentOrAReportLine();
    void textsRoundTripThroughTheFile();
    void filesAreWrittenWholeOrNotAtAll();
    void documentsPassThePublishedSchemaAndArithmetic();
};

void tst_EInvoiceDocuments::documentCarriesTheBillAsTheGridHasIt()
{
    const QJsonObject doc = einvoiceDocument(kochiBill(), sellers().sv);
    QCOMPARE(doc[u"Version"_s].toString(), u"1.1"_s);
    QCOMPARE(doc[u"TranDtls"_s].toObject(),
             (QJsonObject{{u"TaxSch"_s, u"GST"_s}, {u"SupTyp"_s, u"B2B"_s}, {u"RegRev"_s, u"N"_s}}));
    QCOMPARE(doc[u"DocDtls"_s].toObject(),
             (QJsonObject{{u"Typ"_s, u"INV"_s}, {u"No"_s, u"KC/01201"_s}, {u"Dt"_s, u"07/12/2026"_s}}));
    compareFields(doc[u"SellerDtls"_s], {{u"Gstin"_s, u"32AABCS4821R1Z4"_s},
                                         {u"LglNm"_s, u"SELVORO (P) LTD."_s},
                                         {u"Loc"_s, u"Kochi"_s},
                                         {u"Pin"_s, 682011},
                                         {u"Stcd"_s, u"32"_s}});
    compareFields(doc[u"BuyerDtls"_s], {{u"Gstin"_s, u"32AABCM4521K1ZR"_s},
                                        {u"LglNm"_s, u"MUDRA COMMUNICATIONS"_s},
                                        {u"Addr1"_s, u"2nd Floor, Jos Annexe"_s},
                                        {u"Addr2"_s, u"Jos Junction, M.G. Road, Kochi 682016"_s},
                                        {u"Loc"_s, u"Kochi"_s},
                                        {u"Pin"_s, 682016},
                                        {u"Stcd"_s, u"32"_s},
                                        {u"Pos"_s, u"32"_s}});
    const QJsonArray items = doc[u"ItemList"_s].toArray();
    QCOMPARE(items.size(), 1);
    compareFields(items.first(), {{u"IsServc"_s, u"Y"_s},
                                  {u"HsnCd"_s, u"998363"_s},
                                  {u"PrdDesc"_s, u"PRINT"_s},
                                  {u"TotAmt"_s, 10500},
                                  {u"Discount"_s, 500},
                                  {u"AssAmt"_s, 10000},
                                  {u"GstRt"_s, 5},
                                  {u"CgstAmt"_s, 250},
                                  {u"SgstAmt"_s, 250},
                                  {u"IgstAmt"_s, 0},
                                  {u"TotItemVal"_s, 10500}});
    compareFields(doc[u"ValDtls"_s], {{u"AssVal"_s, 10000}, {u"TotInvVal"_s, 10500}});
}

void tst_EInvoiceDocuments::interStateBillCarriesIgst()
{
    BillRow bill = bengaluruBill();
    // Paise that binary fractions cannot hold: the sums are kept in paise and stay exact.
    setFigures(bill, 1234567, 0, 0, 61728, 1234567 + 61728);
    QCOMPARE(readinessProblems(bill, sellers().sv, {}), QString());
    const QJsonObject doc = einvoiceDocument(bill, sellers().sv);
    const QJsonObject item = doc[u"ItemList"_s].toArray().first().toObject();
    QCOMPARE(item[u"GstRt"_s].toDouble(), 5.0);
    QCOMPARE(item[u"IgstAmt"_s].toDouble(), 617.28);
    QCOMPARE(item[u"CgstAmt"_s].toDouble(), 0.0);
    QCOMPARE(doc[u"BuyerDtls"_s].toObject()[u"Pos"_s].toString(), u"29"_s);
    const QByteArray text = QJsonDocument(doc).toJson(QJsonDocument::Compact);
    QVERIFY2(text.contains("\"TotInvVal\":12962.95"), text.constData());
    QVERIFY2(text.contains("\"AssVal\":12345.67"), text.constData());
}

void tst_EInvoiceDocuments::clientBillIsMadeOutToTheClient()
{
    compareFields(einvoiceDocument(clientBill(), sellers().sv)[u"BuyerDtls"_s],
                  {{u"Gstin"_s, u"32AABCL1234F1Z7"_s},
                   {u"LglNm"_s, u"LULU INTERNATIONAL SHOPPING MALLS PRIVATE LIMITED"_s},
                   {u"Addr1"_s, u"34/1000 N.H. 47"_s},
                   {u"Addr2"_s, u"Edappally, Kochi 682024"_s},
                   {u"Loc"_s, u"Kochi"_s},
                   {u"Pin"_s, 682024},
                   {u"Stcd"_s, u"32"_s}});
}

void tst_EInvoiceDocuments::registrationCountsOnlyForTheBillAsItStands()
{
    const auto kept = [](const QString &billNo, const IrpTokens::Registered &registered) -> RegistrationOf {
        IrpAnswer answer;
        answer.billNo = billNo;
        answer.irn = IrpTokens::irn('a');
        answer.signedQrCode = IrpTokens::qrCode(billNo, answer.irn, registered);
        return
            [answer](const QString &number) { return number == answer.billNo ? std::optional(answer) : std::nullopt; };
    };
    const BillRow bill = kochiBill();
    const RegistrationOf asBilled = kept(u"KC/01201"_s, {u"32AABCM4521K1ZR"_s, 10500});
    QCOMPARE(registrationOf(bill, asBilled).state, BillRegistration::State::Registered);
    QCOMPARE(registrationOf(bengaluruBill(), asBilled).state, BillRegistration::State::NotRegistered);

    // The same number for another total or another buyer is a registration of another document.
    BillRow changed = bill;
    setFigures(changed, 1009524, 25238, 25238, 0, 1060000);
    QCOMPARE(registrationOf(changed, asBilled).state, BillRegistration::State::Changed);
    changed = bill;
    changed.agencyGst = u"32AABCL1234F1Z7"_s;
    changed.billedToClient = true;
    QCOMPARE(registrationOf(changed, asBilled).state, BillRegistration::State::Changed);
    QVERIFY(registrationOf(changed, asBilled).answer);
    const EInvoiceBatch batch = buildEInvoices({changed}, sellers(), asBilled);
    QCOMPARE(batch.documents.size(), 0);
    QCOMPARE(batch.report.first().reason,
             u"changed since registration: IRN "_s + IrpTokens::irn('a')
                 + u" was registered for other figures; cancel it or issue a credit note"_s);

    // A split share carries the original bill's number, never its registration.
    BillRow split = bill;
    split.kind = BillKind::Split;
    QCOMPARE(registrationOf(split, asBilled).state, BillRegistration::State::NotRegistered);
}

void tst_EInvoiceDocuments::sellerDetailsComeFromTheCompanyRowAndTheDeploymentFile()
{
    QCOMPARE(pinInAddress(u"14/220 Bank Road, Kozhikode 673001"_s), u"673001"_s);
    QCOMPARE(pinInAddress(u"Plot 1234567, Kochi"_s), QString());
    QCOMPARE(pinInAddress(u"Press House 682011, Kochi 682016"_s), u"682016"_s);
    QCOMPARE(locationInAddress(u"Press House, M.G. Road, Kochi 682011"_s), u"Kochi"_s);
    QCOMPARE(locationInAddress(u"Thiruvananthapuram - 695001"_s), u"Thiruvananthapuram"_s);

    const Seller worked = sellers().sx;
    QCOMPARE(worked.legalName, u"SELVORO XPRESS (P) LTD."_s);
    QCOMPARE(worked.pin, u"682011"_s);
    QCOMPARE(worked.stateCode, u"32"_s);

    Deployment::EInvoiceSeller configured;
    configured.legalName = u"Selvoro Express Private Limited"_s;
    configured.address = u"Plot 7, Kakkanad"_s;
    configured.location = u"Kakkanad"_s;
    configured.pin = u"682030"_s;
    configured.stateCode = u"32"_s;
    const Seller set = Sellers::complete(u"SX"_s, u"SELVORO XPRESS (P) LTD."_s, u"Press House, Kochi 682011"_s,
                                         u"32AAGCS7310M1ZB"_s, u"CIN"_s, configured);
    QCOMPARE(set.legalName, configured.legalName);
    QCOMPARE(set.address, configured.address);
    QCOMPARE(set.location, configured.location);
    QCOMPARE(set.pin, configured.pin);
    BillRow fsh = kochiBill();
    fsh.products = u"FSH"_s;
    QCOMPARE(sellers().forBill(fsh).code, u"SX"_s);
    fsh.products = u"DLY/MET"_s;
    QCOMPARE(sellers().forBill(fsh).code, u"SV"_s);

    // What neither the company master nor the deployment file gives is a line of the report.
    const Seller bare = Sellers::complete(u"SV"_s, {}, {}, u"32AABCS4821R1Z4"_s, u"CIN"_s, {});
    QCOMPARE(readinessProblems(kochiBill(), bare, {}),
             u"seller name not configured: EInvoiceSV/LegalName; seller address not configured: EInvoiceSV/Address; "
             "seller PIN not configured: EInvoiceSV/Pin"_s);
}

void tst_EInvoiceDocuments::billsThatCannotBeRegisteredAreReported_data()
{
    QTest::addColumn<BillRow>("bill");
    QTest::addColumn<QString>("reason");
    const BillRow good = kochiBill();
    BillRow bill = good;
    bill.kind = BillKind::Split;
    QTest::newRow("split-share") << bill << u"split-share bill: it carries no GSTIN line"_s;
    bill = good;
    bill.agencyGst.clear();
    QTest::newRow("no-gstin") << bill << u"no agency GSTIN"_s;
    bill.agencyGst = u"NA"_s;
    QTest::newRow("gstin-NA") << bill << u"no agency GSTIN"_s;
    bill.agencyGst = u"32AAMFN5566B1ZE"_s;
    QTest::newRow("check-character") << bill << u"agency GSTIN 32AAMFN5566B1ZE fails the check"_s;
    bill = good;
    setAgencyAddress(bill, {u"Mananchira"_s, u"Kozhikode"_s});
    QTest::newRow("no-pin") << bill << u"no PIN in the agency address"_s;
    bill = clientBill();
    bill.clientAddress3 = u"Kochi"_s;
    QTest::newRow("no-pin-client") << bill << u"no PIN in the client address"_s;
    bill = good;
    bill.agentName = u"The \"Best\" Ads"_s;
    QTest::newRow("quote") << bill << u"a name or address holds a double quote or a backslash, which the IRP refuses"_s;
    bill = good;
    bill.agentAddress1 = u"Door 4\\2"_s;
    QTest::newRow("backslash") << bill
                               << u"a name or address holds a double quote or a backslash, which the IRP refuses"_s;
    bill = good;
    bill.billNo = u"0KC/1"_s;
    QTest::newRow("bill-number") << bill << u"bill number not in the form the IRP accepts"_s;
    bill = good;
    setFigures(bill, 1000000, 30000, 25000, 0, 1055000);
    QTest::newRow("tax-off-the-rate") << bill << u"tax amounts do not match the GST rate"_s;
    bill = good;
    bill.amount = 10500.01;
    QTest::newRow("amount-off-the-sum") << bill << u"bill amount 10500.01 is not the taxable value plus tax 10500.00"_s;
    bill = bengaluruBill();
    bill.agencyGst = u"32AABCM4521K1ZR"_s;
    QTest::newRow("igst-within-the-state") << bill << u"IGST for an agency in the company's own state"_s;
    bill = kochiBill();
    bill.agencyGst = u"29AAECB1122P1ZL"_s;
    QTest::newRow("cgst-between-states") << bill << u"CGST and SGST for an agency in another state"_s;
    bill = good;
    bill.agencyGst.clear();
    setAgencyAddress(bill, {u"Market Road"_s});
    QTest::newRow("two-reasons") << bill << u"no agency GSTIN; no PIN in the agency address"_s;
}

void tst_EInvoiceDocuments::billsThatCannotBeRegisteredAreReported()
{
    QFETCH(BillRow, bill);
    QFETCH(QString, reason);
    QCOMPARE(readinessProblems(bill, sellers().sv, {}), reason);
}

void tst_EInvoiceDocuments::everyBillIsADocumentOrAReportLine()
{
    BillRow unregistered = kochiBill();
    unregistered.billNo = u"KC/01203"_s;
    unregistered.agencyGst = u"NA"_s;
    BillRow fsh = kochiBill();
    fsh.billNo = u"KC/01204"_s;
    fsh.products = u"FSH"_s;
    const EInvoiceBatch batch = buildEInvoices({kochiBill(), unregistered, bengaluruBill(), fsh}, sellers(), {});
    QCOMPARE(batch.documents.size(), 3);
    QCOMPARE(batch.documents.at(2).toObject()[u"SellerDtls"_s].toObject()[u"Gstin"_s].toString(), u"32AAGCS7310M1ZB"_s);
    QCOMPARE(batch.report.size(), 1);
    QCOMPARE(batch.report.first().billNo, u"KC/01203"_s);
    QCOMPARE(einvoiceSummary(batch), u"3 documents written, 1 bills listed in the report"_s);
    QCOMPARE(readinessCsv(batch.report), QByteArray("Bill No,Reason\nKC/01203,no agency GSTIN\n"));
    QCOMPARE(readinessCsv({{u"A,1"_s, u"say \"no\""_s}}), QByteArray("Bill No,Reason\n\"A,1\",\"say \"\"no\"\"\"\n"));
    BillRow split = kochiBill();
    split.kind = BillKind::Split;
    QCOMPARE(buildEInvoices({split}, sellers(), {}).report.size(), 1);
}

void tst_EInvoiceDocuments::textsRoundTripThroughTheFile()
{
    // Names as the grid may hold them: quotes, backslashes, Malayalam, a rupee sign, a tab.
    BillRow bill = kochiBill();
    bill.agentName = u"\"Sree\" Ads \\ Kochi \u0D2E\u0D32\u0D2F\u0D3E\u0D33\u0D02 \u20B9\tCaf\u00E9"_s;
    setAgencyAddress(bill, {u"Door 4\\2, \"Anna\" Lane"_s, u"Kochi 682016"_s});
    EInvoiceBatch batch;
    batch.documents.append(einvoiceDocument(bill, sellers().sv));
    batch.report.append({u"KC/\"9\""_s, u"why, \"so\""_s});
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bills.json"_s);
    QVERIFY(!writeEInvoices(batch, path));
    QJsonParseError error;
    const QJsonDocument back = QJsonDocument::fromJson(readAll(path), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject buyer = back.array().first().toObject()[u"BuyerDtls"_s].toObject();
    QCOMPARE(buyer[u"LglNm"_s].toString(), bill.agentName);
    QCOMPARE(buyer[u"Addr1"_s].toString(), bill.agentAddress1);
    QCOMPARE(readinessPath(path), dir.filePath(u"bills-readiness.csv"_s));
    QCOMPARE(readAll(readinessPath(path)), QByteArray("Bill No,Reason\n\"KC/\"\"9\"\"\",\"why, \"\"so\"\"\"\n"));
}

void tst_EInvoiceDocuments::filesAreWrittenWholeOrNotAtAll()
{
    EInvoiceBatch batch = buildEInvoices({kochiBill()}, sellers(), {});
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bills.json"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old documents");
    }
    // The report cannot take its name (a folder holds it): the documents keep their old text.
    QVERIFY(QDir(dir.path()).mkdir(u"bills-readiness.csv"_s));
    const std::optional<QString> failure = writeEInvoices(batch, path);
    QVERIFY(failure);
    QVERIFY2(failure->startsWith(u"cannot write "_s + readinessPath(path)), qPrintable(*failure));
    QCOMPARE(readAll(path), QByteArray("old documents"));

    const QString nowhere = dir.filePath(u"missing/bills.json"_s);
    QVERIFY(writeEInvoices(batch, nowhere));
    QVERIFY(!QFile::exists(nowhere));
    QVERIFY(!QFile::exists(readinessPath(nowhere)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"bills.json"_s});
}

void tst_EInvoiceDocuments::documentsPassThePublishedSchemaAndArithmetic()
{
    if (QProcess::execute(u"python3"_s, {u"-c"_s, u"import jsonschema"_s}) != 0)
        QSKIP("python3-jsonschema is not installed (scripts/setup installs it)");
    const QString checker = QFINDTESTDATA("check_einvoice.py");
    const QString schema = QFINDTESTDATA("irp-invoice-schema.json");
    QTemporaryDir dir;
    const auto check = [&](const QJsonArray &documents) {
        const QString path = dir.filePath(u"documents.json"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        file.write(QJsonDocument(documents).toJson());
        file.close();
        QProcess process;
        process.start(u"python3"_s, {checker, path, schema});
        process.waitForFinished(60000);
        qDebug().noquote() << process.readAllStandardOutput() << process.readAllStandardError();
        return process.exitCode();
    };
    BillRow odd = bengaluruBill();
    odd.agentName = u"\u0D2E\u0D32\u0D2F\u0D3E\u0D33\u0D02 Caf\u00E9 Ads"_s;
    setFigures(odd, 1234567, 0, 0, 61728, 1234567 + 61728);
    BillRow fsh = kochiBill();
    fsh.products = u"FSH"_s;
    const EInvoiceBatch batch = buildEInvoices({kochiBill(), odd, fsh, clientBill()}, sellers(), {});
    QCOMPARE(batch.documents.size(), 4);
    QCOMPARE(check(batch.documents), 0);

    // The checker itself catches what the portal refuses: a field the schema forbids, and totals
    // that do not add up.
    QJsonObject broken = batch.documents.first().toObject();
    QJsonObject buyer = broken[u"BuyerDtls"_s].toObject();
    buyer[u"LglNm"_s] = u"A \"quoted\" name"_s;
    broken[u"BuyerDtls"_s] = buyer;
    QCOMPARE(check({broken}), 1);
    broken = batch.documents.first().toObject();
    QJsonObject values = broken[u"ValDtls"_s].toObject();
    values[u"TotInvVal"_s] = 10500.01;
    broken[u"ValDtls"_s] = values;
    QCOMPARE(check({broken}), 1);
    broken = batch.documents.first().toObject();
    broken.remove(u"SellerDtls"_s);
    QCOMPARE(check({broken}), 1);
}

QTEST_APPLESS_MAIN(tst_EInvoiceDocuments)
#include "tst_einvoicedocuments.moc"
