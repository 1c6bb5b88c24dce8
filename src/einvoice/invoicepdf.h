#pragma once

#include "billing/billrow.h"
#include "common/progress.h"
#include "einvoice/registration.h"
#include "einvoice/seller.h"

#include <QImage>
#include <QString>

#include <optional>

class OutputFile;

// The QR code of a text (its UTF-8 bytes), one pixel per module, dark modules black, no quiet
// zone; a null image when the text is too long for a QR code.
QImage qrCodeImage(const QString &text);

// The bills Print would print as complete tax invoices on plain paper, into `output`: one A4 page
// per copy (a second copy when the BP Type is exactly "1", as Print makes it) with the supplier,
// the recipient (the party whose GSTIN the bill carries) and the other party, the release order,
// insertion, edition, pages, size and rate, the amounts and the total in words, and the IRN,
// acknowledgement and QR code of a registration of this very bill (`kept` gives the desk's).
// Text is real text in embedded fonts. Returns the failure text, or nothing; the caller puts the
// output in place (and writes none without a bill). `progress` hears of each bill drawn; false
// from it ends the drawing with "Stopped. No file was written.   " as the failure, and the caller
// then puts nothing in place. The fonts are DejaVu Sans and DejaVu Sans Bold.
std::optional<QString> writeInvoicePdf(const BillRows &bills, const Sellers &sellers, const RegistrationOf &kept,
                                       OutputFile &output, const Progress &progress = {});
