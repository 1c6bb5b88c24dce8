// The e-invoicing outputs of selvoro-cli bills: the bills of the generated grid as documents for the
// portal's bulk upload, and as tax invoices on plain paper.
#include "cli/einvoiceoutputs.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "common/outputfile.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/einvoicestore.h"
#include "einvoice/invoicepdf.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const auto InvoicePdfOption = u"--invoice-pdf"_s;

int failed(const QString &failure)
{
    printError(u"selvoro-cli bills: "_s + failure);
    return ExitStatus::Output;
}

}  // namespace

void takeEInvoiceOptions(QStringList &args, BillsOptions &options, bool &missing)
{
    if (const std::optional<QString> path = takeOption(args, u"--einvoice"_s, missing)) {
        options.outputs.append([path = *path](CliSession &session, const BillRows &bills, OutputSet &outputs) {
            const EInvoiceBatch batch = buildEInvoices(bills, Sellers::load(session.db(), session.deployment()),
                                                       EInvoiceStore(session.db()).registrationsOf(bills));
            if (const std::optional<QString> failure = stageEInvoices(batch, path, outputs))
                return failed(*failure);
            session.dialogs().message(einvoiceSummary(batch));
            return ExitStatus::Ok;
        });
    }
    if (const std::optional<QString> path = takeOption(args, InvoicePdfOption, missing)) {
        options.outputs.append([path = *path](CliSession &session, const BillRows &bills, OutputSet &outputs) {
            // Without a bill there is no invoice to print, and no file.
            if (printableBills(bills).empty())
                return ExitStatus::Ok;
            const Sellers sellers = Sellers::load(session.db(), session.deployment());
            const RegistrationOf kept = EInvoiceStore(session.db()).registrationsOf(bills);
            const std::optional<QString> failure =
                outputs.stage(path, [&](OutputFile &output) { return writeInvoicePdf(bills, sellers, kept, output); });
            return failure ? failed(*failure) : ExitStatus::Ok;
        });
    }
}

bool needsPainting(const QStringList &args) { return args.contains(InvoicePdfOption); }
