#include "billing/billrows.h"

#include "billing/billcolumns.h"
#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "sheet/sheet.h"

namespace {

// Once the last bills no longer fit the window, the view follows them with a dozen rows above.
void followLastRow(Sheet &sheet, int currentRow)
{
    if (currentRow > 15)
        sheet.setTopRow(currentRow - 12);
}

}  // namespace

BillRun fillBillRows(ResultSet &rows, Sheet &sheet, Dialogs &dialogs, qint16 rowLimit, const BillProgress &progress,
                     const BillRowSteps &steps)
{
    const ScheduleRecord::Columns columns(rows);
    qint16 currentRow = HeaderRow;
    const int bills = int(std::max<qint64>(rows.size(), 0));
    if (!goOn(progress, 0, bills))
        return {BillRun::Outcome::Stopped, currentRow};
    bool lookedUp = false;
    for (bool more = true; more; more = rows.next()) {
        // The bills written so far stay; the user is told why the list ends there.
        if (currentRow >= rowLimit) {
            dialogs.message(Msg::BillRowLimitReached);
            return {BillRun::Outcome::RowLimit, currentRow};
        }
        if (!lookedUp) {
            steps.lookUp();
            lookedUp = true;
        }
        const ScheduleRecord record(columns, rows);
        ++currentRow;
        steps.writeRow(currentRow, record);
        followLastRow(sheet, currentRow);
        if (!goOn(progress, currentRow - HeaderRow, bills))
            return {BillRun::Outcome::Stopped, currentRow};
    }

    dialogs.message(Msg::BillGenerationCompleted);
    followLastRow(sheet, currentRow);
    return {BillRun::Outcome::Completed, currentRow};
}
