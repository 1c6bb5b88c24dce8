#include "davp/davpgenerator.h"

#include "billing/billcolumns.h"
#include "billing/billrows.h"
#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "davp/davpcolumns.h"
#include "davp/davpquery.h"
#include "davp/davprow.h"
#include "sheet/sheet.h"

DavpGenerator::DavpGenerator(Db &db, Dialogs &dialogs, Sheet &sheet, BillProgress progress)
    : m_db(db), m_dialogs(dialogs), m_sheet(sheet), m_progress(std::move(progress))
{
}

BillRun DavpGenerator::GenerateDavpBills(const BillFilter &filter)
{
    qint16 currentRow = HeaderRow;
    // Every column a bill row uses is cleared, the place and DAVP code included, so no bill can
    // inherit them from the previous generation.
    m_sheet.clearRange(FirstBillRow, 1, m_sheet.rowCount(), std::max(m_sheet.columnCount(), DavpColumnCount));
    if (filter.from > filter.to) {
        m_dialogs.message(Msg::ToDateBeforeFromDate);
        return {BillRun::Outcome::DatesRefused, currentRow};
    }

    const SqlStatement query = davpBillQuery(filter);
    ResultSet rows = m_db.query(query.text, query.values);
    if (rows.isEmpty()) {
        m_dialogs.message(Msg::NoRecordsFound);
        return {BillRun::Outcome::NoRecords, currentRow};
    }
    DavpRowWriter writer(m_db, m_sheet, filter);
    return fillBillRows(
        rows, m_sheet, m_dialogs, m_rowLimit, m_progress,
        {[&] { writer.lookUp(); }, [&](int row, const ScheduleRecord &record) { writer.write(row, record); }});
}
