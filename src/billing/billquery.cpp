#include "billing/billquery.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString ScheduleJoins =
    u" from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code "
    " inner join advt_clienttype on agency_type=group_code  where advt_schedule.unit_code=?"_s;

// The group columns each main query adds to advt_schedule.*.
QString selectedColumns(BillKind kind, bool singleSchedule)
{
    switch (kind) {
    case BillKind::Gst:
        return singleSchedule ? u"group_no_of_bills,group_bp_type,group_show_comm,group_show_address"_s
                              : u"group_no_of_bills,group_bp_type,group_show_comm,group_show_address,"
                                "agency_bill_colcms,agency_type"_s;
    case BillKind::Split:
        return singleSchedule ? u"group_no_of_bills,group_show_comm,group_show_address"_s
                              : u"group_no_of_bills,group_show_comm,group_show_address,agency_bill_colcms"_s;
    case BillKind::Exchange: break;
    }
    return u"group_no_of_bills,group_show_comm,group_show_address"_s;
}

// Adds " And " + `condition` (which ends in "?") and its value.
void addCondition(SqlStatement &statement, const QString &condition, const QString &value)
{
    statement.text += u" And "_s + condition;
    statement.values.append(value);
}

// Exchange bills are always listed by schedule number, whatever mode the form is in.
bool bySchedule(BillKind kind, const BillFilter &filter) { return kind == BillKind::Exchange || filter.singleSchedule; }

SqlStatement scheduleConditions(const BillFilter &filter)
{
    SqlStatement statement{ScheduleJoins, {filter.unitCode}};
    if (!filter.product.isEmpty())
        addCondition(statement, u"sch_ed_code=?"_s, filter.product);
    if (!filter.billFrom.isEmpty())
        addCondition(statement, u"sch_slno=?"_s, filter.billFrom);
    return statement;
}

SqlStatement dateRangeConditions(BillKind kind, const BillFilter &filter)
{
    const QString dated = filter.byBillDate ? u"sch_bill_date"_s : u"sch_ins_date"_s;
    SqlStatement statement{ScheduleJoins + u" and sch_bill_no<>'' and "_s + dated + u">=? and "_s + dated + u"<=?"_s,
                           {filter.unitCode, sqlDate(filter.from), sqlDate(filter.to)}};
    addProductAndBillRangeConditions(statement, filter);
    if (kind == BillKind::Gst && !filter.group.trimmed().isEmpty()) {
        const QStringList codes = parseGroupCodes(filter.group).value_or(QStringList());
        QStringList placeholders(codes.size(), u"?"_s);
        statement.text += u" And agency_type in ("_s + placeholders.join(u',') + u')';
        statement.values += codes;
    }
    statement.text += u" and  group_no_of_bills >0 and sch_net_total >0"_s;
    return statement;
}

}  // namespace

void addProductAndBillRangeConditions(SqlStatement &statement, const BillFilter &filter)
{
    if (!filter.product.isEmpty())
        addCondition(statement, u"sch_ed_code=?"_s, filter.product);
    if (!filter.billFrom.isEmpty())
        addCondition(statement, u"sch_bill_no>=?"_s, filter.billFrom);
    if (!filter.billTo.isEmpty())
        addCondition(statement, u"sch_bill_no<=?"_s, filter.billTo);
}

QString companiesQuery() { return u"Select * from acc_companymaster where comp_code in ('SV','SX')"_s; }

SqlStatement billedSchedules(BillKind kind, const BillFilter &filter)
{
    return bySchedule(kind, filter) ? scheduleConditions(filter) : dateRangeConditions(kind, filter);
}

QString selectSchedulesFirst(const QString &columns)
{
    // STRAIGHT_JOIN keeps the tables in the order written: the unit's schedules first, by the
    // range of dates or the schedule number asked for, then the agency and its group of each.
    // Left to itself the optimizer may start from the few agency groups and reach the schedules
    // through their agency, every schedule the agency ever booked, which on years of bookings
    // costs a minute where the range costs a fraction of a second. Without join buffers each
    // schedule finds its agency and group by their keys: with statistics that count a handful of
    // agencies (as a bulk load leaves them) the server would otherwise compare every schedule with
    // every agency, four times the cost of a year's run.
    return u"SET STATEMENT join_cache_level=0 FOR Select STRAIGHT_JOIN advt_schedule.*,"_s + columns;
}

SqlStatement mainBillQuery(BillKind kind, const BillFilter &filter)
{
    const bool single = bySchedule(kind, filter);
    SqlStatement statement = billedSchedules(kind, filter);
    statement.text = selectSchedulesFirst(selectedColumns(kind, single)) + statement.text + u" Group by sch_bill_no "_s
                     + (single ? u" Order by sch_ins_date,sch_slno"_s : u" Order by sch_ins_date,sch_bill_no"_s);
    return statement;
}

SqlStatement runLookUpStatement(const SqlStatement &schedules, const QString &codeColumn, const QString &columns,
                                const QString &masters, const QStringList &masterValues, bool aggregate)
{
    // The codes are grouped by their bytes: codes the server's collation takes for one (a case
    // apart, trailing blanks) each keep their own rows.
    SqlStatement statement{u"Select run_codes.lookup_key,"_s + columns + u" from (Select STRAIGHT_JOIN "_s + codeColumn
                               + u" lookup_key"_s + schedules.text + u" group by cast("_s + codeColumn
                               + u" as binary)) run_codes"_s + masters,
                           schedules.values + masterValues};
    if (aggregate)
        statement.text += u" group by cast(run_codes.lookup_key as binary)"_s;
    return statement;
}

namespace {

QString agencyColumns(BillKind kind)
{
    const QString gstColumns = kind == BillKind::Gst ? u",agency_gstin,agency_pan"_s : QString();
    return u"agency_name,agency_add1,agency_add2,agency_add3,sub_name,agency_bill_colcms"_s + gstColumns;
}

const QString AgencyJoin =
    u" from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code"_s;

}  // namespace

QString agencyQuery(BillKind kind) { return u"Select "_s + agencyColumns(kind) + AgencyJoin + u"=?"_s; }

QString clientQuery() { return u"SELECT client_gstin, client_pan FROM advt_clientmaster WHERE client_code = ?"_s; }

namespace {

const QString AgencyMasters =
    u" inner join advt_agencymaster on agency_code=run_codes.lookup_key inner join advt_subarea on agency_subarea=sub_code"_s;

}  // namespace

RunLookUpStatements agencyLookUp(BillKind kind, const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_agency_code"_s, agencyColumns(kind), AgencyMasters), agencyQuery(kind)};
}

RunLookUpStatements clientLookUp(const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_client_code"_s, u"client_gstin, client_pan"_s,
                               u" inner join advt_clientmaster on client_code = run_codes.lookup_key"_s),
            clientQuery()};
}

// A schedule's insertions are those of the unit that numbered it: the first three characters of its number.
RunLookUpStatements pagesLookUp(const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_slno"_s, u"group_concat(distinct(sdet_page))"_s,
                               u" inner join advt_scheduledetails on sdet_sch_code=run_codes.lookup_key and "
                               "unit_code=left(run_codes.lookup_key,3)"_s,
                               {}, true),
            {}};
}

RunLookUpStatements exchangeLookUp(const SqlStatement &schedules, const QString &unitCode)
{
    return {runLookUpStatement(schedules, u"sch_slno"_s, u"sum(sdet_dr_amt),sum(sdet_cr_amt)"_s,
                               u" inner join advt_sch_exchg on unit_code=? and sdet_sch_code=run_codes.lookup_key"_s,
                               {unitCode}, true),
            {}};
}
