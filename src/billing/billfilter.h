#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// What the bill print form hands to generation: its filter boxes and split frame exactly as typed
// (no trimming, no composition), which routine to run, and the unit the bills belong to.
struct BillFilter
{
    QDate from;                   // DtFrom
    QDate to;                     // DtTo
    QString product;              // TxCombination: "/"-joined product codes; empty = all products
    QString group;                // TxGroup: comma-separated agency-type codes, quoted or not; empty = all
    QString billFrom;             // TxBillFrom; the schedule number in single-schedule mode
    QString billTo;               // TxBillTo
    bool singleSchedule = false;  // SingleScheduleMode: opened for one schedule (GetDetails)
    bool byBillDate = false;      // the dates are bill dates (a return's period), not insertion dates

    bool split = false;   // ChkSplitBill: bill the split share to the client below
    QString splitClient;  // TxSplitClient
    QString splitAdd1;    // TxSplitAdd1
    QString splitAdd2;    // TxSplitAdd2
    QString splitAdd3;    // TxSplitAdd3
    QString splitTotal;   // TxSplitTotal, a number as typed ("1500", "1500.50")

    bool exchange = false;  // net the exchange debits and credits (used when split is off)

    QString unitCode;  // CurrentUnitCode
};

// The routine a filter asks for: split bills when split is ticked, else exchange bills when
// exchange is ticked, else GST bills.
enum class BillKind { Gst, Split, Exchange };
BillKind billKind(const BillFilter &filter);

// The input checks that run before anything is queried or the grid is touched: a group text that
// is not a plain list of codes, and (for split bills) a split total that is not a number. Returns
// the message to show, or nothing when the filter may be used. The date range is checked by the
// generation itself, at its usual point, after the grid is cleared.
std::optional<QString> checkBillFilter(const BillFilter &filter);

// The agency-type codes of a group text ("'AG','DR'", "AG, DR", "AG"), unquoted; nothing when the
// text is not such a list. An empty text gives an empty list.
std::optional<QStringList> parseGroupCodes(const QString &groupText);

// The split total as a number; nothing when the text is not a number (an empty text included).
std::optional<double> parseSplitTotal(const QString &splitTotal);
