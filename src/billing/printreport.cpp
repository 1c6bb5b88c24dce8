#include "billing/printreport.h"

#include "billing/billcolumns.h"
#include "common/deployment.h"
#include "common/messages.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

int printableBills(const Sheet &sheet)
{
    int row = FirstBillRow;
    while (row < sheet.rowCount() && !sheet.text(row, col(BillColumn::BillNo)).isEmpty())
        ++row;
    return row - FirstBillRow;
}

QString printReport(const Sheet &sheet, const QString &printPath, const Deployment &deployment)
{
    const int bills = printableBills(sheet);
    if (deployment.spoolerMode == u"cups"_s)
        return Msg::sentToPrinter(bills);
    return Msg::sentToPdf(bills, deployment.spoolerPdfPath(printPath));
}
