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
                     const std::function<void(int row)> &writeRow)
{
    qint16 currentRow = HeaderRow;
    do {
        // The bills written so far stay; the user is told why the list ends there.
        if (currentRow >= rowLimit) {
            dialogs.message(Msg::BillRowLimitReached);
            return {BillRun::Outcome::RowLimit, currentRow};
        }
        ++currentRow;
        writeRow(currentRow);
        followLastRow(sheet, currentRow);
        if (progress)
            progress(currentRow);
    } while (rows.next());

    dialogs.message(Msg::BillGenerationCompleted);
    followLastRow(sheet, currentRow);
    return {BillRun::Outcome::Completed, currentRow};
}
