#include "einvoice/einvoicedocuments.h"

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
QStringList buyerAddress(const GridBill &bill)
{
    QStringList lines = bill.agencyAddress;
    if (lines.size() > 2)
        lines = {lines.first(), lines.sliced(1).join(u", "_s)};
    return lines;
}

QString buyerPin(const GridBill &bill) { return pinInAddress(bill.agencyAddress.join(u", "_s)); }

// The place a buyer is at: the address line with the PIN, less the PIN; else the sub-area.
QString buyerLocation(const GridBill &bill)
{
    for (const QString &line : bill.agencyAddress) {
        if (pinInAddress(line).isEmpty())
            continue;
        if (const QString place = locationInAddress(line); place.size() >= 3)
            return place;
    }
    return bill.subName.trimmed();
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

QString readinessProblems(const GridBill &bill, const Seller &seller, BillKind kind)
{
    if (kind == BillKind::Split)
        return u"split-share bill: it carries no GSTIN line"_s;
    QStringList problems;
    if (isGstinMissing(bill.gstin))
        problems << u"no agency GSTIN"_s;
    else if (!isValidGstin(bill.gstin))
        problems << u"agency GSTIN "_s + bill.gstin + u" fails the check"_s;
    if (bill.agencyName.trimmed().size() < 3)
        problems << u"no agency name"_s;
    if (bill.agencyAddress.isEmpty())
        problems << u"no agency address"_s;
    else if (buyerPin(bill).isEmpty())
        problems << u"no PIN in the agency address"_s;
    else if (buyerLocation(bill).size() < 3)
        problems << u"no place in the agency address"_s;
    if (!isValidGstin(seller.gstin))
        problems << u"company "_s + seller.code + u" GSTIN "_s + seller.gstin + u" fails the check"_s;
    if (seller.pin.size() != 6)
        problems << u"no PIN for company "_s + seller.code;
    if (seller.legalName.size() < 3 || seller.address.isEmpty() || seller.location.size() < 3)
        problems << u"no name, address or place for company "_s + seller.code;
    if (!documentNumberPattern().match(bill.billNo).hasMatch())
        problems << u"bill number not in the form the IRP accepts"_s;
    if (!bill.billDate.isValid())
        problems << u"no bill date"_s;
    // Every text field of a document refuses double quotes and backslashes.
    const QString texts =
        bill.agencyName + bill.agencyAddress.join(QString()) + seller.legalName + seller.address + seller.location;
    if (texts.contains(u'"') || texts.contains(u'\\'))
        problems << u"a name or address holds a double quote or a backslash, which the IRP refuses"_s;
    if (bill.taxable <= 0)
        problems << u"no taxable value"_s;
    const bool taxesFit = bill.isInterState()
                              ? !taxDiffers(bill.igst, bill.taxable, bill.igstRate) && bill.cgst == 0 && bill.sgst == 0
                              : !taxDiffers(bill.cgst, bill.taxable, bill.cgstRate)
                                    && !taxDiffers(bill.sgst, bill.taxable, bill.sgstRate);
    if (!taxesFit)
        problems << u"tax amounts do not match the GST rate"_s;
    // Within the seller's state the portal wants CGST and SGST, between states IGST.
    const bool withinState = gstinStateCode(bill.gstin) == seller.stateCode;
    if (isValidGstin(bill.gstin) && withinState == bill.isInterState())
        problems << (bill.isInterState() ? u"IGST for an agency in the company's own state"_s
                                         : u"CGST and SGST for an agency in another state"_s);
    if (bill.total() != bill.amount)
        problems << u"bill amount "_s + paiseText(bill.amount) + u" is not the taxable value plus tax "_s
                        + paiseText(bill.total());
    return problems.join(u"; "_s);
}

QJsonObject einvoiceDocument(const GridBill &bill, const Seller &seller)
{
    const QString buyerState = gstinStateCode(bill.gstin);
    QJsonObject sellerDetails =
        withSecondLine({{u"Gstin"_s, seller.gstin}, {u"LglNm"_s, seller.legalName.left(100)}}, {seller.address});
    sellerDetails.insert(u"Loc"_s, seller.location.left(50));
    sellerDetails.insert(u"Pin"_s, seller.pin.toInt());
    sellerDetails.insert(u"Stcd"_s, seller.stateCode);

    QJsonObject buyerDetails = withSecondLine(
        {{u"Gstin"_s, bill.gstin}, {u"LglNm"_s, bill.agencyName.trimmed().left(100)}, {u"Pos"_s, buyerState}},
        buyerAddress(bill));
    buyerDetails.insert(u"Loc"_s, buyerLocation(bill).left(100));
    buyerDetails.insert(u"Pin"_s, buyerPin(bill).toInt());
    buyerDetails.insert(u"Stcd"_s, buyerState);

    // One service line: its gross is the taxable value with the discount added back.
    const Paise gross = bill.taxable + bill.discount;
    const QJsonObject item{
        {u"SlNo"_s, u"1"_s},
        {u"PrdDesc"_s, ServiceDescription.toString()},
        {u"IsServc"_s, u"Y"_s},
        {u"HsnCd"_s, ServiceSac.toString()},
        {u"Qty"_s, 1},
        {u"Unit"_s, u"OTH"_s},
        {u"UnitPrice"_s, rupees(gross)},
        {u"TotAmt"_s, rupees(gross)},
        {u"Discount"_s, rupees(bill.discount)},
        {u"AssAmt"_s, rupees(bill.taxable)},
        {u"GstRt"_s, percent(bill.gstRate())},
        {u"IgstAmt"_s, rupees(bill.igst)},
        {u"CgstAmt"_s, rupees(bill.cgst)},
        {u"SgstAmt"_s, rupees(bill.sgst)},
        {u"TotItemVal"_s, rupees(bill.total())},
    };
    const QJsonObject values{
        {u"AssVal"_s, rupees(bill.taxable)}, {u"CgstVal"_s, rupees(bill.cgst)},      {u"SgstVal"_s, rupees(bill.sgst)},
        {u"IgstVal"_s, rupees(bill.igst)},   {u"TotInvVal"_s, rupees(bill.total())},
    };
    return {
        {u"Version"_s, u"1.1"_s},
        {u"TranDtls"_s, QJsonObject{{u"TaxSch"_s, u"GST"_s}, {u"SupTyp"_s, u"B2B"_s}, {u"RegRev"_s, u"N"_s}}},
        {u"DocDtls"_s,
         QJsonObject{{u"Typ"_s, u"INV"_s}, {u"No"_s, bill.billNo}, {u"Dt"_s, bill.billDate.toString(u"dd/MM/yyyy"_s)}}},
        {u"SellerDtls"_s, sellerDetails},
        {u"BuyerDtls"_s, buyerDetails},
        {u"ItemList"_s, QJsonArray{item}},
        {u"ValDtls"_s, values},
    };
}

EInvoiceBatch buildEInvoices(const QList<GridBill> &bills, const Sellers &sellers, BillKind kind)
{
    EInvoiceBatch batch;
    for (const GridBill &bill : bills) {
        const Seller &seller = sellers.forProducts(bill.products);
        if (const QString problems = readinessProblems(bill, seller, kind); !problems.isEmpty())
            batch.report.append({bill.billNo, problems});
        else
            batch.documents.append(einvoiceDocument(bill, seller));
    }
    return batch;
}

QByteArray readinessCsv(const QList<ReadinessEntry> &report)
{
    const auto field = [](const QString &text) {
        if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
            return text;
        return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
    };
    QString csv = u"Bill No,Reason\n"_s;
    for (const ReadinessEntry &entry : report)
        csv += field(entry.billNo) + u',' + field(entry.reason) + u'\n';
    return csv.toUtf8();
}

QString readinessPath(const QString &documentsPath)
{
    const QFileInfo info(documentsPath);
    return info.dir().filePath(info.completeBaseName() + u"-readiness.csv"_s);
}

std::optional<QString> writeEInvoices(const EInvoiceBatch &batch, const QString &path)
{
    const QByteArray documents = QJsonDocument(batch.documents).toJson(QJsonDocument::Indented);
    const QString reportPath = readinessPath(path);
    OutputFile file(path);
    OutputFile report(reportPath);
    const QByteArray csv = readinessCsv(batch.report);
    // Both are written out before either takes its name, so a failure leaves neither behind.
    for (auto [output, bytes] : {std::pair{&file, &documents}, std::pair{&report, &csv}}) {
        if (std::optional<QString> failure = output->open())
            return failure;
        if (output->device().write(*bytes) != bytes->size())
            return output->failure();
    }
    if (std::optional<QString> failure = file.commit())
        return failure;
    return report.commit();
}

QString einvoiceSummary(const EInvoiceBatch &batch)
{
    return QString::number(batch.documents.size()) + u" documents written, "_s + QString::number(batch.report.size())
           + u" bills listed in the report"_s;
}
