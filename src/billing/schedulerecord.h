#pragma once

#include <QString>

#include <array>

class ResultSet;

// One row of a main bill query: the schedule with its group columns. The columns are looked up by
// name once per query, then read by position for every bill. A column the query does not select
// (group_bp_type in split and exchange runs) and a NULL both read as empty text.
class ScheduleRecord
{
public:
    enum Field {
        SlNo, BillNo, BillDate, InsDate, AgencyCode, ClientCode, ClientName, ClientAddress, ClientAddress2,
        ClientAddress3, EdCode, EdPdt, AgType, GstType, NetTotal, GrossAmt, GstAmt, SgstAmt, IgstAmt, GstPer,
        SgstPer, IgstPer, GrossBill, CardRate, NewRate, ExtChg, DiscAmt, Words, Sqcm, Sqcms, Cols, CommPer, BoxNo,
        BoxChg, Caption, RoNo, RoDate, DelChg, AdRef, Budget, GroupNoOfBills, GroupBpType, GroupShowComm,
        GroupShowAddress, RateCode, FieldCount
    };

    explicit ScheduleRecord(const ResultSet &rows);

    // The value as the platform writes it: a date dd-MMM-yyyy, a number in shortest form, text as stored.
    QString text(Field field) const;
    // The numeric-prefix value of that text; empty text is 0.
    double value(Field field) const;

private:
    const ResultSet &m_rows;
    std::array<int, FieldCount> m_positions{};
};
