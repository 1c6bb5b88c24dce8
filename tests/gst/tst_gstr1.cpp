// GSTR-1 from bills as generation composes them: where each bill goes, the sums of b2cs and hsn,
// Table 13 and the places of supply of buyers without a GSTIN.
#include "billing/billamounts.h"
#include "gst/gstr1.h"
#include "gst/gstr1files.h"
#include "gst/placeofsupply.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Publisher = u"32AABCS4821R1Z4"_s;
const auto SecondCompany = u"32AAGCS7310M1ZB"_s;

// A bill of `taxable` paise at 5 %: CGST and SGST, or IGST between states.
BillRow bill(const QString &number, const QString &buyerGstin, const QString &address, Paise taxable, bool interState)
{
    BillRow row;
    row.billNo = number;
    row.billDate = u"07-Dec-2026"_s;
    row.agentName = u"AGENCY"_s;
    row.agentAddress1 = address;
    row.agencyGst = buyerGstin;
    row.svGstin = Publisher;
    row.products = u"DLY"_s;
    const Paise half = taxable / 40;
    row.cgstPer = row.sgstPer = interState ? u"0.00"_s : u"2.50"_s;
    row.igstPer = interState ? u"5.00"_s : u"0.00"_s;
    row.cgstAmt = row.sgstAmt = paiseText(interState ? 0 : half);
    row.igstAmt = paiseText(interState ? 2 * half : 0);
    row.netAmt = double(taxable + (interState ? 0 : 2 * half)) / 100.0;
    row.amount = double(taxable + 2 * half) / 100.0;
    return row;
}

}  // namespace

class tst_Gstr1 : public QObject
{
    Q_OBJECT
private slots:
    void billsGoToTheirSectionOrAreProblems();
    void sectionsSumByPlaceAndRate();
    void documentsIssuedCountTheGapsOfEachCompany();
    void placeOfSupplyFromThePin_data();
    void placeOfSupplyFromThePin();
};

void tst_Gstr1::billsGoToTheirSectionOrAreProblems()
{
    BillRows bills{bill(u"KC/01201"_s, u"32AABCM4521K1ZR"_s, u"Kochi 682016"_s, 1000000, false),
                   bill(u"KC/01202"_s, u""_s, u"Kochi 682011"_s, 1000000, false),
                   bill(u"KC/01203"_s, u"NA"_s, u"Chennai 600018"_s, 20000000, true),
                   bill(u"KC/01204"_s, u""_s, u"Chennai 600018"_s, 9500000, true),
                   bill(u"KC/01205"_s, u"32AAMFN5566B1ZE"_s, u"Kozhikode 673001"_s, 1000000, false),
                   bill(u"KC/01206"_s, u""_s, u"Somewhere"_s, 1000000, true)};
    const Gstr1Return gstr1 = buildGstr1(bills, {Publisher, SecondCompany}, QDate(2026, 12, 9), 100000);
    QCOMPARE(gstr1.month, QDate(2026, 12, 1));
    QCOMPARE(gstr1.bills, 6);
    // Both companies file, the second one with nothing.
    QCOMPARE(gstr1.filings.size(), 2);
    const Gstr1Filing &filing = gstr1.filings.first();
    QCOMPARE(gstr1.filings.last().b2b.size() + gstr1.filings.last().b2cs.size(), 0);
    QCOMPARE(filing.b2b.size(), 1);
    QCOMPARE(filing.b2b.first().placeOfSupply, u"32"_s);
    // Above the limit between states: invoice by invoice; at or below it, or within the state: sums.
    QCOMPARE(filing.b2cl.size(), 1);
    QCOMPARE(filing.b2cl.first().billNo, u"KC/01203"_s);
    QCOMPARE(filing.b2cl.first().placeOfSupply, u"33"_s);
    QCOMPARE(filing.b2cs.size(), 2);
    // A GSTIN that fails the check is never taken for a supply without one.
    QCOMPARE(gstr1.problems.size(), 2);
    QCOMPARE(gstr1.problems.at(0).billNo, u"KC/01205"_s);
    QVERIFY(gstr1.problems.at(0).reason.startsWith(u"buyer GSTIN 32AAMFN5566B1ZE fails the check"_s));
    QCOMPARE(gstr1.problems.at(1).billNo, u"KC/01206"_s);
    QVERIFY(gstr1.problems.at(1).reason.contains(u"no place of supply"_s));
    QCOMPARE(gstr1Summary(gstr1), u"GSTR-1 of 12-2026: 6 bills in 2 files, 2 bills with problems listed"_s);
    QCOMPARE(gstr1FileName(Publisher, gstr1.month), u"32AABCS4821R1Z4_122026_GSTR1.json"_s);

    const Gstr1Return empty = buildGstr1({}, {Publisher, u"bad"_s}, QDate(2026, 11, 30), 100000);
    QCOMPARE(empty.filings.size(), 1);
    QCOMPARE(gstr1Summary(empty), u"No bills dated in 11-2026: 1 files with empty sections written"_s);
    const QJsonObject json = gstr1Json(empty.filings.first(), empty.month);
    QCOMPARE(json[u"fp"_s].toString(), u"112026"_s);
    QCOMPARE(json[u"version"_s].toString(), u"GST3.2.4"_s);
    for (const QString &section : {u"b2b"_s, u"b2cl"_s, u"b2cs"_s})
        QVERIFY(json[section].isArray() && json[section].toArray().isEmpty());
    QVERIFY(json[u"hsn"_s][u"hsn_b2b"_s].toArray().isEmpty() && json[u"hsn"_s][u"hsn_b2c"_s].toArray().isEmpty());
    QVERIFY(json[u"doc_issue"_s][u"doc_det"_s].toArray().isEmpty());
}

void tst_Gstr1::sectionsSumByPlaceAndRate()
{
    BillRows bills{bill(u"KC/01201"_s, u""_s, u"Kochi 682011"_s, 1000000, false),
                   bill(u"KC/01202"_s, u""_s, u"Kochi 682011"_s, 50050, false),
                   bill(u"KC/01203"_s, u""_s, u"Chennai 600018"_s, 400000, true),
                   bill(u"KC/01204"_s, u"29AAECB1122P1ZL"_s, u"Bengaluru 560025"_s, 2000000, true)};
    const QJsonObject json =
        gstr1Json(buildGstr1(bills, {Publisher}, QDate(2026, 12, 1), 100000).filings.first(), QDate(2026, 12, 1));
    const QJsonArray b2cs = json[u"b2cs"_s].toArray();
    QCOMPARE(b2cs.size(), 2);
    QCOMPARE(b2cs.at(0).toObject(), (QJsonObject{{u"sply_ty"_s, u"INTRA"_s},
                                                 {u"pos"_s, u"32"_s},
                                                 {u"typ"_s, u"OE"_s},
                                                 {u"rt"_s, 5},
                                                 {u"txval"_s, 10500.5},
                                                 {u"camt"_s, 262.51},
                                                 {u"samt"_s, 262.51},
                                                 {u"csamt"_s, 0}}));
    QCOMPARE(b2cs.at(1)[u"sply_ty"_s].toString(), u"INTER"_s);
    QCOMPARE(b2cs.at(1)[u"iamt"_s].toDouble(), 200.0);
    const QJsonObject invoice = json[u"b2b"_s][0][u"inv"_s][0].toObject();
    QCOMPARE(json[u"b2b"_s][0][u"ctin"_s].toString(), u"29AAECB1122P1ZL"_s);
    QCOMPARE(invoice[u"idt"_s].toString(), u"07-12-2026"_s);
    QCOMPARE(invoice[u"val"_s].toDouble(), 21000.0);
    QCOMPARE(invoice[u"pos"_s].toString(), u"29"_s);
    QCOMPARE(invoice[u"itms"_s][0][u"itm_det"_s].toObject(),
             (QJsonObject{{u"txval"_s, 20000}, {u"rt"_s, 5}, {u"iamt"_s, 1000}, {u"csamt"_s, 0}}));
    // The SAC summary splits the B2B bills from the others.
    const QJsonObject b2bHsn = json[u"hsn"_s][u"hsn_b2b"_s][0].toObject();
    QCOMPARE(b2bHsn[u"hsn_sc"_s].toString(), u"998363"_s);
    QCOMPARE(b2bHsn[u"txval"_s].toDouble(), 20000.0);
    QCOMPARE(json[u"hsn"_s][u"hsn_b2c"_s][0][u"txval"_s].toDouble(), 14500.5);
}

void tst_Gstr1::documentsIssuedCountTheGapsOfEachCompany()
{
    // KC/01202 is not a bill of the month, KC/01203 is the second company's.
    BillRows bills{bill(u"KC/01201"_s, u""_s, u"Kochi 682011"_s, 100000, false),
                   bill(u"KC/01203"_s, u""_s, u"Kochi 682011"_s, 100000, false),
                   bill(u"KC/01204"_s, u""_s, u"Kochi 682011"_s, 100000, false),
                   bill(u"KC/01205"_s, u"32AAMFN5566B1ZE"_s, u"Kochi 682011"_s, 100000, false)};
    bills[1].svGstin = SecondCompany;
    const Gstr1Return gstr1 = buildGstr1(bills, {Publisher, SecondCompany}, QDate(2026, 12, 1), 100000);
    const QJsonArray docs =
        gstr1Json(gstr1.filings.first(), gstr1.month)[u"doc_issue"_s][u"doc_det"_s][0][u"docs"_s].toArray();
    QCOMPARE(docs.size(), 1);
    // A bill with a problem was issued all the same.
    QCOMPARE(docs.at(0).toObject(), (QJsonObject{{u"num"_s, 1},
                                                 {u"from"_s, u"KC/01201"_s},
                                                 {u"to"_s, u"KC/01205"_s},
                                                 {u"totnum"_s, 4},
                                                 {u"cancel"_s, 1},
                                                 {u"net_issue"_s, 3}}));
    QCOMPARE(gstr1.filings.last().series.first().total, 1);
    QCOMPARE(billSerial(u"TR/01200"_s)->series, u"TR/"_s);
    QCOMPARE(billSerial(u"TR/01200"_s)->number, 1200);
    QVERIFY(!billSerial(u"TR/"_s));
}

void tst_Gstr1::placeOfSupplyFromThePin_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QString>("state");
    QTest::newRow("kochi") << u"682011"_s << u"32"_s;
    QTest::newRow("new-delhi") << u"110003"_s << u"07"_s;
    QTest::newRow("chandigarh-in-punjab-circle") << u"160017"_s << u"04"_s;
    QTest::newRow("goa-in-maharashtra-circle") << u"403001"_s << u"30"_s;
    QTest::newRow("puducherry") << u"605001"_s << u"34"_s;
    QTest::newRow("dehradun") << u"248001"_s << u"05"_s;
    QTest::newRow("ranchi") << u"834001"_s << u"20"_s;
    QTest::newRow("agartala") << u"799001"_s << u"16"_s;
    QTest::newRow("hyderabad") << u"500001"_s << u"36"_s;
    QTest::newRow("no-circle") << u"900001"_s << QString();
    QTest::newRow("five-digits") << u"68201"_s << QString();
    QTest::newRow("not-a-number") << u"68201x"_s << QString();
}

void tst_Gstr1::placeOfSupplyFromThePin()
{
    QFETCH(QString, pin);
    QFETCH(QString, state);
    QCOMPARE(stateCodeOfPin(pin), state);
}

QTEST_GUILESS_MAIN(tst_Gstr1)
#include "tst_gstr1.moc"
