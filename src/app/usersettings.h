#pragma once

#include <QString>

// The per-user settings store of the program (application "Selvoro"): the database server address
// and the last user name that logged in.
class UserSettings
{
public:
    virtual ~UserSettings() = default;
    virtual QString serverAddress() const;
    virtual QString lastUser() const;
    virtual void setLastUser(const QString &name);
};
