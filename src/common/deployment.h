#pragma once

#include <QString>
#include <QStringList>

struct ConnectSettings;

// Values that belong to one installation rather than to one user: database accounts, the
// in-house servers and update pages, the workstation's default unit, the publisher's address
// lines, the application folder and the spooler. Read from the deployment file (see locate());
// a value the file leaves out takes the default below.
struct Deployment
{
    // Where the deployment file is looked for, first match wins: the file named by
    // SELVORO_DEPLOYMENT; selvoro.ini beside the executable (a copied or self-built desk); the
    // system-wide file of an installed desk.
    struct Location
    {
        QString path;
        // An installed desk's programs live in a folder no user may write to, so its print files and
        // export folder go to a folder of the user's own unless the file names one.
        bool perUserFolder = false;
    };
    static Location locate(const QString &environmentPath, const QString &executableFolder, const QString &systemPath);
    static Location defaultLocation();
    // The system-wide deployment file of an installed desk.
    static QString systemPath();

    QString remoteUser = QStringLiteral("quorvanix");
    QString remotePassword = QStringLiteral("greenmeadows");
    QString loopbackPassword = QStringLiteral("6309");
    int port = 0;  // 0: the driver's default port, nothing appended to the connection string
    // Seconds to reach the server and hear it answer at all; then the connection has failed.
    int connectTimeout = 120;
    // Seconds a statement may wait for the server's answer (or for the server to take what is
    // sent) before it fails; 0 waits for ever. Longer than the server's own lock wait (50 s), so
    // that a lock held elsewhere is reported by the server rather than cut off here.
    int statementTimeout = 300;
    // Seconds for which a connection the server refuses or resets is tried again (a server that
    // restarts, a cluster node that fails over); 0 tries once.
    int connectRetrySeconds = 5;

    QString inHouseServer1 = QStringLiteral("192.168.1.10");
    QString inHouseServer2 = QStringLiteral("192.168.1.11");
    QString inHouseUpdatePage = QStringLiteral("http://192.168.1.10/advtupdate/");
    QString vendorWebAddress = QStringLiteral("www.selvoro.example");
    QString vendorWebPage = QStringLiteral("http://www.selvoro.example/updates/");

    QString defaultUnitCode = QStringLiteral("001");

    QString publisherAddress;  // title rows of the DAVP grid
    QString publisherPhoneFax;

    QString appFolder;  // empty: the executable's folder, or the user's own (perUserFolder)
    bool perUserFolder = false;

    // What the portal's documents need of a publisher company beyond acc_companymaster's name,
    // address and GSTIN. An empty value is worked out: the legal name and address from the
    // company's row, the location and PIN from the address's last part ("Kochi 682011"), the
    // state code from the GSTIN.
    struct EInvoiceSeller
    {
        QString legalName;
        QString address;
        QString location;
        QString pin;
        QString stateCode;
    };
    EInvoiceSeller einvoiceSv;  // the publisher (company SV)
    EInvoiceSeller einvoiceSx;  // the second company (SX), which bills the FSH product
    // Days after its date within which a bill may still be reported to the e-invoice portal (a
    // taxpayer with a turnover of 10 crore rupees or more may report no older invoice); 0: no limit.
    int einvoiceReportingDays = 30;
    // Rupees above which an inter-state bill to a buyer without a GSTIN is reported invoice by
    // invoice in GSTR-1 (B2CL), not in the sums by state and rate (B2CS).
    int gstB2clLimit = 100000;

    QString spoolerMode = QStringLiteral("pdf");  // "pdf" or "cups"
    QString spoolerQueue;
    QString spoolerCommand = QStringLiteral("lp");  // the CUPS client that takes raw jobs
    QString spoolerOutputFolder;
    bool spoolerPreview = false;

    // What is wrong with the deployment file: it cannot be read or parsed, or a value is out of
    // range (each names the key and the value). The programs refuse to start while there is any.
    QStringList problems;

    // The connection strings of the two server kinds; then the port, only when set, and the
    // connector's time-outs. A value holding ";", "{" or "}" goes in braces, so that it cannot
    // end early and add keys of its own.
    QString connectionString(const QString &serverAddress) const;
    // The connection string with the time-outs and the retry time the connection keeps to.
    ConnectSettings connectSettings(const QString &serverAddress) const;
    // The application folder: where print files and the export folder live. A folder of the user's
    // own is made when it is first asked for.
    QString applicationFolder() const;
    // The spooler program: in the application folder when the file names one, else beside this program.
    QString spoolerProgram() const;
    // The PDF the spooler draws a print file into in "pdf" mode: the print file's name with .pdf,
    // in the output folder (by default the print file's own).
    QString spoolerPdfPath(const QString &printPath) const;

    static Deployment load(const Location &location = defaultLocation());
};
