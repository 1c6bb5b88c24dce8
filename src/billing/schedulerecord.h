#pragma once

#include <QString>

#include <array>

class ResultSet;

// One row of a main bill query: the schedule with its group columns, each as the text the
// platform makes of it. The columns are looked up by name once per query (Columns), then read by
// position for every bill. A column the query does not select (group_bp_type in split and
// exchange runs) and a NULL both read as empty text.
class ScheduleRecord
{
public:
    // clang-format off
    enum Field {
        SlNo, BillNo, BillDate, InsDate, AgencyCode, ClientCode, ClientName, ClientAddress, ClientAddress2,
        ClientAddress3, EdCode, EdPdt, AgType, GstType, NetTotal, GrossAmt, GstAmt, SgstAmt, IgstAmt, GstPer,
        SgstPer, IgstPer, GrossBill, CardRate, NewRate, ExtChg, DiscAmt, Words, Sqcm, Sqcms, Cols, CommPer, BoxNo,
        BoxChg, Caption, RoNo, RoDate, DelChg, AdRef, Budget, GroupNoOfBills, GroupBpType, GroupShowComm,
        GroupShowAddress, RateCode, FieldCount
    };
    // clang-format on

    // Where each field stands in the result of a main query.
    class Columns
    {
    public:
        explicit Columns(const ResultSet &rows);

    private:
        friend class ScheduleRecord;
        std::array<int, FieldCount> m_positions{};
    };

    // The fields of the row `rows` stands on.
    ScheduleRecord(const Columns &columns, const ResultSet &rows);

    // The value as the platform writes it: a date dd-MMM-yyyy, a number in shortest form, text as stored.
    const QString &text(Field field) const { return m_texts[field]; }
    // The numeric-prefix value of that text; empty text is 0.
    double value(Field field) const;

private:
    std::array<QString, FieldCount> m_texts;
};
