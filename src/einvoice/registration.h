#pragma once

#include "billing/billrow.h"
#include "einvoice/irpanswers.h"

#include <functional>
#include <optional>

// The portal cancels an IRN only within this many seconds of its acknowledgement.
inline constexpr qint64 CancellationWindowSeconds = 24 * 60 * 60;

// The registration kept for a bill number, if there is one.
using RegistrationOf = std::function<std::optional<IrpAnswer>(const QString &billNo)>;

// What the desk knows of a bill's registration with the portal.
struct BillRegistration
{
    enum class State {
        NotRegistered,  // no registration kept for the bill (split-share bills never have one)
        Registered,     // the registered document is this bill as it stands
        Changed,        // a registration is kept under the bill's number, but of another document
        Cancelled,      // the bill's registration was cancelled; it may be registered again
    };
    State state = State::NotRegistered;
    std::optional<IrpAnswer> answer;  // the kept answer, when there is one

    // The IRN and QR code may be printed on the bill.
    bool isValid() const { return state == State::Registered; }
};

// The registration of `bill`: the kept answer's signed QR code must name the bill's number, its
// buyer's GSTIN and its total. A cancelled registration is never valid, whatever it names.
BillRegistration registrationOf(const BillRow &bill, const RegistrationOf &kept);
