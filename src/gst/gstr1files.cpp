#include "gst/gstr1files.h"

#include "common/csvtext.h"
#include "common/outputfile.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/gstin.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

double rupees(Paise amount) { return double(amount) / 100.0; }
double percent(int hundredths) { return double(hundredths) / 100.0; }
QString portalDate(const QDate &date) { return date.toString(u"dd-MM-yyyy"_s); }
QString period(const QDate &month) { return month.toString(u"MMyyyy"_s); }

// Taxable value and tax of several invoices.
struct Sums
{
    Paise taxable = 0, igst = 0, cgst = 0, sgst = 0, value = 0;
    void add(const Gstr1Invoice &invoice)
    {
        taxable += invoice.taxable;
        igst += invoice.igst;
        cgst += invoice.cgst;
        sgst += invoice.sgst;
        value += invoice.value;
    }
};

// The tax of one rate as the sections state it: IGST between states, CGST and SGST within one.
void insertTax(QJsonObject &object, bool interState, const Sums &sums)
{
    if (interState) {
        object.insert(u"iamt"_s, rupees(sums.igst));
    } else {
        object.insert(u"camt"_s, rupees(sums.cgst));
        object.insert(u"samt"_s, rupees(sums.sgst));
    }
    object.insert(u"csamt"_s, 0);
}

QJsonArray items(const Gstr1Invoice &invoice)
{
    Sums sums;
    sums.add(invoice);
    QJsonObject detail{{u"txval"_s, rupees(invoice.taxable)}, {u"rt"_s, percent(invoice.rate)}};
    insertTax(detail, invoice.interState, sums);
    return {QJsonObject{{u"num"_s, 1}, {u"itm_det"_s, detail}}};
}

QJsonArray b2b(const QList<Gstr1Invoice> &invoices)
{
    std::map<QString, QJsonArray> byBuyer;
    for (const Gstr1Invoice &invoice : invoices)
        byBuyer[invoice.buyerGstin].append(QJsonObject{{u"inum"_s, invoice.billNo},
                                                       {u"idt"_s, portalDate(invoice.date)},
                                                       {u"val"_s, rupees(invoice.value)},
                                                       {u"pos"_s, invoice.placeOfSupply},
                                                       {u"rchrg"_s, u"N"_s},
                                                       {u"inv_typ"_s, u"R"_s},
                                                       {u"itms"_s, items(invoice)}});
    QJsonArray section;
    for (const auto &[buyer, invoicesOfBuyer] : byBuyer)
        section.append(QJsonObject{{u"ctin"_s, buyer}, {u"inv"_s, invoicesOfBuyer}});
    return section;
}

QJsonArray b2cl(const QList<Gstr1Invoice> &invoices)
{
    std::map<QString, QJsonArray> byPlace;
    for (const Gstr1Invoice &invoice : invoices)
        byPlace[invoice.placeOfSupply].append(QJsonObject{{u"inum"_s, invoice.billNo},
                                                          {u"idt"_s, portalDate(invoice.date)},
                                                          {u"val"_s, rupees(invoice.value)},
                                                          {u"itms"_s, items(invoice)}});
    QJsonArray section;
    for (const auto &[place, invoicesOfPlace] : byPlace)
        section.append(QJsonObject{{u"pos"_s, place}, {u"inv"_s, invoicesOfPlace}});
    return section;
}

// B2CS invoices summed by place of supply, rate and whether between states.
using B2csKey = std::tuple<QString, int, bool>;
std::map<B2csKey, Sums> b2csSums(const QList<Gstr1Invoice> &invoices)
{
    std::map<B2csKey, Sums> sums;
    for (const Gstr1Invoice &invoice : invoices)
        sums[{invoice.placeOfSupply, invoice.rate, invoice.interState}].add(invoice);
    return sums;
}

QJsonArray b2cs(const QList<Gstr1Invoice> &invoices)
{
    QJsonArray section;
    for (const auto &[key, sums] : b2csSums(invoices)) {
        const auto &[place, rate, interState] = key;
        QJsonObject entry{{u"sply_ty"_s, interState ? u"INTER"_s : u"INTRA"_s},
                          {u"pos"_s, place},
                          {u"typ"_s, u"OE"_s},
                          {u"rt"_s, percent(rate)},
                          {u"txval"_s, rupees(sums.taxable)}};
        insertTax(entry, interState, sums);
        section.append(entry);
    }
    return section;
}

// The SAC summary of some invoices, rate by rate: every bill is the one advertisement service.
std::map<int, Sums> hsnSums(const QList<const QList<Gstr1Invoice> *> &sections)
{
    std::map<int, Sums> byRate;
    for (const QList<Gstr1Invoice> *invoices : sections)
        for (const Gstr1Invoice &invoice : *invoices)
            byRate[invoice.rate].add(invoice);
    return byRate;
}

QJsonArray hsn(const QList<const QList<Gstr1Invoice> *> &sections)
{
    QJsonArray rows;
    for (const auto &[rate, sums] : hsnSums(sections))
        rows.append(QJsonObject{{u"num"_s, rows.size() + 1},
                                {u"hsn_sc"_s, ServiceSac.toString()},
                                {u"desc"_s, ServiceDescription.toString()},
                                {u"uqc"_s, u"NA"_s},
                                {u"qty"_s, 0},
                                {u"rt"_s, percent(rate)},
                                {u"txval"_s, rupees(sums.taxable)},
                                {u"iamt"_s, rupees(sums.igst)},
                                {u"camt"_s, rupees(sums.cgst)},
                                {u"samt"_s, rupees(sums.sgst)},
                                {u"csamt"_s, 0}});
    return rows;
}

QJsonObject documentsIssued(const QList<Gstr1Series> &series)
{
    QJsonArray docs;
    for (const Gstr1Series &entry : series)
        docs.append(QJsonObject{{u"num"_s, docs.size() + 1},
                                {u"from"_s, entry.from},
                                {u"to"_s, entry.to},
                                {u"totnum"_s, entry.total},
                                {u"cancel"_s, entry.cancelled},
                                {u"net_issue"_s, entry.net()}});
    QJsonArray details;
    if (!docs.isEmpty())
        details.append(
            QJsonObject{{u"doc_num"_s, 1}, {u"doc_typ"_s, u"Invoices for outward supply"_s}, {u"docs"_s, docs}});
    return {{u"doc_det"_s, details}};
}

QStringList amountFields(const Sums &sums)
{
    return {paiseText(sums.taxable), paiseText(sums.igst), paiseText(sums.cgst), paiseText(sums.sgst),
            paiseText(sums.value)};
}

QString rateText(int rate) { return QString::number(percent(rate)); }

}  // namespace

QJsonObject gstr1Json(const Gstr1Filing &filing, const QDate &month)
{
    return {
        {u"gstin"_s, filing.gstin},
        {u"fp"_s, period(month)},
        {u"version"_s, Gstr1JsonVersion.toString()},
        {u"hash"_s, u"hash"_s},
        {u"b2b"_s, b2b(filing.b2b)},
        {u"b2cl"_s, b2cl(filing.b2cl)},
        {u"b2cs"_s, b2cs(filing.b2cs)},
        {u"hsn"_s, QJsonObject{{u"hsn_b2b"_s, hsn({&filing.b2b})}, {u"hsn_b2c"_s, hsn({&filing.b2cl, &filing.b2cs})}}},
        {u"doc_issue"_s, documentsIssued(filing.series)},
    };
}

QString gstr1FileName(const QString &gstin, const QDate &month)
{
    return gstin + u'_' + period(month) + u"_GSTR1.json"_s;
}

QByteArray gstr1Csv(const Gstr1Return &gstr1)
{
    QString csv =
        csvLine({u"GSTIN"_s, u"Table"_s, u"Document"_s, u"Date"_s, u"Buyer GSTIN"_s, u"Place of Supply"_s, u"Rate"_s,
                 u"Taxable Value"_s, u"IGST"_s, u"CGST"_s, u"SGST"_s, u"Invoice Value"_s, u"Note"_s});
    const auto invoiceLines = [&csv](const QString &gstin, const QString &table, const QList<Gstr1Invoice> &invoices) {
        for (const Gstr1Invoice &invoice : invoices) {
            Sums sums;
            sums.add(invoice);
            csv += csvLine(QStringList{gstin, table, invoice.billNo, invoice.date.toString(u"yyyy-MM-dd"_s),
                                       invoice.buyerGstin, invoice.placeOfSupply, rateText(invoice.rate)}
                           + amountFields(sums) + QStringList{QString()});
        }
    };
    for (const Gstr1Filing &filing : gstr1.filings) {
        invoiceLines(filing.gstin, u"b2b"_s, filing.b2b);
        invoiceLines(filing.gstin, u"b2cl"_s, filing.b2cl);
        invoiceLines(filing.gstin, u"b2cs invoice"_s, filing.b2cs);
        for (const auto &[key, sums] : b2csSums(filing.b2cs)) {
            const auto &[place, rate, interState] = key;
            csv += csvLine(QStringList{filing.gstin, u"b2cs"_s, {}, {}, {}, place, rateText(rate)} + amountFields(sums)
                           + QStringList{interState ? u"INTER"_s : u"INTRA"_s});
        }
        const QList<std::pair<QString, QList<const QList<Gstr1Invoice> *>>> hsnTables{
            {u"hsn_b2b"_s, {&filing.b2b}}, {u"hsn_b2c"_s, {&filing.b2cl, &filing.b2cs}}};
        for (const auto &[table, sections] : hsnTables)
            for (const auto &[rate, sums] : hsnSums(sections))
                csv += csvLine(QStringList{filing.gstin, table, ServiceSac.toString(), {}, {}, {}, rateText(rate)}
                               + amountFields(sums) + QStringList{QString()});
        for (const Gstr1Series &entry : filing.series)
            csv += csvLine({filing.gstin,
                            u"doc_issue"_s,
                            entry.from + u" - "_s + entry.to,
                            {},
                            {},
                            {},
                            {},
                            {},
                            {},
                            {},
                            {},
                            {},
                            QString::number(entry.total) + u" issued, "_s + QString::number(entry.cancelled)
                                + u" cancelled, "_s + QString::number(entry.net()) + u" net"_s});
    }
    for (const Gstr1Problem &problem : gstr1.problems)
        csv += csvLine({{}, u"problem"_s, problem.billNo, {}, {}, {}, {}, {}, {}, {}, {}, {}, problem.reason});
    return csv.toUtf8();
}

std::optional<QString> stageGstr1(const Gstr1Return &gstr1, const QString &folder,
                                  const std::optional<QString> &csvPath, OutputSet &outputs)
{
    const auto bytes = [](const QByteArray &content) {
        return [content](OutputFile &output) { return writeBytes(output, content); };
    };
    for (const Gstr1Filing &filing : gstr1.filings) {
        const QByteArray json = QJsonDocument(gstr1Json(filing, gstr1.month)).toJson(QJsonDocument::Indented);
        if (std::optional<QString> failure =
                outputs.stage(QDir(folder).filePath(gstr1FileName(filing.gstin, gstr1.month)), bytes(json)))
            return failure;
    }
    if (csvPath)
        return outputs.stage(*csvPath, bytes(gstr1Csv(gstr1)));
    return std::nullopt;
}

QString gstr1Summary(const Gstr1Return &gstr1)
{
    const QString month = gstr1.month.toString(u"MM-yyyy"_s);
    const QString files = QString::number(gstr1.filings.size()) + u" files"_s;
    if (gstr1.bills == 0)
        return u"No bills dated in "_s + month + u": "_s + files + u" with empty sections written"_s;
    return u"GSTR-1 of "_s + month + u": "_s + QString::number(gstr1.bills) + u" bills in "_s + files + u", "_s
           + QString::number(gstr1.problems.size()) + u" bills with problems listed"_s;
}
