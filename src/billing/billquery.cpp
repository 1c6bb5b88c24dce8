#include "billing/billquery.h"

#include "common/db.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString ScheduleJoins =
    u" from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code "
    " inner join advt_clienttype on agency_type=group_code  where advt_schedule.unit_code="_s;

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
    case BillKind::Exchange:
        break;
    }
    return u"group_no_of_bills,group_show_comm,group_show_address"_s;
}

QString scheduleQuery(BillKind kind, const BillFilter &filter)
{
    QString sql = u"Select advt_schedule.*,"_s + selectedColumns(kind, true) + ScheduleJoins + sqlText(filter.unitCode);
    if (!filter.product.isEmpty())
        sql += u" And sch_ed_code="_s + sqlText(filter.product);
    if (!filter.billFrom.isEmpty())
        sql += u" And sch_slno="_s + sqlText(filter.billFrom);
    return sql + u" Group by sch_bill_no "_s + u" Order by sch_ins_date,sch_slno"_s;
}

QString dateRangeQuery(BillKind kind, const BillFilter &filter)
{
    QString sql = u"Select advt_schedule.*,"_s + selectedColumns(kind, false) + ScheduleJoins + sqlText(filter.unitCode)
                  + u" and sch_bill_no<>'' and sch_ins_date>="_s + sqlDate(filter.from) + u" and sch_ins_date<="_s
                  + sqlDate(filter.to);
    sql += productAndBillRangeConditions(filter);
    if (kind == BillKind::Gst && !filter.group.trimmed().isEmpty()) {
        QStringList quoted;
        for (const QString &code : parseGroupCodes(filter.group).value_or(QStringList()))
            quoted.append(sqlText(code));
        sql += u" And agency_type in ("_s + quoted.join(u',') + u')';
    }
    return sql + u" and  group_no_of_bills >0 and sch_net_total >0"_s + u" Group by sch_bill_no "_s
           + u" Order by sch_ins_date,sch_bill_no"_s;
}

}  // namespace

QString productAndBillRangeConditions(const BillFilter &filter)
{
    QString conditions;
    if (!filter.product.isEmpty())
        conditions += u" And sch_ed_code="_s + sqlText(filter.product);
    if (!filter.billFrom.isEmpty())
        conditions += u" And sch_bill_no>="_s + sqlText(filter.billFrom);
    if (!filter.billTo.isEmpty())
        conditions += u" And sch_bill_no<="_s + sqlText(filter.billTo);
    return conditions;
}

QString companiesQuery() { return u"Select * from acc_companymaster where comp_code in ('SV','SX')"_s; }

QString mainBillQuery(BillKind kind, const BillFilter &filter)
{
    // Exchange bills are always listed by schedule number, whatever mode the form is in.
    if (kind == BillKind::Exchange || filter.singleSchedule)
        return scheduleQuery(kind, filter);
    return dateRangeQuery(kind, filter);
}

QString agencyQuery(BillKind kind)
{
    const QString gstColumns = kind == BillKind::Gst ? u",agency_gstin,agency_pan"_s : QString();
    return u"Select agency_name,agency_add1,agency_add2,agency_add3,sub_name,agency_bill_colcms"_s + gstColumns
           + u" from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code=?"_s;
}

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
