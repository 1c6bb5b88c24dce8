#include "billing/billgenerator.h"

#include "billing/billcolumns.h"
#include "billing/billcomposer.h"
#include "billing/billgrid.h"
#include "billing/billlookups.h"
#include "billing/billquery.h"
#include "billing/billrows.h"
#include "billing/schedulerecord.h"
#include "common/db.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/platformtext.h"
#include "sheet/sheet.h"

using namespace Qt::Literals::StringLiterals;

namespace {

CompanyIdentities readCompanies(Db &db)
{
    CompanyIdentities companies;
    ResultSet rows = db.query(companiesQuery());
    while (rows.next()) {
        const QString code = rows.textOrEmpty(u"comp_code"_s);
        if (code == u"SV"_s) {
            companies.svGstin = rows.textOrEmpty(u"comp_gstin"_s);
            companies.svCin = rows.textOrEmpty(u"comp_cin"_s);
        } else if (code == u"SX"_s) {
            companies.sxGstin = rows.textOrEmpty(u"comp_gstin"_s);
            companies.sxCin = rows.textOrEmpty(u"comp_cin"_s);
        }
    }
    return companies;
}

QString reportTitle(const BillFilter &filter)
{
    QString title = filter.from == filter.to
                        ? u"Schedule Report on "_s + shortDate(filter.from)
                        : u"Schedule Report from "_s + shortDate(filter.from) + u" to "_s + shortDate(filter.to);
    if (!filter.product.trimmed().isEmpty())
        title += u"- ["_s + filter.product + u']';
    return title;
}

}  // namespace

BillGenerator::BillGenerator(Db &db, Dialogs &dialogs, Sheet &sheet, BillRows &bills, BillProgress progress)
    : m_db(db), m_dialogs(dialogs), m_sheet(sheet), m_bills(bills), m_progress(std::move(progress))
{
}

BillRun BillGenerator::generate(const BillFilter &filter) { return run(billKind(filter), filter); }

BillRun BillGenerator::GenerateGstBills(const BillFilter &filter) { return run(BillKind::Gst, filter); }

BillRun BillGenerator::GenerateSplitBills(const BillFilter &filter) { return run(BillKind::Split, filter); }

BillRun BillGenerator::GenerateExchangeBills(const BillFilter &filter) { return run(BillKind::Exchange, filter); }

BillRun BillGenerator::run(BillKind kind, const BillFilter &filter)
{
    BillFilter checked = filter;
    checked.split = kind == BillKind::Split;
    checked.exchange = kind == BillKind::Exchange;
    // A group list that is not a list of codes, or a split total that is not a number, is refused
    // before any statement runs and before the grid is touched.
    if (const std::optional<QString> problem = checkBillFilter(checked)) {
        m_dialogs.message(*problem);
        return {BillRun::Outcome::InputRefused, HeaderRow};
    }

    const CompanyIdentities companies = kind == BillKind::Gst ? readCompanies(m_db) : CompanyIdentities();
    qint16 currentRow = HeaderRow;
    m_sheet.clearRange(FirstBillRow, 1, m_sheet.rowCount(), BillColumnCount);
    m_bills.clear();
    if (filter.from > filter.to) {
        m_dialogs.message(Msg::ToDateBeforeFromDate);
        return {BillRun::Outcome::DatesRefused, currentRow};
    }
    m_sheet.setText(ReportTitleRow, 1, reportTitle(filter));

    const SqlStatement query = mainBillQuery(kind, checked);
    ResultSet rows = m_db.query(query.text, query.values);
    if (rows.isEmpty()) {
        m_dialogs.message(Msg::NoRecordsFound);
        return {BillRun::Outcome::NoRecords, currentRow};
    }
    BillLookUps lookUps(m_db, kind, checked);
    BillComposer composer(checked, kind, lookUps, companies);
    return fillBillRows(rows, m_sheet, m_dialogs, m_rowLimit, m_progress,
                        {[&] { lookUps.fetch(); },
                         [&](int row, const ScheduleRecord &record) {
                             writeBillRow(m_sheet, row, m_bills.emplace_back(composer.compose(record)));
                         }});
}
