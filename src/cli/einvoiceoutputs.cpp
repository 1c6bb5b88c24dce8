// The e-invoicing outputs of selvoro-cli bills: the bills of the generated grid as documents for the
// portal's bulk upload, and as tax invoices on plain paper.
#include "cli/einvoiceoutputs.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"
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
    const BillKind kind = billKind(options.filter);
    if (const std::optional<QString> path = takeOption(args, u"--einvoice"_s, missing)) {
        options.outputs.append([kind, path = *path](CliSession &session, const Sheet &sheet) {
            const EInvoiceBatch batch =
                buildEInvoices(gridBills(sheet), Sellers::load(session.db(), session.deployment()), kind);
            if (const std::optional<QString> failure = writeEInvoices(batch, path))
                return failed(*failure);
            session.dialogs().message(einvoiceSummary(batch));
            return ExitStatus::Ok;
        });
    }
    if (const std::optional<QString> path = takeOption(args, InvoicePdfOption, missing)) {
        options.outputs.append([path = *path](CliSession &session, const Sheet &sheet) {
            EInvoiceStore store(session.db());
            const std::optional<QString> failure = writeInvoicePdf(
                gridBills(sheet), Sellers::load(session.db(), session.deployment()),
                [&store](const QString &billNo) { return store.find(billNo); }, path);
            return failure ? failed(*failure) : ExitStatus::Ok;
        });
    }
}

bool needsPainting(const QStringList &args) { return args.contains(InvoicePdfOption); }
