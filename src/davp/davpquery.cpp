#include "davp/davpquery.h"

#include "billing/billquery.h"

using namespace Qt::Literals::StringLiterals;

SqlStatement davpSchedules(const BillFilter &filter)
{
    SqlStatement statement{
        u" from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code  inner join "
        "advt_clienttype on agency_type=group_code  where advt_schedule.unit_code=? and sch_bill_no<>'' and "
        "sch_ins_date>=? and sch_ins_date<=? and sch_agency_code=?"_s,
        {filter.unitCode, sqlDate(filter.from), sqlDate(filter.to), QString::fromUtf16(DavpAgencyCode)}};
    addProductAndBillRangeConditions(statement, filter);
    statement.text += u" and  group_no_of_bills >0 and sch_net_total >0"_s;
    return statement;
}

SqlStatement davpBillQuery(const BillFilter &filter)
{
    SqlStatement statement = davpSchedules(filter);
    statement.text = selectSchedulesFirst(u"group_no_of_bills,group_show_comm,group_show_address"_s) + statement.text
                     + u" Group by sch_bill_no "_s + u" Order by sch_ins_date,sch_bill_no"_s;
    return statement;
}

namespace {

const QString AgencyColumns = u"agency_name,agency_add1,agency_add2,agency_add3,sub_name"_s;
const QString RateColumns = u"rate_davp_code,rate_place"_s;

}  // namespace

QString davpAgencyQuery()
{
    return u"Select "_s + AgencyColumns
           + u" from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code=?"_s;
}

QString davpRateQuery() { return u"Select "_s + RateColumns + u" from advt_ratemaster where rate_code=?"_s; }

RunLookUpStatements davpAgencyLookUp(const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_agency_code"_s, AgencyColumns,
                               u" inner join advt_agencymaster on agency_code=run_codes.lookup_key inner join "
                               "advt_subarea on agency_subarea=sub_code"_s),
            davpAgencyQuery()};
}

RunLookUpStatements davpPagesLookUp(const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_slno"_s, u"group_concat(distinct(sdet_page))"_s,
                               u" inner join advt_scheduledetails on sdet_sch_code=run_codes.lookup_key"_s, {}, true),
            {}};
}

RunLookUpStatements davpRateLookUp(const SqlStatement &schedules)
{
    return {runLookUpStatement(schedules, u"sch_ratecode"_s, RateColumns,
                               u" inner join advt_ratemaster on rate_code=run_codes.lookup_key"_s),
            davpRateQuery()};
}
