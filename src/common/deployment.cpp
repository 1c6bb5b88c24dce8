#include "common/deployment.h"

#include "common/db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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
    text += u";CONN_TIMEOUT="_s + QString::number(connectTimeout);
    if (statementTimeout > 0)
        text += u";READ_TIMEOUT=%1;WRITE_TIMEOUT=%1"_s.arg(statementTimeout);
    return text;
}

ConnectSettings Deployment::connectSettings(const QString &serverAddress) const
{
    return {connectionString(serverAddress), connectTimeout, statementTimeout, connectRetrySeconds};
}

QString Deployment::applicationFolder() const
{
    if (!appFolder.isEmpty())
        return appFolder;
    if (!perUserFolder)
        return QCoreApplication::applicationDirPath();
    // Shared by the three programs whatever each one's own name: ~/.local/share/Selvoro.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Selvoro"_s;
    QDir().mkpath(folder);
    return folder;
}

QString Deployment::spoolerProgram() const
{
    const QString folder = appFolder.isEmpty() ? QCoreApplication::applicationDirPath() : appFolder;
    return QDir(folder).filePath(u"inetspooler"_s);
}

Deployment::Location Deployment::locate(const QString &environmentPath, const QString &executableFolder,
                                        const QString &systemPath)
{
    if (!environmentPath.isEmpty())
        return {environmentPath, false};
    const QString beside = QDir(executableFolder).filePath(u"selvoro.ini"_s);
    if (QFileInfo::exists(beside))
        return {beside, false};
    return {systemPath, true};
}

Deployment::Location Deployment::defaultLocation()
{
    return locate(qEnvironmentVariable("SELVORO_DEPLOYMENT"), QCoreApplication::applicationDirPath(), systemPath());
}

QString Deployment::systemPath() { return QStringLiteral(SELVORO_SYSTEM_DEPLOYMENT); }

Deployment Deployment::load(const Location &location)
{
    Deployment d;
    d.perUserFolder = location.perUserFolder;
    if (!QFileInfo::exists(location.path))
        return d;
    const QSettings file(location.path, QSettings::IniFormat);
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
    d.connectTimeout = file.value(u"Database/ConnectTimeout"_s, d.connectTimeout).toInt();
    d.statementTimeout = file.value(u"Database/StatementTimeout"_s, d.statementTimeout).toInt();
    d.connectRetrySeconds = file.value(u"Database/ConnectRetrySeconds"_s, d.connectRetrySeconds).toInt();
    read(u"Servers/InHouseServer1"_s, d.inHouseServer1);
    read(u"Servers/InHouseServer2"_s, d.inHouseServer2);
    read(u"Servers/InHouseUpdatePage"_s, d.inHouseUpdatePage);
    read(u"Servers/VendorWebAddress"_s, d.vendorWebAddress);
    read(u"Servers/VendorWebPage"_s, d.vendorWebPage);
    read(u"Workstation/DefaultUnit"_s, d.defaultUnitCode);
    read(u"Publisher/Address"_s, d.publisherAddress);
    read(u"Publisher/PhoneFax"_s, d.publisherPhoneFax);
    const auto readSeller = [&read](const QString &section, EInvoiceSeller &seller) {
        read(section + u"/LegalName"_s, seller.legalName);
        read(section + u"/Address"_s, seller.address);
        read(section + u"/Location"_s, seller.location);
        read(section + u"/Pin"_s, seller.pin);
        read(section + u"/StateCode"_s, seller.stateCode);
    };
    readSeller(u"EInvoiceSV"_s, d.einvoiceSv);
    readSeller(u"EInvoiceSX"_s, d.einvoiceSx);
    read(u"Paths/AppFolder"_s, d.appFolder);
    read(u"Spooler/Mode"_s, d.spoolerMode);
    read(u"Spooler/Queue"_s, d.spoolerQueue);
    read(u"Spooler/Command"_s, d.spoolerCommand);
    read(u"Spooler/OutputFolder"_s, d.spoolerOutputFolder);
    d.spoolerPreview = file.value(u"Spooler/Preview"_s, false).toBool();
    return d;
}
