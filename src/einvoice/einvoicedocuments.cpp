#include "einvoice/einvoicedocuments.h"

#include "billing/billamounts.h"
#include "common/csvtext.h"
#include "common/outputfile.h"
#include "einvoice/gstin.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the portal accepts as a document number: a letter or a digit other than 0, then up to
// fifteen letters, digits, slashes and hyphens.
const QRegularExpression &documentNumberPattern()
{
    static const QRegularExpression pattern(u"^[A-Za-z1-9][A-Za-z0-9/-]{0,15}$"_s);
    return pattern;
}

double rupees(Paise amount) { return double(amount) / 100.0; }
double percent(int hundredths) { return double(hundredths) / 100.0; }

bool isGstinMissing(const QString &gstin)
{
    return gstin.isEmpty() || gstin.compare(u"NA"_s, Qt::CaseInsensitive) == 0;
}

// The buyer's address lines as the portal takes them: the first line, then the others joined.
QStringList portalAddress(const BillParty &buyer)
{
    QStringList lines = buyer.address;
    if (lines.size() > 2)
        lines = {lines.first(), lines.sliced(1).join(u", "_s)};
    return lines;
}

QString buyerPin(const BillParty &buyer) { return pinInAddress(buyer.address.join(u", "_s)); }

// The place a buyer is at: the address line with the PIN, less the PIN; else the buyer's sub-area.
QString buyerLocation(const BillParty &buyer)
{
    for (const QString &line : buyer.address) {
        if (pinInAddress(line).isEmpty())
            continue;
        if (const QString place = locationInAddress(line); place.size() >= 3)
            return place;
    }
    return buyer.place;
}

// What the deployment file must supply when the company master does not.
QStringList sellerProblems(const Seller &seller)
{
    const QString section = u"EInvoice"_s + seller.code + u'/';
    QStringList problems;
    if (!isValidGstin(seller.gstin))
        problems << u"company "_s + seller.code + u" GSTIN "_s + seller.gstin + u" fails the check"_s;
    if (seller.legalName.size() < 3)
        problems << u"seller name not configured: "_s + section + u"LegalName"_s;
    if (seller.address.isEmpty())
        problems << u"seller address not configured: "_s + section + u"Address"_s;
    else if (seller.location.size() < 3)
        problems << u"seller place not configured: "_s + section + u"Location"_s;
    if (seller.pin.size() != 6)
        problems << u"seller PIN not configured: "_s + section + u"Pin"_s;
    return problems;
}

// The tax the portal expects of a rate may differ from the bill's by one rupee at most.
bool taxDiffers(Paise tax, Paise taxable, int rateHundredths)
{
    const double expected = double(taxable) * rateHundredths / 10000.0;
    return std::abs(double(tax) - expected) > 100.0;
}

QJsonObject withSecondLine(QJsonObject party, const QStringList &lines)
{
    party.insert(u"Addr1"_s, lines.value(0).left(100));
    // The portal refuses a second line of fewer than three characters: such a line is left out.
    if (lines.size() > 1 && lines.at(1).size() >= 3)
        party.insert(u"Addr2"_s, lines.at(1).left(100));
    return party;
}

}  // namespace

bool ReportingWindow::isPast(const QDate &billDate) const
{
    return days > 0 && today.isValid() && billDate.isValid() && billDate.daysTo(today) > days;
}

QString readinessProblems(const BillRow &bill, const Seller &seller, const BillRegistration &registration,
                          const ReportingWindow &window)
{
    if (bill.kind == BillKind::Split)
        return u"split-share bill: it carries no GSTIN line"_s;
    if (registration.state == BillRegistration::State::Changed)
        return u"changed since registration: IRN "_s + registration.answer->irn
               + u" was registered for other figures; cancel it or issue a credit note"_s;
    // The portal refuses a document it has registered already.
    if (registration.isValid())
        return u"registered: IRN "_s + registration.answer->irn + u", acknowledged "_s
               + registration.answer->ackDate.toString(u"dd-MM-yyyy HH:mm"_s);
    if (window.isPast(billDateOf(bill)))
        return u"past the reporting window: dated "_s + billDateOf(bill).toString(u"dd-MM-yyyy"_s) + u", more than "_s
               + QString::number(window.days) + u" days before today"_s;
    const BillParty buyer = bill.buyer();
    const BillAmounts amounts = amountsOf(bill);
    const QString party = bill.billedToClient ? u"client"_s : u"agency"_s;
    const QString aParty = bill.billedToClient ? u"a client"_s : u"an agency"_s;
    QStringList problems;
    if (isGstinMissing(buyer.gstin))
        problems << u"no "_s + party + u" GSTIN"_s;
    else if (!isValidGstin(buyer.gstin))
        problems << party + u" GSTIN "_s + buyer.gstin + u" fails the check"_s;
    if (buyer.name.size() < 3)
        problems << u"no "_s + party + u" name"_s;
    if (buyer.address.isEmpty())
        problems << u"no "_s + party + u" address"_s;
    else if (buyerPin(buyer).isEmpty())
        problems << u"no PIN in the "_s + party + u" address"_s;
    else if (buyerLocation(buyer).size() < 3)
        problems << u"no place in the "_s + party + u" address"_s;
    problems += sellerProblems(seller);
    if (!documentNumberPattern().match(bill.billNo).hasMatch())
        problems << u"bill number not in the form the IRP accepts"_s;
    if (!billDateOf(bill).isValid())
        problems << u"no bill date"_s;
    // Every text field of a document refuses double quotes and backslashes.
    const QString texts =
        buyer.name + buyer.address.join(QString()) + seller.legalName + seller.address + seller.location;
    if (texts.contains(u'"') || texts.contains(u'\\'))
        problems << u"a name or address holds a double quote or a backslash, which the IRP refuses"_s;
    if (amounts.taxable <= 0)
        problems << u"no taxable value"_s;
    const bool taxesFit = amounts.isInterState() ? !taxDiffers(amounts.igst, amounts.taxable, amounts.igstRate)
                                                       && amounts.cgst == 0 && amounts.sgst == 0
                                                 : !taxDiffers(amounts.cgst, amounts.taxable, amounts.cgstRate)
                                                       && !taxDiffers(amounts.sgst, amounts.taxable, amounts.sgstRate);
    if (!taxesFit)
        problems << u"tax amounts do not match the GST rate"_s;
    // Within the seller's state the portal wants CGST and SGST, between states IGST.
    const bool withinState = gstinStateCode(buyer.gstin) == seller.stateCode;
    if (isValidGstin(buyer.gstin) && withinState == amounts.isInterState())
        problems << (amounts.isInterState() ? u"IGST for "_s + aParty + u" in the company's own state"_s
                                            : u"CGST and SGST for "_s + aParty + u" in another state"_s);
    if (amounts.total() != amounts.amount)
        problems << u"bill amount "_s + paiseText(amounts.amount) + u" is not the taxable value plus tax "_s
                        + paiseText(amounts.total());
    return problems.join(u"; "_s);
}

QJsonObject einvoiceDocument(const BillRow &bill, const Seller &seller)
{
    const BillParty buyer = bill.buyer();
    const BillAmounts amounts = amountsOf(bill);
    const QString buyerState = gstinStateCode(buyer.gstin);
    QJsonObject sellerDetails =
        withSecondLine({{u"Gstin"_s, seller.gstin}, {u"LglNm"_s, seller.legalName.left(100)}}, {seller.address});
    sellerDetails.insert(u"Loc"_s, seller.location.left(50));
    sellerDetails.insert(u"Pin"_s, seller.pin.toInt());
    sellerDetails.insert(u"Stcd"_s, seller.stateCode);

    QJsonObject buyerDetails = withSecondLine(
        {{u"Gstin"_s, buyer.gstin}, {u"LglNm"_s, buyer.name.left(100)}, {u"Pos"_s, buyerState}}, portalAddress(buyer));
    buyerDetails.insert(u"Loc"_s, buyerLocation(buyer).left(100));
    buyerDetails.insert(u"Pin"_s, buyerPin(buyer).toInt());
    buyerDetails.insert(u"Stcd"_s, buyerState);

    // One service line: its gross is the taxable value with the discount added back.
    const Paise gross = amounts.taxable + amounts.discount;
    const QJsonObject item{
        {u"SlNo"_s, u"1"_s},
        {u"PrdDesc"_s, ServiceDescription.toString()},
        {u"IsServc"_s, u"Y"_s},
        {u"HsnCd"_s, ServiceSac.toString()},
        {u"Qty"_s, 1},
        {u"Unit"_s, u"OTH"_s},
        {u"UnitPrice"_s, rupees(gross)},
        {u"TotAmt"_s, rupees(gross)},
        {u"Discount"_s, rupees(amounts.discount)},
        {u"AssAmt"_s, rupees(amounts.taxable)},
        {u"GstRt"_s, percent(amounts.gstRate())},
        {u"IgstAmt"_s, rupees(amounts.igst)},
        {u"CgstAmt"_s, rupees(amounts.cgst)},
        {u"SgstAmt"_s, rupees(amounts.sgst)},
        {u"TotItemVal"_s, rupees(amounts.total())},
    };
    const QJsonObject values{
        {u"AssVal"_s, rupees(amounts.taxable)},    {u"CgstVal"_s, rupees(amounts.cgst)},
        {u"SgstVal"_s, rupees(amounts.sgst)},      {u"IgstVal"_s, rupees(amounts.igst)},
        {u"TotInvVal"_s, rupees(amounts.total())},
    };
    return {
        {u"Version"_s, u"1.1"_s},
        {u"TranDtls"_s, QJsonObject{{u"TaxSch"_s, u"GST"_s}, {u"SupTyp"_s, u"B2B"_s}, {u"RegRev"_s, u"N"_s}}},
        {u"DocDtls"_s, QJsonObject{{u"Typ"_s, u"INV"_s},
                                   {u"No"_s, bill.billNo},
                                   {u"Dt"_s, billDateOf(bill).toString(u"dd/MM/yyyy"_s)}}},
        {u"SellerDtls"_s, sellerDetails},
        {u"BuyerDtls"_s, buyerDetails},
        {u"ItemList"_s, QJsonArray{item}},
        {u"ValDtls"_s, values},
    };
}

EInvoiceBatch buildEInvoices(const BillRows &bills, const Sellers &sellers, const RegistrationOf &kept,
                             const ReportingWindow &window, const Progress &progress)
{
    EInvoiceBatch batch;
    const std::span<const BillRow> printable = printableBills(bills);
    int done = 0;
    for (const BillRow &bill : printable) {
        const Seller &seller = sellers.forBill(bill);
        if (const QString problems = readinessProblems(bill, seller, registrationOf(bill, kept), window);
            !problems.isEmpty())
            batch.report.append({bill.billNo, problems});
        else
            batch.documents.append(einvoiceDocument(bill, seller));
        if (!goOn(progress, ++done, int(printable.size()))) {
            batch.stopped = true;
            break;
        }
    }
    return batch;
}

QByteArray readinessCsv(const QList<ReadinessEntry> &report)
{
    QString csv = u"Bill No,Reason\n"_s;
    for (const ReadinessEntry &entry : report)
        csv += csvLine({entry.billNo, entry.reason});
    return csv.toUtf8();
}

QString readinessPath(const QString &documentsPath)
{
    const QFileInfo info(documentsPath);
    return info.dir().filePath(info.completeBaseName() + u"-readiness.csv"_s);
}

std::optional<QString> stageEInvoices(const EInvoiceBatch &batch, const QString &path, OutputSet &outputs)
{
    const auto bytes = [](const QByteArray &content) {
        return [content](OutputFile &output) { return writeBytes(output, content); };
    };
    if (std::optional<QString> failure =
            outputs.stage(path, bytes(QJsonDocument(batch.documents).toJson(QJsonDocument::Indented))))
        return failure;
    return outputs.stage(readinessPath(path), bytes(readinessCsv(batch.report)));
}

std::optional<QString> writeEInvoices(const EInvoiceBatch &batch, const QString &path)
{
    OutputSet outputs;
    if (std::optional<QString> failure = stageEInvoices(batch, path, outputs))
        return failure;
    return outputs.commit();
}

QString einvoiceSummary(const EInvoiceBatch &batch)
{
    return QString::number(batch.documents.size()) + u" documents written, "_s + QString::number(batch.report.size())
           + u" bills listed in the report"_s;
}
