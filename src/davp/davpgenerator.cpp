#include "davp/davpgenerator.h"

#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "davp/davpcolumns.h"
#include "davp/davpquery.h"
#include "davp/davprow.h"
#include "sheet/sheet.h"

namespace {

constexpr qint16 HeaderRow = 4;
constexpr int FirstBillRow = 5;

// Once the last bills no longer fit the window, the view follows them with a dozen rows above.
void followLastRow(Sheet &sheet, int currentRow)
{
    if (currentRow > 15)
        sheet.setTopRow(currentRow - 12);
}

}  // namespace

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

    ResultSet rows = m_db.query(davpBillQuery(filter));
    if (rows.isEmpty()) {
        m_dialogs.message(Msg::NoRecordsFound);
        return {BillRun::Outcome::NoRecords, currentRow};
    }
    const ScheduleRecord record(rows);
    DavpRowWriter writer(m_db, m_sheet);
    do {
        // CurrentRow is a 16-bit counter: the bills written so far stay, the user is told why the
        // list ends there.
        if (currentRow >= m_rowLimit) {
            m_dialogs.message(Msg::BillRowLimitReached);
            return {BillRun::Outcome::RowLimit, currentRow};
        }
        ++currentRow;
        writer.write(currentRow, record);
        followLastRow(m_sheet, currentRow);
        if (m_progress)
            m_progress(currentRow);
    } while (rows.next());

    m_dialogs.message(Msg::BillGenerationCompleted);
    followLastRow(m_sheet, currentRow);
    return {BillRun::Outcome::Completed, currentRow};
}
