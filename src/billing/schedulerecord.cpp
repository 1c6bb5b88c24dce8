#include "billing/schedulerecord.h"

#include "common/db.h"
#include "common/numbers.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const std::array<QString, ScheduleRecord::FieldCount> &columnNames()
{
    // clang-format off
    static const std::array<QString, ScheduleRecord::FieldCount> names = {
        u"sch_slno"_s, u"sch_bill_no"_s, u"sch_bill_date"_s, u"sch_ins_date"_s, u"sch_agency_code"_s,
        u"sch_client_code"_s, u"sch_client_name"_s, u"sch_client_address"_s, u"sch_client_address2"_s,
        u"sch_client_address3"_s, u"sch_ed_code"_s, u"sch_ed_pdt"_s, u"sch_agtype"_s, u"sch_gst_type"_s,
        u"sch_net_total"_s, u"sch_gross_amt"_s, u"sch_gst_amt"_s, u"sch_sgst_amt"_s, u"sch_igst_amt"_s,
        u"sch_gst_per"_s, u"sch_sgst_per"_s, u"sch_igst_per"_s, u"sch_gross_bill"_s, u"sch_card_rate"_s,
        u"sch_new_rate"_s, u"sch_ext_chg"_s, u"sch_disc_amt"_s, u"sch_words"_s, u"sch_sqcm"_s, u"sch_sqcms"_s,
        u"sch_cols"_s, u"sch_comm_per"_s, u"sch_box_no"_s, u"sch_box_chg"_s, u"sch_caption"_s, u"sch_ro_no"_s,
        u"sch_ro_date"_s, u"sch_del_chg"_s, u"sch_ad_ref"_s, u"sch_budget"_s, u"group_no_of_bills"_s,
        u"group_bp_type"_s, u"group_show_comm"_s, u"group_show_address"_s, u"sch_ratecode"_s,
    };
    // clang-format on
    return names;
}

}  // namespace

ScheduleRecord::Columns::Columns(const ResultSet &rows)
{
    for (int field = 0; field < FieldCount; ++field) {
        // Only group_bp_type is optional; any other missing column is a broken schema and throws.
        if (field == GroupBpType) {
            m_positions[field] = rows.findPosition(columnNames()[field]).value_or(-1);
        } else {
            m_positions[field] = rows.position(columnNames()[field]);
        }
    }
}

ScheduleRecord::ScheduleRecord(const Columns &columns, const ResultSet &rows)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (const int position = columns.m_positions[field]; position >= 0)
            m_texts[field] = rows.textOrEmpty(position);
    }
}

double ScheduleRecord::value(Field field) const { return leadingNumber(text(field)); }
