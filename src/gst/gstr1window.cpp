#include "gst/gstr1window.h"

#include "app/formhelpers.h"
#include "app/longwork.h"
#include "common/appcontext.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"
#include "gst/gstr1files.h"
#include "gst/gstr1run.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

void writeGstr1FromWindow(AppContext &context, QWidget *window, const QDate &month)
{
    const std::optional<Dialogs::SavePath> chosen =
        context.dialogs.saveFile({context.deployment.applicationFolder(),
                                  {u"GSTR-1 table (*.csv) | *.csv"_s},
                                  u"GSTR1_"_s + month.toString(u"MMyyyy"_s) + u".csv"_s,
                                  u"Gstr1"_s});
    if (!chosen)
        return;
    runHandler(context.dialogs, [&] {
        const BusyCursor hourglass;
        LongWork work(window, u"Generating bills for GSTR-1"_s);
        const Gstr1Request request{
            month, {context.state.CurrentUnitCode}, QFileInfo(chosen->path).absolutePath(), chosen->path};
        const Gstr1Written written = writeGstr1(context.db, context.deployment, request, work.progress());
        if (written.stopped || written.failure) {
            context.dialogs.message(written.stopped ? *written.stopped : *written.failure);
            return;
        }
        QStringList lines;
        for (const Gstr1Problem &problem : written.gstr1.problems)
            lines << u"bill "_s + problem.billNo + u": "_s + problem.reason;
        lines << gstr1Summary(written.gstr1);
        context.dialogs.message(lines.join(u'\n'));
    });
}
