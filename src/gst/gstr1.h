#pragma once

#include "billing/billamounts.h"
#include "billing/billrow.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// GSTR-1, the return of outward supplies, as the desk prepares it for one month: the bills grouped
// by the GSTIN of the company that issued them.

// One bill as the return reports it. Rates in hundredths of a percent, amounts in paise.
struct Gstr1Invoice
{
    QString billNo;
    QDate date;
    QString buyerGstin;     // B2B only
    QString placeOfSupply;  // a state code
    bool interState = false;
    int rate = 0;
    Paise taxable = 0;
    Paise igst = 0;
    Paise cgst = 0;
    Paise sgst = 0;
    Paise value = 0;  // the invoice value: taxable value plus tax, as the e-invoice document states it
};

// One series of bill numbers (the unit's numbering: "KC/" for "KC/01201") in Table 13.
struct Gstr1Series
{
    QString from;
    QString to;
    int total = 0;      // every number from the first to the last
    int cancelled = 0;  // numbers in the range that no bill of the month carries
    int net() const { return total - cancelled; }
};

// What one company files: its invoices by section, and its documents issued.
struct Gstr1Filing
{
    QString gstin;
    QList<Gstr1Invoice> b2b;   // to buyers with a GSTIN, invoice by invoice
    QList<Gstr1Invoice> b2cl;  // inter-state, no GSTIN, above the B2CL limit, invoice by invoice
    QList<Gstr1Invoice> b2cs;  // the other bills without a GSTIN, summed by place and rate when written
    QList<Gstr1Series> series;
};

// A bill the return cannot place, and why.
struct Gstr1Problem
{
    QString billNo;
    QString reason;
};

struct Gstr1Return
{
    QDate month;  // its first day
    QList<Gstr1Filing> filings;
    QList<Gstr1Problem> problems;
    int bills = 0;  // bills of the month, those with problems included
};

// The return of `month` from the bills dated in it: a buyer with a valid GSTIN makes a B2B
// invoice, a bill without one (empty or "NA") a B2C one, and a GSTIN that fails the check a
// problem, never a B2C supply. The place of supply of a bill without a GSTIN is the seller's state
// within the state, else the state of the buyer's PIN. `sellerGstins` are the companies that file
// (SV and SX): each gets a filing, with or without bills. `b2clLimit` in rupees.
Gstr1Return buildGstr1(const BillRows &bills, const QStringList &sellerGstins, const QDate &month, int b2clLimit);

// The series of a bill number and its running number: "KC/01201" -> "KC/" and 1201; nothing
// without a running number at its end.
struct BillSerial
{
    QString series;
    qint64 number = 0;
};
std::optional<BillSerial> billSerial(const QString &billNo);
