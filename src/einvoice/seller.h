#pragma once

#include "billing/billrow.h"
#include "common/deployment.h"

#include <QString>

class Db;

// A publisher company as e-invoice documents and the plain-paper invoice name it.
struct Seller
{
    QString code;  // SV or SX
    QString gstin;
    QString cin;
    QString legalName;
    QString address;
    QString location;
    QString pin;  // six digits, or empty when neither the deployment file nor the address has one
    QString stateCode;
};

// The six-digit PIN in an address text ("Kochi 682011"), or empty.
QString pinInAddress(const QString &address);
// The place an address ends with, without its PIN: "Press House, M.G. Road, Kochi 682011" -> "Kochi".
QString locationInAddress(const QString &address);

// The two companies whose GSTIN and CIN the grid carries: the row of acc_companymaster, completed
// by the deployment file's values. A company without a row is named by its code with all else empty.
struct Sellers
{
    Seller sv;
    Seller sx;
    // The company that bills a bill: SX for the product FSH, SV for the rest, as generation chooses.
    const Seller &forBill(const BillRow &bill) const;

    static Sellers load(Db &db, const Deployment &deployment);
    // The same from values already read: for callers that hold the rows.
    static Seller complete(const QString &code, const QString &name, const QString &address, const QString &gstin,
                           const QString &cin, const Deployment::EInvoiceSeller &configured);
};
