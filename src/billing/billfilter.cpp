#include "billing/billfilter.h"

#include "common/messages.h"

#include <QRegularExpression>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

BillKind billKind(const BillFilter &filter)
{
    if (filter.split)
        return BillKind::Split;
    return filter.exchange ? BillKind::Exchange : BillKind::Gst;
}

std::optional<QStringList> parseGroupCodes(const QString &groupText)
{
    // An agency-type code: letters, digits and the joiners codes are made of, possibly in single
    // or double quotes. Anything else (a quote inside, a blank, a parenthesis, a semicolon, SQL
    // words around the list) is not a code list.
    static const QRegularExpression code(uR"re(^(?:'([\w./&-]+)'|"([\w./&-]+)"|([\w./&-]+))$)re"_s,
                                         QRegularExpression::UseUnicodePropertiesOption);
    QStringList codes;
    const QString trimmed = groupText.trimmed();
    if (trimmed.isEmpty())
        return codes;
    for (const QString &item : trimmed.split(u',')) {
        const QRegularExpressionMatch match = code.match(item.trimmed());
        if (!match.hasMatch())
            return std::nullopt;
        for (int group = 1; group <= 3; ++group) {
            if (match.capturedLength(group) > 0)
                codes.append(match.captured(group));
        }
    }
    return codes;
}

std::optional<double> parseSplitTotal(const QString &splitTotal)
{
    static const QRegularExpression number(uR"(^[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?$)"_s);
    const QString trimmed = splitTotal.trimmed();
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    const double value = trimmed.toDouble();
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> checkBillFilter(const BillFilter &filter)
{
    const BillKind kind = billKind(filter);
    // Only the date-range GST query filters by agency type.
    if (kind == BillKind::Gst && !filter.singleSchedule && !parseGroupCodes(filter.group))
        return Msg::GroupListInvalid;
    if (kind == BillKind::Split && !parseSplitTotal(filter.splitTotal))
        return Msg::SplitTotalInvalid;
    return std::nullopt;
}
