#include "gst/gstr1.h"

#include "einvoice/gstin.h"
#include "einvoice/seller.h"
#include "gst/placeofsupply.h"

#include <QHash>
#include <QRegularExpression>

#include <map>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isGstinMissing(const QString &gstin)
{
    return gstin.isEmpty() || gstin.compare(u"NA"_s, Qt::CaseInsensitive) == 0;
}

// The invoice of a bill, or the reason it cannot be one.
std::variant<Gstr1Invoice, QString> invoiceOf(const BillRow &bill)
{
    const BillAmounts amounts = amountsOf(bill);
    const BillParty buyer = bill.buyer();
    const QString sellerState = gstinStateCode(bill.svGstin);
    Gstr1Invoice invoice{bill.billNo,       billDateOf(bill), {},           {},           amounts.isInterState(),
                         amounts.gstRate(), amounts.taxable,  amounts.igst, amounts.cgst, amounts.sgst,
                         amounts.total()};
    if (!isGstinMissing(buyer.gstin)) {
        if (!isValidGstin(buyer.gstin))
            return u"buyer GSTIN "_s + buyer.gstin + u" fails the check: not reported as a supply without a GSTIN"_s;
        invoice.buyerGstin = buyer.gstin;
        invoice.placeOfSupply = gstinStateCode(buyer.gstin);
        return invoice;
    }
    if (!invoice.interState) {
        invoice.placeOfSupply = sellerState;
        return invoice;
    }
    const QString pin = pinInAddress(buyer.address.join(u", "_s));
    invoice.placeOfSupply = stateCodeOfPin(pin);
    if (invoice.placeOfSupply.isEmpty())
        return u"IGST to a buyer without a GSTIN whose address has no PIN of a known state: no place of supply"_s;
    if (invoice.placeOfSupply == sellerState)
        return u"IGST to a buyer without a GSTIN in the seller's own state (PIN "_s + pin + u')';
    return invoice;
}

// Bill numbers by series, each series by running number.
using NumberedBills = std::map<QString, std::map<qint64, QString>>;

NumberedBills numbered(const QStringList &billNumbers)
{
    NumberedBills numbers;
    for (const QString &billNo : billNumbers)
        if (const std::optional<BillSerial> serial = billSerial(billNo))
            numbers[serial->series].emplace(serial->number, billNo);
    return numbers;
}

// Table 13 of one company: the numbers of its bills, series by series. A number of its range that
// no bill of the month carries counts as cancelled, unless the other company's bills carry it.
QList<Gstr1Series> seriesOf(const QStringList &billNumbers, const NumberedBills &allNumbers)
{
    QList<Gstr1Series> series;
    for (const auto &[prefix, running] : numbered(billNumbers)) {
        const qint64 first = running.begin()->first;
        const qint64 last = running.rbegin()->first;
        const std::map<qint64, QString> &everyBill = allNumbers.at(prefix);
        const auto inRange = std::distance(everyBill.lower_bound(first), everyBill.upper_bound(last));
        const int others = int(inRange) - int(running.size());
        Gstr1Series entry{running.begin()->second, running.rbegin()->second, int(last - first + 1) - others, 0};
        entry.cancelled = entry.total - int(running.size());
        series.append(entry);
    }
    return series;
}

}  // namespace

std::optional<BillSerial> billSerial(const QString &billNo)
{
    static const QRegularExpression pattern(u"^(.*?)(\\d+)$"_s);
    const QRegularExpressionMatch match = pattern.match(billNo.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return BillSerial{match.captured(1), match.captured(2).toLongLong()};
}

Gstr1Return buildGstr1(const BillRows &bills, const QStringList &sellerGstins, const QDate &month, int b2clLimit)
{
    Gstr1Return result;
    result.month = QDate(month.year(), month.month(), 1);
    QHash<QString, qsizetype> filingOf;
    const auto filing = [&](const QString &gstin) -> Gstr1Filing & {
        if (!filingOf.contains(gstin)) {
            filingOf.insert(gstin, result.filings.size());
            result.filings.append({gstin, {}, {}, {}, {}});
        }
        return result.filings[filingOf.value(gstin)];
    };
    for (const QString &gstin : sellerGstins)
        if (isValidGstin(gstin))
            filing(gstin);

    QHash<QString, QStringList> numbersOf;  // by seller GSTIN
    QStringList allNumbers;
    for (const BillRow &bill : printableBills(bills)) {
        ++result.bills;
        allNumbers.append(bill.billNo);
        if (!isValidGstin(bill.svGstin)) {
            result.problems.append({bill.billNo, u"seller GSTIN "_s + bill.svGstin + u" fails the check"_s});
            continue;
        }
        numbersOf[bill.svGstin].append(bill.billNo);
        const std::variant<Gstr1Invoice, QString> placed = invoiceOf(bill);
        if (const QString *reason = std::get_if<QString>(&placed)) {
            result.problems.append({bill.billNo, *reason});
            continue;
        }
        const Gstr1Invoice &invoice = std::get<Gstr1Invoice>(placed);
        Gstr1Filing &to = filing(bill.svGstin);
        if (!invoice.buyerGstin.isEmpty())
            to.b2b.append(invoice);
        else if (invoice.interState && invoice.value > Paise(b2clLimit) * 100)
            to.b2cl.append(invoice);
        else
            to.b2cs.append(invoice);
    }
    const NumberedBills everyBill = numbered(allNumbers);
    for (Gstr1Filing &company : result.filings)
        if (const auto numbers = numbersOf.constFind(company.gstin); numbers != numbersOf.cend())
            company.series = seriesOf(*numbers, everyBill);
    return result;
}
