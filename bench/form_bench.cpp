// The bill form with its view, offscreen: opens "Print Bill" in the main window on the benchmark
// database, runs Show over the whole year 2026 or from FROM to TO (up to bill number BILL_TO when
// given and not empty), its progress in the main window's status line, and prints the seconds Show
// took and the bills it wrote.
// Usage: form_bench PORT [BILL_TO [FROM TO]]   (the benchmark instance, or a proxy in front of it;
// see bills-bench.sh and history-bench.sh; dates as YYYY-MM-DD)
#include "app/frmmain.h"
#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: form_bench PORT [BILL_TO [FROM TO]]\n", stderr);
        return 2;
    }
    Deployment deployment;
    deployment.port = QString::fromLocal8Bit(argv[1]).toInt();
    Db db;
    deployment.connectTimeout = 30;
    db.open(deployment.connectSettings(u"127.0.0.1"_s));
    StderrDialogs dialogs;
    SharedState state;
    state.CurrentUnitCode = u"KOC"_s;
    state.CurrentUnitName = u"Kochi"_s;
    state.DefaultProductCode = u"DLY"_s;
    state.CurrentUserId = u"2"_s;
    AppContext context{db, dialogs, deployment, state};

    frmMain main(context);
    main.setAttribute(Qt::WA_DeleteOnClose, false);
    main.resize(1366, 768);
    main.show();
    frmPrintBill &form = *main.openForm<frmPrintBill>();
    const bool dated = argc > 4;
    form.DtFrom->setDate(dated ? QDate::fromString(QString::fromLocal8Bit(argv[3]), Qt::ISODate) : QDate(2026, 1, 1));
    form.DtTo->setDate(dated ? QDate::fromString(QString::fromLocal8Bit(argv[4]), Qt::ISODate) : QDate(2026, 12, 31));
    if (argc > 2)
        form.TxBillTo->setText(QString::fromLocal8Bit(argv[2]));
    QElapsedTimer timer;
    timer.start();
    form.CmShow_Click();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%.3f %d\n", seconds, form.currentRow() - 4);
    return 0;
}
