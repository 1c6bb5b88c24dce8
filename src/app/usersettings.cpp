#include "app/usersettings.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

// Stored under the organisation and application name "Selvoro" (on Linux
// $XDG_CONFIG_HOME/Selvoro/Selvoro.conf), sections and keys as the program has always used them.

QString UserSettings::serverAddress() const
{
    QSettings settings(u"Selvoro"_s, u"Selvoro"_s);
    return settings.value(u"ServerIp/ServerIP"_s).toString();
}

QString UserSettings::lastUser() const
{
    QSettings settings(u"Selvoro"_s, u"Selvoro"_s);
    return settings.value(u"Login/AUser"_s).toString();
}

void UserSettings::setLastUser(const QString &name)
{
    QSettings settings(u"Selvoro"_s, u"Selvoro"_s);
    settings.setValue(u"Login/AUser"_s, name);
    settings.sync();
}

QString UserSettings::lastFolder(const QString &kind) const
{
    QSettings settings(u"Selvoro"_s, u"Selvoro"_s);
    return settings.value(u"Folders/"_s + kind).toString();
}

void UserSettings::setLastFolder(const QString &kind, const QString &folder)
{
    QSettings settings(u"Selvoro"_s, u"Selvoro"_s);
    settings.setValue(u"Folders/"_s + kind, folder);
    settings.sync();
}
