#include "einvoice/registration.h"

#include "billing/billamounts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

BillRegistration registrationOf(const BillRow &bill, const RegistrationOf &kept)
{
    // A split share is another bill under the same number: the registration is the original's.
    if (bill.kind == BillKind::Split || !kept)
        return {};
    std::optional<IrpAnswer> answer = kept(bill.billNo);
    if (!answer)
        return {};
    if (answer->cancelDate.isValid())
        return {BillRegistration::State::Cancelled, std::move(answer)};
    const QJsonObject qr = signedQrFields(answer->signedQrCode);
    const QJsonValue total = qr.value(u"TotInvVal"_s);
    const bool matches =
        qr.value(u"DocNo"_s).toString().trimmed() == bill.billNo
        && qr.value(u"BuyerGstin"_s).toString().trimmed().compare(bill.buyer().gstin, Qt::CaseInsensitive) == 0
        && total.isDouble() && std::llround(total.toDouble() * 100) == amountsOf(bill).total();
    return {matches ? BillRegistration::State::Registered : BillRegistration::State::Changed, std::move(answer)};
}
