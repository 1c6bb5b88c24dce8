#pragma once

#include "einvoice/gridbill.h"
#include "einvoice/irpanswers.h"
#include "einvoice/seller.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

// The registration of a bill with the portal, if it has one.
using RegistrationOf = std::function<std::optional<IrpAnswer>(const QString &billNo)>;

// The QR code of a text (its UTF-8 bytes), one pixel per module, dark modules black, no quiet
// zone; a null image when the text is too long for a QR code.
QImage qrCodeImage(const QString &text);

// The bills as complete tax invoices on plain paper: one A4 page per copy (a second copy when the
// BP Type is exactly "1", as Print makes it), with the IRN, acknowledgement and QR code of a
// registered bill. Text is real text in embedded fonts. Written whole or not at all, and not at all
// without a bill; returns the failure text, or nothing. Needs a QGuiApplication (fonts).
std::optional<QString> writeInvoicePdf(const QList<GridBill> &bills, const Sellers &sellers,
                                       const RegistrationOf &registrationOf, const QString &path);
