#pragma once

#include "billing/billfilter.h"
#include "einvoice/gridbill.h"
#include "einvoice/seller.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

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
};

// The reasons a bill cannot be registered, joined by "; "; empty when it can. Split-share bills
// carry no GSTIN line and are never registered.
QString readinessProblems(const GridBill &bill, const Seller &seller, BillKind kind);

// The document (schema INV-01, version 1.1) of one bill that readinessProblems() passes.
QJsonObject einvoiceDocument(const GridBill &bill, const Seller &seller);

// Every bill of the grid, as a document or as a line of the report.
EInvoiceBatch buildEInvoices(const QList<GridBill> &bills, const Sellers &sellers, BillKind kind);

// The report as CSV: a header line "Bill No,Reason" and a line per bill.
QByteArray readinessCsv(const QList<ReadinessEntry> &report);
// The report's file beside the documents' file: "bills.json" -> "bills-readiness.csv".
QString readinessPath(const QString &documentsPath);

// Writes the documents to `path` and the report beside it, each whole or not at all. Returns
// the failure text, or nothing.
std::optional<QString> writeEInvoices(const EInvoiceBatch &batch, const QString &path);

// The one-line outcome: "N documents written, M bills listed in the report".
QString einvoiceSummary(const EInvoiceBatch &batch);
