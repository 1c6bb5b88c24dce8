#include "billing/billrow.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList linesWithText(std::initializer_list<const QString *> lines)
{
    QStringList kept;
    for (const QString *line : lines)
        if (const QString text = line->trimmed(); !text.isEmpty())
            kept.append(text);
    return kept;
}

}  // namespace

BillParty BillRow::buyer() const
{
    if (billedToClient)
        return {bookedClientName.trimmed(),
                linesWithText({&clientAddress, &clientAddress2, &clientAddress3}),
                {},
                agencyGst.trimmed(),
                agencyPan.trimmed()};
    return {agentName.trimmed(), linesWithText({&agentAddress1, &agentAddress2, &agentAddress3}), subName.trimmed(),
            agencyGst.trimmed(), agencyPan.trimmed()};
}

bool BillRow::isSecondCompany() const { return products == u"FSH"_s; }

std::span<const BillRow> printableBills(const BillRows &bills)
{
    const auto end =
        std::find_if(bills.begin(), bills.end(), [](const BillRow &bill) { return bill.billNo.isEmpty(); });
    return {bills.begin(), end};
}
