#pragma once

#include "billing/billrow.h"
#include "common/progress.h"
#include "einvoice/registration.h"
#include "einvoice/seller.h"

#include <QByteArray>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

class OutputSet;

// The service the desk bills, as the tax invoice prints it.
inline constexpr QStringView ServiceDescription = u"PRINT";
inline constexpr QStringView ServiceSac = u"998363";

// A bill that cannot become a document, and why.
struct ReadinessEntry
{
    QString billNo;
    QString reason;
};

// The documents for the portal's bulk upload, one per bill that can be registered, and the
// report of the bills that cannot.
struct EInvoiceBatch
{
    QJsonArray documents;
    QList<ReadinessEntry> report;
    bool stopped = false;  // the progress asked to stop before the last bill: not to be written
};

// How old a bill may be and still be reported to the portal: a bill dated more than `days` days
// before `today` is past it. No date, or 0 days, checks nothing.
struct ReportingWindow
{
    QDate today;
    int days = 0;

    bool isPast(const QDate &billDate) const;
};

// The reasons a bill cannot be registered, joined by "; "; empty when it can. Split-share bills
// carry no GSTIN line and are never registered; a registered bill is not registered twice, and a
// bill whose number is registered for other figures cannot be registered again (a cancelled
// registration is no hindrance); a bill past the reporting window is refused by the portal.
QString readinessProblems(const BillRow &bill, const Seller &seller, const BillRegistration &registration,
                          const ReportingWindow &window = {});

// The document (schema INV-01, version 1.1) of one bill that readinessProblems() passes: the buyer
// is the party whose GSTIN the bill carries.
QJsonObject einvoiceDocument(const BillRow &bill, const Seller &seller);

// Every bill Print would print, as a document or as a line of the report; `kept` gives the
// registrations the desk holds. `progress` hears of each bill and may stop the batch.
EInvoiceBatch buildEInvoices(const BillRows &bills, const Sellers &sellers, const RegistrationOf &kept,
                             const ReportingWindow &window = {}, const Progress &progress = {});

// The report as CSV: a header line "Bill No,Reason" and a line per bill.
QByteArray readinessCsv(const QList<ReadinessEntry> &report);
// The report's file beside the documents' file: "bills.json" -> "bills-readiness.csv".
QString readinessPath(const QString &documentsPath);

// Stages the documents for `path` and the report beside it among `outputs`, which puts them in
// place. Returns the failure text, or nothing.
std::optional<QString> stageEInvoices(const EInvoiceBatch &batch, const QString &path, OutputSet &outputs);
// The same put in place at once: both files, or neither.
std::optional<QString> writeEInvoices(const EInvoiceBatch &batch, const QString &path);

// The one-line outcome: "N documents written, M bills listed in the report".
QString einvoiceSummary(const EInvoiceBatch &batch);
