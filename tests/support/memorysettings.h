#pragma once

#include "app/usersettings.h"

#include <QHash>

// Per-user settings kept in memory: the last user name (and how often it was written) and the
// folder of the last file of each kind; the server address is the program's own.
class MemorySettings : public UserSettings
{
public:
    QString lastUser() const override { return m_lastUser; }
    void setLastUser(const QString &name) override
    {
        m_lastUser = name;
        ++writes;
    }
    QString lastFolder(const QString &kind) const override { return m_folders.value(kind); }
    void setLastFolder(const QString &kind, const QString &folder) override { m_folders.insert(kind, folder); }

    QString m_lastUser;
    int writes = 0;

private:
    QHash<QString, QString> m_folders;
};
