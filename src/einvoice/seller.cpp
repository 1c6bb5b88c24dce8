#include "einvoice/seller.h"

#include "billing/billquery.h"
#include "common/db.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const QRegularExpression &pinPattern()
{
    static const QRegularExpression pattern(u"(?<!\\d)([1-9]\\d{5})(?!\\d)"_s);
    return pattern;
}

QString orDefault(const QString &configured, const QString &fallback)
{
    return configured.trimmed().isEmpty() ? fallback : configured.trimmed();
}

}  // namespace

QString pinInAddress(const QString &address)
{
    QString pin;
    // The last one: a house number of six digits may come before it.
    for (const QRegularExpressionMatch &match : pinPattern().globalMatch(address))
        pin = match.captured(1);
    return pin;
}

QString locationInAddress(const QString &address)
{
    QString last = address.section(u',', -1).trimmed();
    last.remove(pinPattern());
    last.remove(QRegularExpression(u"[\\s-]+$"_s));
    return last.trimmed();
}

const Seller &Sellers::forBill(const BillRow &bill) const { return bill.isSecondCompany() ? sx : sv; }

Seller Sellers::complete(const QString &code, const QString &name, const QString &address, const QString &gstin,
                         const QString &cin, const Deployment::EInvoiceSeller &configured)
{
    Seller seller;
    seller.code = code;
    seller.gstin = gstin.trimmed();
    seller.cin = cin.trimmed();
    seller.legalName = orDefault(configured.legalName, name.trimmed());
    seller.address = orDefault(configured.address, address.trimmed());
    seller.location = orDefault(configured.location, locationInAddress(seller.address));
    seller.pin = orDefault(configured.pin, pinInAddress(seller.address));
    seller.stateCode = orDefault(configured.stateCode, seller.gstin.left(2));
    return seller;
}

Sellers Sellers::load(Db &db, const Deployment &deployment)
{
    Sellers sellers;
    sellers.sv = complete(u"SV"_s, {}, {}, {}, {}, deployment.einvoiceSv);
    sellers.sx = complete(u"SX"_s, {}, {}, {}, {}, deployment.einvoiceSx);
    // The company master belongs to the accounts package: its name and address columns are used
    // where the table has them, and the deployment file fills in what it lacks.
    ResultSet rows = db.query(companiesQuery());
    const std::optional<int> name = rows.findPosition(u"comp_name"_s);
    const std::optional<int> address = rows.findPosition(u"comp_address"_s);
    const auto optional = [&rows](std::optional<int> position) {
        return position ? rows.textOrEmpty(*position) : QString();
    };
    while (rows.next()) {
        const QString code = rows.text(u"comp_code"_s);
        const bool sv = code == u"SV"_s;
        (sv ? sellers.sv : sellers.sx) =
            complete(code, optional(name), optional(address), rows.textOrEmpty(u"comp_gstin"_s),
                     rows.textOrEmpty(u"comp_cin"_s), sv ? deployment.einvoiceSv : deployment.einvoiceSx);
    }
    return sellers;
}
