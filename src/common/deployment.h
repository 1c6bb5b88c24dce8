#pragma once

#include <QString>

// Values that belong to one installation rather than to one user: database accounts, the
// in-house servers and update pages, the workstation's default unit, the publisher's address
// lines, the application folder and the spooler. Read from the deployment file (selvoro.ini
// beside the executable, or the file named by SELVORO_DEPLOYMENT); a value the file leaves out
// takes the default below.
struct Deployment
{
    QString remoteUser = QStringLiteral("quorvanix");
    QString remotePassword = QStringLiteral("greenmeadows");
    QString loopbackPassword = QStringLiteral("6309");
    int port = 0;  // 0: the driver's default port, nothing appended to the connection string

    QString inHouseServer1 = QStringLiteral("192.168.1.10");
    QString inHouseServer2 = QStringLiteral("192.168.1.11");
    QString inHouseUpdatePage = QStringLiteral("http://192.168.1.10/advtupdate/");
    QString vendorWebAddress = QStringLiteral("www.selvoro.example");
    QString vendorWebPage = QStringLiteral("http://www.selvoro.example/updates/");

    QString defaultUnitCode = QStringLiteral("001");

    QString publisherAddress;   // title rows of the DAVP grid
    QString publisherPhoneFax;

    QString appFolder;          // empty: the executable's folder

    QString spoolerMode = QStringLiteral("pdf");  // "pdf" or "cups"
    QString spoolerQueue;
    QString spoolerCommand = QStringLiteral("lp");  // the CUPS client that takes raw jobs
    QString spoolerOutputFolder;
    bool spoolerPreview = false;

    // The connection strings of the two server kinds; the port goes last, only when set.
    QString connectionString(const QString &serverAddress) const;
    // The application folder: where print files, the export folder and the spooler live.
    QString applicationFolder() const;

    static QString defaultPath();
    static Deployment load(const QString &path = defaultPath());
};
