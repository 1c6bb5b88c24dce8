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

QList<CliOption> einvoiceOptionList()
{
    return {
        {u"--einvoice"_s, u"FILE"_s,
         u"the bills as e-invoice documents (INV-01 1.1) for the IRP's bulk\n"
         "upload, and beside FILE the bills that cannot be registered, with\n"
         "the reason (NAME-readiness.csv)"_s},
        {InvoicePdfOption, u"FILE"_s,
         u"the bills as tax invoices on plain paper, one A4 page per copy,\n"
         "with the IRN and QR code of a registration of the bill as it stands"_s},
    };
}

void addEInvoiceOutputs(const CliArguments &args, BillsOptions &options)
{
    if (const std::optional<QString> path = args.value(u"--einvoice"_s)) {
        options.outputs.append([path = *path](CliSession &session, const BillRows &bills, OutputSet &outputs) {
            const EInvoiceBatch batch =
                buildEInvoices(bills, Sellers::load(session.db(), session.deployment()),
                               EInvoiceStore(session.db()).registrationsOf(bills),
                               {QDate::currentDate(), session.deployment().einvoiceReportingDays});
            if (const std::optional<QString> failure = stageEInvoices(batch, path, outputs))
                return failed(*failure);
            session.dialogs().message(einvoiceSummary(batch));
            return ExitStatus::Ok;
        });
    }
    if (const std::optional<QString> path = args.value(InvoicePdfOption)) {
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
