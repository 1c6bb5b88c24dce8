#pragma once

#include <QString>

#include <array>

// The process-wide values that start-up, the login and the unit switch fill and the working
// windows read. Routines of the core take what they need as values; only the windows read this.
struct SharedState
{
    QString CurrentUnitCode;
    QString CurrentUnitName;
    QString DefaultProductCode;
    QString CurrentUserId;
    QString CurrentUserName;
    bool IsAdminUser = false;
    std::array<QString, 4> HelpSelection;
    QString ServerAddress;
    QString AppVersion;
    bool ConnectionOpened = false;
    QString AccountsDbName;
};

SharedState &sharedState();
