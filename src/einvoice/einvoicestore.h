#pragma once

#include "billing/billrow.h"
#include "einvoice/irpanswers.h"
#include "einvoice/registration.h"

#include <QString>
#include <QStringList>

#include <optional>

class Db;

// The registrations of bills with the portal, kept in advt_einvoice by bill number.
class EInvoiceStore
{
public:
    explicit EInvoiceStore(Db &db);

    struct Outcome
    {
        int imported = 0;        // new registrations
        int unchanged = 0;       // answers already kept, word for word the same IRN
        QStringList otherUnits;  // answers left out: bills of another unit than the one worked for
        QStringList problems;    // when any: nothing was imported
    };
    // Keeps the answers of one response file for the bills of unit `unitCode` (the unit the user
    // works for), all in one transaction: every answer must name a bill of the desk, and a bill
    // already registered only under the same IRN (which changes nothing). An answer for a bill of
    // another unit is left for that unit and named.
    Outcome import(const QList<IrpAnswer> &answers, const QString &unitCode);

    // The registrations kept for the numbers of these bills, looked up a few hundred a statement.
    RegistrationOf registrationsOf(const BillRows &bills);

private:
    Db &m_db;
};

// The one-line outcome of an import: "N answers imported, M already registered", and how many
// were left for other units when any were.
QString importSummary(const EInvoiceStore::Outcome &outcome);
