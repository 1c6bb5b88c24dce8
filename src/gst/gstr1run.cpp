#include "gst/gstr1run.h"

#include "billing/billgenerator.h"
#include "billing/billgrid.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/outputfile.h"
#include "einvoice/seller.h"
#include "gst/gstr1files.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Generation's messages ("Bill Generation Completed.") belong to the bill form; a return keeps
// only the last one, for a run that stops.
class KeptMessages : public Dialogs
{
public:
    QString last;

protected:
    std::optional<SavePath> askSavePath(const SaveRequest &) override { return std::nullopt; }
    Answer showMessage(const QString &text, Icon, Buttons) override
    {
        last = text;
        return Answer::Ok;
    }
};

}  // namespace

Gstr1Written writeGstr1(Db &db, const Deployment &deployment, const Gstr1Request &request, const Progress &progress)
{
    Gstr1Written written;
    const QDate first(request.month.year(), request.month.month(), 1);
    BillRows bills;
    for (const QString &unit : request.units) {
        BillFilter filter;
        filter.from = first;
        filter.to = first.addMonths(1).addDays(-1);
        filter.byBillDate = true;
        filter.unitCode = unit;
        Sheet sheet;
        SetUpBillGrid(sheet, {}, {});
        BillRows unitBills;
        KeptMessages messages;
        const BillRun run = BillGenerator(db, messages, sheet, unitBills, progress).generate(filter);
        if (run.outcome == BillRun::Outcome::Stopped) {
            written.stopped = Msg::OutputStopped;
            return written;
        }
        if (run.outcome == BillRun::Outcome::RowLimit) {
            written.stopped = u"unit "_s + unit + u": "_s + messages.last;
            return written;
        }
        const std::span<const BillRow> printable = printableBills(unitBills);
        bills.insert(bills.end(), printable.begin(), printable.end());
    }
    const Sellers sellers = Sellers::load(db, deployment);
    written.gstr1 = buildGstr1(bills, {sellers.sv.gstin, sellers.sx.gstin}, first, deployment.gstB2clLimit);
    OutputSet outputs;
    written.failure = stageGstr1(written.gstr1, request.folder, request.csvPath, outputs);
    if (!written.failure)
        written.failure = outputs.commit();
    return written;
}
