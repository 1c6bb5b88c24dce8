#pragma once

#include "cli/billcommand.h"

#include <QStringList>

// Takes --einvoice FILE (the portal's documents and, beside them, the readiness report) and
// --invoice-pdf FILE (the plain-paper tax invoices) out of args and adds them to the outputs.
// Sets `missing` when one lacks its value.
void takeEInvoiceOptions(QStringList &args, BillsOptions &options, bool &missing);

// Whether the arguments ask for an output that draws (and so needs Qt Gui's fonts).
bool needsPainting(const QStringList &args);
