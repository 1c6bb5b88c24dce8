#pragma once

#include "billing/billrow.h"
#include "einvoice/registration.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Where a bill stands with the portal, in words: "not registered", "registered, cancellable until
// 08-12-2026 11:30" (within 24 hours of the acknowledgement at `now`) or "registered, past the
// 24-hour cancellation window", "changed since registration", "cancelled on 07-12-2026 14:30".
QString einvoiceStatusText(const BillRegistration &registration, const QDateTime &now);

// Every bill Print would print with its status, as CSV: "Bill No,Bill Date,Buyer GSTIN,Total,
// Status,IRN,Ack Date" and a line per bill; the IRN and acknowledgement of the registration kept,
// also when it no longer stands.
QByteArray einvoiceStatusCsv(const BillRows &bills, const RegistrationOf &kept, const QDateTime &now);

// One line for the bill form: "e-Invoice: 3 registered, 1 changed since registration, 1 cancelled,
// 120 not registered", the states that occur, in that order; empty without bills.
QString einvoiceStatusSummary(const BillRows &bills, const RegistrationOf &kept);
