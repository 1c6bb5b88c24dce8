#include "common/deployment.h"

#include "common/db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// A value of an ODBC connection string as it is; one that would end the value early or open a
// braced one goes in braces, its closing braces doubled.
QString odbcValue(const QString &value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}'))
        return value;
    return u'{' + QString(value).replace(u"}"_s, u"}}"_s) + u'}';
}

// A whole number from `lowest` to `highest` under `key`; a problem naming the key and the value
// when it is anything else. An empty value leaves the default, like a missing key.
void readWhole(const QSettings &file, const QString &key, int lowest, int highest, const QString &expected, int &target,
               QStringList &problems)
{
    const QVariant stored = file.value(key);
    const QString text =
        stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(u", "_s) : stored.toString();
    if (text.isEmpty())
        return;
    bool whole = false;
    const int value = text.toInt(&whole);
    if (!whole || value < lowest || value > highest) {
        problems << key + u" = \""_s + text + u"\" in "_s + file.fileName() + u" is not "_s + expected + u'.';
        return;
    }
    target = value;
}

}  // namespace

QString Deployment::connectionString(const QString &serverAddress) const
{
    QString text;
    if (serverAddress == u"127.0.0.1"_s)
        text = u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=127.0.0.1; USER=root;PASSWORD="_s
               + odbcValue(u'\'' + loopbackPassword + u'\'') + u";OPTION=3;Database=selvoro"_s;
    else
        text = u"DRIVER={MySQL ODBC 3.51 Driver};SERVER="_s + odbcValue(serverAddress) + u"; USER="_s
               + odbcValue(remoteUser) + u";PASSWORD="_s + odbcValue(remotePassword) + u";OPTION=3;Database=selvoro"_s;
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

QString Deployment::spoolerPdfPath(const QString &printPath) const
{
    const QFileInfo print(printPath);
    const QDir folder(spoolerOutputFolder.isEmpty() ? print.absolutePath() : spoolerOutputFolder);
    return folder.absoluteFilePath(print.completeBaseName() + u".pdf"_s);
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
    if (file.status() == QSettings::AccessError)
        d.problems << u"The deployment file "_s + location.path + u" cannot be read."_s;
    if (file.status() == QSettings::FormatError)
        d.problems << u"The deployment file "_s + location.path
                          + u" cannot be parsed: each line must be a [Section], a Key=Value or a ; comment."_s;
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
    const QString seconds = u"a whole number of seconds from 1 to 86400"_s;
    readWhole(file, u"Database/Port"_s, 1, 65535, u"a port number from 1 to 65535"_s, d.port, d.problems);
    readWhole(file, u"Database/ConnectTimeout"_s, 1, 86400, seconds, d.connectTimeout, d.problems);
    readWhole(file, u"Database/StatementTimeout"_s, 0, 86400, seconds + u", or 0 (for ever)"_s, d.statementTimeout,
              d.problems);
    readWhole(file, u"Database/ConnectRetrySeconds"_s, 0, 86400, u"a whole number of seconds from 0 to 86400"_s,
              d.connectRetrySeconds, d.problems);
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
    readWhole(file, u"EInvoice/ReportingDays"_s, 0, 3650, u"a whole number of days from 0 to 3650"_s,
              d.einvoiceReportingDays, d.problems);
    readWhole(file, u"Gst/B2clLimit"_s, 0, 1000000000, u"a whole number of rupees"_s, d.gstB2clLimit, d.problems);
    read(u"Paths/AppFolder"_s, d.appFolder);
    read(u"Spooler/Mode"_s, d.spoolerMode);
    read(u"Spooler/Queue"_s, d.spoolerQueue);
    read(u"Spooler/Command"_s, d.spoolerCommand);
    read(u"Spooler/OutputFolder"_s, d.spoolerOutputFolder);
    d.spoolerPreview = file.value(u"Spooler/Preview"_s, false).toBool();
    return d;
}
