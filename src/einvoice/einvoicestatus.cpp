#include "einvoice/einvoicestatus.h"

#include "billing/billamounts.h"
#include "common/csvtext.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

QString shown(const QDateTime &moment) { return moment.toString(u"dd-MM-yyyy HH:mm"_s); }

}  // namespace

QString einvoiceStatusText(const BillRegistration &registration, const QDateTime &now)
{
    switch (registration.state) {
    case BillRegistration::State::NotRegistered: break;
    case BillRegistration::State::Registered: {
        const QDateTime until = registration.answer->ackDate.addSecs(CancellationWindowSeconds);
        return now < until ? u"registered, cancellable until "_s + shown(until)
                           : u"registered, past the 24-hour cancellation window"_s;
    }
    case BillRegistration::State::Changed: return u"changed since registration"_s;
    case BillRegistration::State::Cancelled: return u"cancelled on "_s + shown(registration.answer->cancelDate);
    }
    return u"not registered"_s;
}

QByteArray einvoiceStatusCsv(const BillRows &bills, const RegistrationOf &kept, const QDateTime &now)
{
    QString csv = u"Bill No,Bill Date,Buyer GSTIN,Total,Status,IRN,Ack Date\n"_s;
    for (const BillRow &bill : printableBills(bills)) {
        const BillRegistration registration = registrationOf(bill, kept);
        const std::optional<IrpAnswer> &answer = registration.answer;
        csv += csvLine({bill.billNo, billDateOf(bill).toString(u"yyyy-MM-dd"_s), bill.buyer().gstin,
                        paiseText(amountsOf(bill).amount), einvoiceStatusText(registration, now),
                        answer ? answer->irn : QString(),
                        answer ? answer->ackDate.toString(u"yyyy-MM-dd HH:mm:ss"_s) : QString()});
    }
    return csv.toUtf8();
}

QString einvoiceStatusSummary(const BillRows &bills, const RegistrationOf &kept)
{
    using State = BillRegistration::State;
    const std::array<std::pair<State, QString>, 4> order{{{State::Registered, u"registered"_s},
                                                          {State::Changed, u"changed since registration"_s},
                                                          {State::Cancelled, u"cancelled"_s},
                                                          {State::NotRegistered, u"not registered"_s}}};
    std::array<int, 4> counts{};
    bool any = false;
    for (const BillRow &bill : printableBills(bills)) {
        const State state = registrationOf(bill, kept).state;
        for (std::size_t i = 0; i < order.size(); ++i)
            counts[i] += order[i].first == state ? 1 : 0;
        any = true;
    }
    if (!any)
        return {};
    QStringList parts;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (counts[i] > 0)
            parts << QString::number(counts[i]) + u' ' + order[i].second;
    return u"e-Invoice: "_s + parts.join(u", "_s);
}
