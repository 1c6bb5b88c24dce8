#pragma once

#include "billing/billfilter.h"
#include "billing/billgenerator.h"

#include <QtGlobal>

#include <limits>

class Db;
class Dialogs;
class Sheet;

// Fills the DAVP grid with the bills of DAVP (agency 010590): one bill per row from row 5 down,
// the agency, pages and rate master looked up for all of them (one statement each), and the messages
// through the dialogs service. The grid must have been laid out by SetUpDavpGrid. Reads the
// dates, product and bill-number bounds of the filter and its unit; the group, split and exchange
// fields are not DAVP's. Database failures pass to the caller as DbError; the rows written so far stay.
class DavpGenerator
{
public:
    DavpGenerator(Db &db, Dialogs &dialogs, Sheet &sheet, BillProgress progress = {});

    BillRun GenerateDavpBills(const BillFilter &filter);

    // CurrentRow is a 16-bit counter; generation stops when it would pass this row. Lowered only
    // by tests.
    void setRowLimit(qint16 lastRow) { m_rowLimit = lastRow; }

private:
    Db &m_db;
    Dialogs &m_dialogs;
    Sheet &m_sheet;
    BillProgress m_progress;
    qint16 m_rowLimit = std::numeric_limits<qint16>::max();
};
