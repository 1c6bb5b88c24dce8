#include "common/deployment.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::Literals::StringLiterals;

QString Deployment::connectionString(const QString &serverAddress) const
{
    QString text;
    if (serverAddress == u"127.0.0.1"_s)
        text = u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=127.0.0.1; USER=root;PASSWORD='"_s + loopbackPassword
               + u"';OPTION=3;Database=selvoro"_s;
    else
        text = u"DRIVER={MySQL ODBC 3.51 Driver};SERVER="_s + serverAddress + u"; USER="_s + remoteUser
               + u";PASSWORD="_s + remotePassword + u";OPTION=3;Database=selvoro"_s;
    if (port > 0)
        text += u";PORT="_s + QString::number(port);
    return text;
}

QString Deployment::applicationFolder() const
{
    if (!appFolder.isEmpty())
        return appFolder;
    return QCoreApplication::applicationDirPath();
}

QString Deployment::defaultPath()
{
    const QString fromEnvironment = qEnvironmentVariable("SELVORO_DEPLOYMENT");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QCoreApplication::applicationDirPath() + u"/selvoro.ini"_s;
}

Deployment Deployment::load(const QString &path)
{
    Deployment d;
    if (!QFileInfo::exists(path))
        return d;
    const QSettings file(path, QSettings::IniFormat);
    const auto read = [&file](const QString &key, QString &target) {
        if (!file.contains(key))
            return;
        // An unquoted value with commas (an address line) comes back as a list of its parts.
        const QVariant value = file.value(key);
        target = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u", "_s) : value.toString();
    };
    read(u"Database/RemoteUser"_s, d.remoteUser);
    read(u"Database/RemotePassword"_s, d.remotePassword);
    read(u"Database/LoopbackPassword"_s, d.loopbackPassword);
    d.port = file.value(u"Database/Port"_s, 0).toInt();
    read(u"Servers/InHouseServer1"_s, d.inHouseServer1);
    read(u"Servers/InHouseServer2"_s, d.inHouseServer2);
    read(u"Servers/InHouseUpdatePage"_s, d.inHouseUpdatePage);
    read(u"Servers/VendorWebAddress"_s, d.vendorWebAddress);
    read(u"Servers/VendorWebPage"_s, d.vendorWebPage);
    read(u"Workstation/DefaultUnit"_s, d.defaultUnitCode);
    read(u"Publisher/Address"_s, d.publisherAddress);
    read(u"Publisher/PhoneFax"_s, d.publisherPhoneFax);
    read(u"Paths/AppFolder"_s, d.appFolder);
    read(u"Spooler/Mode"_s, d.spoolerMode);
    read(u"Spooler/Queue"_s, d.spoolerQueue);
    read(u"Spooler/Command"_s, d.spoolerCommand);
    read(u"Spooler/OutputFolder"_s, d.spoolerOutputFolder);
    d.spoolerPreview = file.value(u"Spooler/Preview"_s, false).toBool();
    return d;
}
