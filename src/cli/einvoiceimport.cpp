// selvoro-cli einvoice-import: keeps the e-invoice portal's answers to the documents of the desk's bills.
#include "cli/commands.h"

#include "cli/clisession.h"
#include "cli/exitstatus.h"
#include "einvoice/einvoicestore.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Command = u"einvoice-import"_s;

int runImport(const CliArguments &args)
{
    const std::optional<SessionOptions> options = sessionOptions(args, Command);
    if (!options)
        return ExitStatus::Usage;
    const QString path = args.positional().first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(u"selvoro-cli einvoice-import: cannot read "_s + path + u": "_s + file.errorString());
        return ExitStatus::Usage;
    }
    const IrpAnswers answers = parseIrpAnswers(file.readAll());
    if (!answers.problems.isEmpty()) {
        for (const QString &problem : answers.problems)
            printError(path + u": "_s + problem);
        printError(u"selvoro-cli einvoice-import: nothing imported"_s);
        return ExitStatus::Validation;
    }
    CliSession session;
    if (const int status = session.start(*options); status != ExitStatus::Ok)
        return status;
    try {
        const EInvoiceStore::Outcome outcome =
            EInvoiceStore(session.db()).import(answers.answers, session.state().CurrentUnitCode, answers.cancellations);
        for (const QString &left : outcome.otherUnits)
            printError(path + u": "_s + left);
        if (!outcome.problems.isEmpty()) {
            for (const QString &problem : outcome.problems)
                printError(path + u": "_s + problem);
            printError(u"selvoro-cli einvoice-import: nothing imported"_s);
            return ExitStatus::Validation;
        }
        session.dialogs().message(importSummary(outcome));
        return ExitStatus::Ok;
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}

}  // namespace

CliCommand einvoiceImportCommand()
{
    return {{Command, {sessionOptionList()}, u"FILE"_s},
            u"Reads a file of the e-invoice portal's answers (AckNo, AckDt, Irn, SignedInvoice and\n"
            "SignedQRCode, one object or an array of them) and keeps them by bill number. The bill number\n"
            "and IRN are taken from the signed QR code, whose signature is not checked here. A file with\n"
            "any problem imports nothing; an answer already kept changes nothing; another IRN for a\n"
            "registered bill is refused. Answers to cancellations (Irn and CancelDate) cancel a kept\n"
            "IRN within 24 hours of its acknowledgement; the cancelled registration is kept, and the bill\n"
            "may be registered again. Only answers for bills of the unit (--unit, else the\n"
            "workstation's) are imported; those for other units' bills are named and left out."_s,
            runImport};
}
