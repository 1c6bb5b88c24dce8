#include "billing/billquery.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// STRAIGHT_JOIN keeps the tables in the order written: the unit's schedules first, by the range
// of dates or the schedule number asked for, then the agency and its group of each. Left to
// itself the optimizer may start from the few agency groups and reach the schedules through their
// agency, every schedule the agency ever booked, which on years of bookings costs a minute where
// the range costs a fraction of a second.
const QString SelectSchedules = u"Select STRAIGHT_JOIN advt_schedule.*,"_s;
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

SqlStatement scheduleQuery(BillKind kind, const BillFilter &filter)
{
    SqlStatement statement{SelectSchedules + selectedColumns(kind, true) + ScheduleJoins, {filter.unitCode}};
    if (!filter.product.isEmpty())
        addCondition(statement, u"sch_ed_code=?"_s, filter.product);
    if (!filter.billFrom.isEmpty())
        addCondition(statement, u"sch_slno=?"_s, filter.billFrom);
    statement.text += u" Group by sch_bill_no "_s + u" Order by sch_ins_date,sch_slno"_s;
    return statement;
}

SqlStatement dateRangeQuery(BillKind kind, const BillFilter &filter)
{
    const QString dated = filter.byBillDate ? u"sch_bill_date"_s : u"sch_ins_date"_s;
    SqlStatement statement{SelectSchedules + selectedColumns(kind, false) + ScheduleJoins
                               + u" and sch_bill_no<>'' and "_s + dated + u">=? and "_s + dated + u"<=?"_s,
                           {filter.unitCode, sqlDate(filter.from), sqlDate(filter.to)}};
    addProductAndBillRangeConditions(statement, filter);
    if (kind == BillKind::Gst && !filter.group.trimmed().isEmpty()) {
        const QStringList codes = parseGroupCodes(filter.group).value_or(QStringList());
        QStringList placeholders(codes.size(), u"?"_s);
        statement.text += u" And agency_type in ("_s + placeholders.join(u',') + u')';
        statement.values += codes;
    }
    statement.text += u" and  group_no_of_bills >0 and sch_net_total >0"_s + u" Group by sch_bill_no "_s
                      + u" Order by sch_ins_date,sch_bill_no"_s;
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

SqlStatement mainBillQuery(BillKind kind, const BillFilter &filter)
{
    // Exchange bills are always listed by schedule number, whatever mode the form is in.
    if (kind == BillKind::Exchange || filter.singleSchedule)
        return scheduleQuery(kind, filter);
    return dateRangeQuery(kind, filter);
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

QString pagesQuery()
{
    return u"SELECT group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code=? and unit_code=?"_s;
}

QString exchangeDebitsQuery()
{
    return u"select sum(sdet_dr_amt)from advt_sch_exchg where unit_code=? and sdet_sch_code=?"_s;
}

QString exchangeCreditsQuery()
{
    return u"select sum(sdet_cr_amt)from advt_sch_exchg where unit_code=? and sdet_sch_code=?"_s;
}

LookUpStatements agencyLookUp(BillKind kind)
{
    return {agencyQuery(kind), false, u"Select agency_code,"_s + agencyColumns(kind) + AgencyJoin + u" in ("_s, u")"_s};
}

LookUpStatements clientLookUp()
{
    return {clientQuery(), false,
            u"SELECT client_code, client_gstin, client_pan FROM advt_clientmaster WHERE client_code IN ("_s, u")"_s};
}

LookUpStatements pagesLookUp()
{
    return {pagesQuery(), false,
            u"SELECT sdet_sch_code,group_concat(distinct(sdet_page)) FROM advt_scheduledetails "
            "where sdet_sch_code in ("_s,
            u") and unit_code=? group by sdet_sch_code"_s};
}

LookUpStatements exchangeDebitsLookUp()
{
    return {exchangeDebitsQuery(), true,
            u"select sdet_sch_code,sum(sdet_dr_amt) from advt_sch_exchg where sdet_sch_code in ("_s,
            u") and unit_code=? group by sdet_sch_code"_s};
}

LookUpStatements exchangeCreditsLookUp()
{
    return {exchangeCreditsQuery(), true,
            u"select sdet_sch_code,sum(sdet_cr_amt) from advt_sch_exchg where sdet_sch_code in ("_s,
            u") and unit_code=? group by sdet_sch_code"_s};
}
