#include "app/appicon.h"
#include "app/frmlogin.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/guidialogs.h"
#include "app/selvoroapplication.h"
#include "app/startup.h"
#include "app/usersettings.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/sharedstate.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Dates show as 07-Dec-2026 throughout: English month names and the program's own short-date
// format (see common/platformtext.h), whatever the desktop's regional settings say.
void SetDateFormat() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

}  // namespace

int main(int argc, char *argv[])
{
    UserSettings settings;
    GuiDialogs dialogs(settings);
    SelvoroApplication app(argc, argv);
    // The application's name titles every message box; it is not a display name, which the
    // desktop would append to the main window's exact title.
    QApplication::setApplicationName(u"Selvoro"_s);
    QApplication::setWindowIcon(appIcon());
    SetDateFormat();

    const Deployment deployment = Deployment::load();
    if (!deployment.problems.isEmpty()) {
        dialogs.message(deployment.problems.join(u'\n'), Dialogs::Icon::Critical);
        return 2;
    }
    Db db;
    SharedState &state = sharedState();
    AppContext context{db, dialogs, deployment, state};

    const StartupResult startup = runStartup(db, dialogs, deployment, settings.serverAddress(), state);
    if (startup.outcome == StartupResult::Outcome::Outdated) {
        QDesktopServices::openUrl(QUrl(startup.updateAddress));
        return 0;
    }
    if (startup.outcome != StartupResult::Outcome::Ready)
        return 1;

    auto *splash = new frmSplash;
    QObject::connect(splash, &frmSplash::finished, &app, [&] {
        auto *login = new frmLogin(context, settings);
        QObject::connect(login, &frmLogin::exitRequested, &app, &QApplication::quit);
        QObject::connect(login, &frmLogin::loggedIn, &app, [&] {
            auto *main = new frmMain(context);
            main->show();
        });
        login->show();
        login->activateWindow();
    });
    splash->show();
    return QApplication::exec();
}
