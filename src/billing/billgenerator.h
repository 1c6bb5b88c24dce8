#pragma once

#include "billing/billfilter.h"
#include "billing/billrow.h"
#include "common/progress.h"

#include <QString>
#include <QtGlobal>

#include <limits>

class Db;
class Dialogs;
class Sheet;

// Told the number of bills once the main query has run (0 of them written), then after each bill
// row is written (and the view scrolled to it): the form lets pending window events run so the
// grid repaints while it fills and shows how far it got; the headless command passes nothing.
// Returning false stops the generation.
using BillProgress = Progress;

// How a generation ended. Every end except Completed has shown its message already.
struct BillRun
{
    enum class Outcome {
        Completed,     // "Bill Generation Completed.   "
        NoRecords,     // "No Records Found    .   "
        DatesRefused,  // "To date must be greater than From Date.   ": the form puts the focus on DtTo
        InputRefused,  // group list or split total refused before anything ran
        RowLimit,      // the grid's row counter reached its limit; the rows written stay
        Stopped,       // the progress asked to stop; the rows written stay, no message shown
    };
    Outcome outcome = Outcome::Completed;
    qint16 currentRow = 4;  // CurrentRow: the last bill row written, 4 (the header row) when none
};

// Composes the bills of advt_schedule into `bills` and shows each in the bill grid, one per row from
// row 5 down, with the title in row 3 and the messages through the dialogs service. Each look-up of the bills (agency,
// client, pages, exchange entries) runs once for the whole run, so a generation costs the same few statements whatever
// its number of bills and the distance to the server. The grid must have been laid out by SetUpBillGrid. Database
// failures pass to the caller as DbError; the bills composed so far stay, in `bills` and in the grid.
class BillGenerator
{
public:
    BillGenerator(Db &db, Dialogs &dialogs, Sheet &sheet, BillRows &bills, BillProgress progress = {});

    // Runs the routine the filter asks for (billKind).
    BillRun generate(const BillFilter &filter);

    // Ordinary GST bills of the unit for the date range (or the one schedule).
    BillRun GenerateGstBills(const BillFilter &filter);
    // Bills of the split share, billed to the client of the split frame.
    BillRun GenerateSplitBills(const BillFilter &filter);
    // Bills by schedule number with the exchange debits and credits netted in.
    BillRun GenerateExchangeBills(const BillFilter &filter);

    // CurrentRow is a 16-bit counter; generation stops when it would pass this row. Lowered only
    // by tests, to reach the limit without tens of thousands of schedules.
    void setRowLimit(qint16 lastRow) { m_rowLimit = lastRow; }

private:
    BillRun run(BillKind kind, const BillFilter &filter);

    Db &m_db;
    Dialogs &m_dialogs;
    Sheet &m_sheet;
    BillRows &m_bills;
    BillProgress m_progress;
    qint16 m_rowLimit = std::numeric_limits<qint16>::max();
};
