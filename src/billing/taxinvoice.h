#pragma once

#include "billing/billrow.h"
#include "billing/printfile.h"
#include "common/progress.h"

#include <QString>
#include <QStringView>

#include <optional>

struct Deployment;

// Footer lines every tax invoice carries, on pre-printed stationery and on plain paper.
inline constexpr QStringView ServiceDescriptionLine = u"Description of Service : PRINT  HSN/SAC : 998363";
inline constexpr QStringView ReverseChargeLine = u"REVERSE CHARGE MECHANISM :  NOT APPLICABLE";

// Every invoice takes exactly this many lines; pages are held by counting lines.
inline constexpr int TaxInvoiceLines = 48;

// The GST tax invoices of the bills: one 48-line invoice per bill from the first down to the first
// without a bill number, and a second copy right after it when the bill's BP Type is exactly "1".
// `progress` hears of each bill written; false from it ends the invoices there (and this returns
// false).
bool writeTaxInvoices(const BillRows &bills, PrintFile &file, const Progress &progress = {});

// The Print button's work: the invoices into sch.prn of the application folder (or `path`
// when given), then the spooler. Returns the failure message to show, or nothing.
std::optional<QString> printTaxInvoices(const BillRows &bills, const Deployment &deployment,
                                        const QString &path = QString(), Spool spool = Spool::Start,
                                        const Progress &progress = {});
