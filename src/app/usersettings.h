#pragma once

#include <QString>

// The per-user settings store of the program (application "Selvoro"): the database server address,
// the last user name that logged in, and the folder of the last file of each kind the file
// dialogs saved or opened.
class UserSettings
{
public:
    virtual ~UserSettings() = default;
    virtual QString serverAddress() const;
    virtual QString lastUser() const;
    virtual void setLastUser(const QString &name);
    virtual QString lastFolder(const QString &kind) const;
    virtual void setLastFolder(const QString &kind, const QString &folder);
};
