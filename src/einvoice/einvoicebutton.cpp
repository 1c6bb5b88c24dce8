#include "einvoice/einvoicebutton.h"

#include "app/formhelpers.h"
#include "app/longwork.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/messages.h"
#include "common/outputfile.h"
#include "common/sharedstate.h"
#include "einvoice/einvoicedocuments.h"
#include "einvoice/einvoicestore.h"
#include "einvoice/invoicepdf.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

EInvoiceButton::EInvoiceButton(AppContext &context, std::function<const BillRows &()> bills, QWidget *parent)
    : QPushButton(u"e-Invoice"_s, parent), m_context(context), m_bills(std::move(bills))
{
    setObjectName(u"CmEInvoice"_s);
    auto *menu = new QMenu(this);
    documentsAction = menu->addAction(u"e-Invoice documents"_s, this, &EInvoiceButton::writeDocuments);
    pdfAction = menu->addAction(u"PDF"_s, this, &EInvoiceButton::writePdf);
    importAction = menu->addAction(u"Import IRP answers"_s, this, &EInvoiceButton::importAnswers);
    setMenu(menu);
}

void EInvoiceButton::writeDocuments()
{
    const std::optional<QString> path =
        askPath(u"e-Invoice documents (*.json) | *.json"_s, u"einvoice.json"_s, u"EInvoiceDocuments"_s);
    if (!path)
        return;
    runHandler(m_context.dialogs, [&] {
        const BusyCursor hourglass;
        LongWork work(this, u"Writing e-invoice documents"_s);
        const BillRows &bills = m_bills();
        const EInvoiceBatch batch =
            buildEInvoices(bills, Sellers::load(m_context.db, m_context.deployment),
                           EInvoiceStore(m_context.db).registrationsOf(bills),
                           {m_context.now().date(), m_context.deployment.einvoiceReportingDays}, work.progress());
        if (batch.stopped) {
            m_context.dialogs.message(Msg::OutputStopped);
            return;
        }
        const std::optional<QString> failure = writeEInvoices(batch, *path);
        m_context.dialogs.message(failure ? *failure : einvoiceSummary(batch));
    });
}

void EInvoiceButton::writePdf()
{
    const std::optional<QString> path = askPath(u"PDF files (*.pdf) | *.pdf"_s, u"invoices.pdf"_s, u"InvoicePdf"_s);
    if (!path)
        return;
    runHandler(m_context.dialogs, [&] {
        const BusyCursor hourglass;
        const BillRows &bills = m_bills();
        const qsizetype count = qsizetype(printableBills(bills).size());
        if (count == 0) {
            m_context.dialogs.message(Msg::NoDetailsFound);
            return;
        }
        LongWork work(this, u"Writing invoices"_s);
        const Sellers sellers = Sellers::load(m_context.db, m_context.deployment);
        const RegistrationOf kept = EInvoiceStore(m_context.db).registrationsOf(bills);
        const std::optional<QString> failure = writeWholeFile(
            *path, [&](OutputFile &output) { return writeInvoicePdf(bills, sellers, kept, output, work.progress()); });
        m_context.dialogs.message(failure ? *failure : QString::number(count) + u" bills written to "_s + *path);
    });
}

void EInvoiceButton::importAnswers()
{
    const std::optional<QString> path =
        m_context.dialogs.openFile({m_context.deployment.applicationFolder(),
                                    {u"IRP answers (*.json) | *.json"_s, u"All files (*.*) | *.*"_s},
                                    u"IrpAnswers"_s});
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.dialogs.message(u"cannot read "_s + *path + u": "_s + file.errorString());
        return;
    }
    const IrpAnswers answers = parseIrpAnswers(file.readAll());
    if (!answers.problems.isEmpty()) {
        m_context.dialogs.message(answers.problems.join(u'\n') + u"\nNothing was imported."_s);
        return;
    }
    runHandler(m_context.dialogs, [&] {
        const EInvoiceStore::Outcome outcome =
            EInvoiceStore(m_context.db).import(answers.answers, m_context.state.CurrentUnitCode, answers.cancellations);
        m_context.dialogs.message(outcome.problems.isEmpty()
                                      ? (outcome.otherUnits + QStringList{importSummary(outcome)}).join(u'\n')
                                      : outcome.problems.join(u'\n') + u"\nNothing was imported."_s);
    });
}

std::optional<QString> EInvoiceButton::askPath(const QString &filter, const QString &proposedName, const QString &kind)
{
    const std::optional<Dialogs::SavePath> chosen =
        m_context.dialogs.saveFile({m_context.deployment.applicationFolder(), {filter}, proposedName, kind});
    if (!chosen)
        return std::nullopt;
    if (QFileInfo::exists(chosen->path)
        && m_context.dialogs.message(chosen->path + u" already exists. Replace it?"_s, Dialogs::Icon::Question,
                                     Dialogs::Buttons::YesNo)
               != Dialogs::Answer::Yes)
        return std::nullopt;
    return chosen->path;
}
