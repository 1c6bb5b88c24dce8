#pragma once

#include "billing/billrow.h"
#include "einvoice/irpanswers.h"
#include "einvoice/registration.h"

#include <QString>
#include <QStringList>

#include <optional>

class Db;

// The registrations of bills with the portal, kept in advt_einvoice by IRN: a bill has at most one
// that stands, and any number that were cancelled, which are kept with their date.
class EInvoiceStore
{
public:
    explicit EInvoiceStore(Db &db);

    struct Outcome
    {
        int imported = 0;          // new registrations
        int unchanged = 0;         // answers already kept, word for word the same IRN
        int cancelled = 0;         // registrations cancelled now
        int alreadyCancelled = 0;  // cancellations kept before, on the same date
        QStringList otherUnits;    // answers left out: bills of another unit than the one worked for
        QStringList problems;      // when any: nothing was imported
    };
    // Keeps the answers and cancellations of one response file for the bills of unit `unitCode`
    // (the unit the user works for), all in one transaction. Every answer must name a bill of the
    // desk, which may have no other registration that stands (the same IRN again changes nothing);
    // every cancellation must name a kept IRN not yet cancelled, within 24 hours of its
    // acknowledgement. The cancellations go first, so a file may cancel an IRN and register the
    // bill again. An answer or cancellation for a bill of another unit is left for that unit and
    // named.
    Outcome import(const QList<IrpAnswer> &answers, const QString &unitCode,
                   const QList<IrpCancellation> &cancellations = {});

    // The registration kept for each of these bills' numbers, looked up 20,000 a statement: the
    // one that stands, else the one cancelled last.
    RegistrationOf registrationsOf(const BillRows &bills);

private:
    Db &m_db;
};

// The one-line outcome of an import: "N answers imported, M already registered", the
// cancellations when the file held any, and how many were left for other units when any were.
QString importSummary(const EInvoiceStore::Outcome &outcome);
