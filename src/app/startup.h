#pragma once

#include <QString>

class Db;
class Dialogs;
struct Deployment;
struct SharedState;

// How start-up ended. On anything but Ready the program ends (after opening the update page
// when the installed version is out of date).
struct StartupResult
{
    enum class Outcome { Ready, ConnectFailed, InvalidConfiguration, Outdated };
    Outcome outcome = Outcome::Ready;
    QString updateAddress;  // the page to open, for Outdated
};

inline constexpr char16_t AppVersion[] = u"V14.6";

// The page that offers the update: the in-house one for the in-house servers and the loopback
// address, the vendor's for any other server.
QString updateAddress(const Deployment &deployment, const QString &serverAddress);

// Opens the shared connection to the configured server, reads the accounts database of the
// default financial year, checks the installed version and takes the workstation's default unit
// into the shared state. Its messages go through `dialogs`, in the order the user sees them.
StartupResult runStartup(Db &db, Dialogs &dialogs, const Deployment &deployment, const QString &serverAddress,
                         SharedState &state);
