#include "davp/davpquery.h"

#include "billing/billquery.h"

using namespace Qt::Literals::StringLiterals;

SqlStatement davpBillQuery(const BillFilter &filter)
{
    // The schedules first (STRAIGHT_JOIN), by the range of dates, as the bill query does.
    SqlStatement statement{
        u"Select STRAIGHT_JOIN advt_schedule.*,group_no_of_bills,group_show_comm,group_show_address from advt_schedule "
        "inner join  advt_agencymaster on agency_code=sch_agency_code  inner join advt_clienttype on "
        "agency_type=group_code  where advt_schedule.unit_code=? and sch_bill_no<>'' and sch_ins_date>=? and "
        "sch_ins_date<=? and sch_agency_code=?"_s,
        {filter.unitCode, sqlDate(filter.from), sqlDate(filter.to), QString::fromUtf16(DavpAgencyCode)}};
    addProductAndBillRangeConditions(statement, filter);
    statement.text += u" and  group_no_of_bills >0 and sch_net_total >0"_s + u" Group by sch_bill_no "_s
                      + u" Order by sch_ins_date,sch_bill_no"_s;
    return statement;
}

namespace {

const QString AgencyColumns = u"agency_name,agency_add1,agency_add2,agency_add3,sub_name"_s;
const QString AgencyJoin =
    u" from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code"_s;
const QString Pages = u"group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code"_s;
const QString RateColumns = u"rate_davp_code,rate_place from advt_ratemaster where rate_code"_s;

}  // namespace

QString davpAgencyQuery() { return u"Select "_s + AgencyColumns + AgencyJoin + u"=?"_s; }

QString davpPagesQuery() { return u"SELECT "_s + Pages + u"=?"_s; }

QString davpRateQuery() { return u"Select "_s + RateColumns + u"=?"_s; }

LookUpStatements davpAgencyLookUp()
{
    return {davpAgencyQuery(), false, u"Select agency_code,"_s + AgencyColumns + AgencyJoin + u" in ("_s, u")"_s};
}

LookUpStatements davpPagesLookUp()
{
    return {davpPagesQuery(), false, u"SELECT sdet_sch_code,"_s + Pages + u" in ("_s, u") group by sdet_sch_code"_s};
}

LookUpStatements davpRateLookUp()
{
    return {davpRateQuery(), false, u"Select rate_code,"_s + RateColumns + u" in ("_s, u")"_s};
}
