#pragma once

#include "cli/billcommand.h"

#include <QStringList>

// The e-invoicing outputs of selvoro-cli bills: --einvoice FILE (the portal's documents and,
// beside them, the readiness report) and --invoice-pdf FILE (the plain-paper tax invoices).
QList<CliOption> einvoiceOptionList();
// Adds those that `args` asks for to the outputs.
void addEInvoiceOutputs(const CliArguments &args, BillsOptions &options);
