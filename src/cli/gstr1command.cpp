// selvoro-cli gstr1: the return of outward supplies for a month, as the portal's offline tool
// imports it.
#include "cli/clisession.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "gst/gstr1files.h"
#include "gst/gstr1run.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto Command = u"gstr1"_s;
const auto UnitOption = u"--unit"_s;

CliSyntax syntax()
{
    // --unit names every unit whose bills the return takes; the session works for the first.
    QList<CliOption> session = sessionOptionList();
    for (CliOption &option : session) {
        if (option.name == UnitOption) {
            option.help = u"a unit whose bills the return takes; give it again for more units\n"
                          "(default: the workstation's unit)"_s;
            option.repeatable = true;
        }
    }
    return {
        Command,
        {session,
         {
             {u"--period"_s, u"YYYY-MM"_s, u"the month whose bills (by bill date) the return reports"_s, true},
             {u"--json-dir"_s, u"DIR"_s, u"the folder of the files GSTIN_MMYYYY_GSTR1.json, one per company"_s, true},
             {u"--csv"_s, u"FILE"_s, u"the same figures as one table, to check by eye"_s},
         }}};
}

// The month of "2026-12"; nothing for any other text.
std::optional<QDate> periodOf(const QString &text)
{
    static const QRegularExpression pattern(u"^(\\d{4})-(\\d{2})$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate month(match.captured(1).toInt(), match.captured(2).toInt(), 1);
    return month.isValid() ? std::optional(month) : std::nullopt;
}

int runGstr1(const CliArguments &args)
{
    const std::optional<QDate> month = periodOf(args.valueOr(u"--period"_s));
    if (!month) {
        printError(u"selvoro-cli gstr1: --period needs a month YYYY-MM"_s);
        return ExitStatus::Usage;
    }
    const std::optional<SessionOptions> options = sessionOptions(args, Command);
    if (!options)
        return ExitStatus::Usage;
    CliSession session;
    if (const int status = session.start(*options); status != ExitStatus::Ok)
        return status;
    try {
        Gstr1Request request{
            *month, {session.state().CurrentUnitCode}, args.valueOr(u"--json-dir"_s), args.value(u"--csv"_s)};
        for (const QString &unit : args.values(UnitOption).mid(1)) {
            if (!session.unitToWorkFor(unit))
                return ExitStatus::Usage;
            if (!request.units.contains(unit))
                request.units.append(unit);
        }
        const Gstr1Written written = writeGstr1(session.db(), session.deployment(), request);
        if (written.stopped) {
            session.dialogs().message(*written.stopped);
            return ExitStatus::Validation;
        }
        if (written.failure) {
            printError(u"selvoro-cli gstr1: "_s + *written.failure);
            return ExitStatus::Output;
        }
        for (const Gstr1Problem &problem : written.gstr1.problems)
            printError(u"selvoro-cli gstr1: bill "_s + problem.billNo + u": "_s + problem.reason);
        session.dialogs().message(gstr1Summary(written.gstr1));
        return ExitStatus::Ok;
    } catch (const DbError &error) {
        session.dialogs().message(error.text());
        return ExitStatus::Database;
    }
}

}  // namespace

CliCommand gstr1Command()
{
    return {syntax(),
            u"Writes GSTR-1, the return of outward supplies, for the month: the GST bills of the units\n"
            "whose bill date lies in it, one JSON file per company (SV, and SX for FSH) in the format the\n"
            "portal's offline tool imports (b2b, b2cl, b2cs, hsn, doc_issue). A bill whose buyer GSTIN\n"
            "fails the check is listed as a problem and left out; the rest is written. Every file is\n"
            "written whole, or none."_s,
            runGstr1};
}
