#include "clirun.h"
#include "common/messages.h"
#include "testdb.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_Cli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void helpAndVersionGoToStandardOutput_data();
    void helpAndVersionGoToStandardOutput();
    void optionErrorsStopBeforeConnecting_data();
    void optionErrorsStopBeforeConnecting();
    void checkPrintsTheCurrentUnit_data();
    void checkPrintsTheCurrentUnit();
    void failuresEndWithTheirExitStatus_data();
    void failuresEndWithTheirExitStatus();
    void outdatedVersionEndsWithStatusFive();
    void failingLookUpEndsTheBillsWithNothingWritten();
    void einvoiceImportReadsTheFileBeforeConnecting();
    void badDeploymentValueStopsBeforeConnecting();

private:
    CliRun run(const QStringList &args, const QString &password);
    QTemporaryDir m_home;
};

void tst_Cli::initTestCase()
{
    if (TestDb::available())
        TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
}

CliRun tst_Cli::run(const QStringList &args, const QString &password)
{
    return runCli(args, {.home = m_home.path(), .deployment = m_home.filePath(u"none.ini"_s), .password = password});
}

void tst_Cli::helpAndVersionGoToStandardOutput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("help") << QStringList{u"--help"_s} << u"usage: selvoro-cli COMMAND"_s;
    QTest::newRow("check") << QStringList{u"check"_s, u"--help"_s} << u"usage: selvoro-cli check"_s;
    // Asked for among other options, even incomplete ones: nothing is checked or run.
    QTest::newRow("bills") << QStringList{u"bills"_s, u"--from"_s, u"2026-12-01"_s, u"--help"_s}
                           << u"usage: selvoro-cli bills"_s;
    QTest::newRow("davp-bills") << QStringList{u"davp-bills"_s, u"-h"_s} << u"usage: selvoro-cli davp-bills"_s;
    QTest::newRow("einvoice-status") << QStringList{u"einvoice-status"_s, u"--help"_s}
                                     << u"usage: selvoro-cli einvoice-status"_s;
    QTest::newRow("gstr1") << QStringList{u"gstr1"_s, u"--help"_s} << u"usage: selvoro-cli gstr1"_s;
    QTest::newRow("version") << QStringList{u"--version"_s} << u"selvoro-cli V14.6"_s;
}

void tst_Cli::helpAndVersionGoToStandardOutput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, firstLine);
    const CliRun result = run(args, QString());
    QCOMPARE(result.err, QString());
    QVERIFY2(result.out.startsWith(firstLine), qPrintable(result.out));
    QVERIFY(result.out.endsWith(u'\n'));
    QCOMPARE(result.status, 0);
}

void tst_Cli::optionErrorsStopBeforeConnecting_data()
{
    // Port 1 is closed: a run that got as far as connecting would end with status 3 and the
    // connection message.
    const QStringList closed{u"--server"_s, u"127.0.0.1"_s, u"--port"_s, u"1"_s, u"--user"_s, u"clerk"_s};
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown-option") << QStringList{u"bills"_s, u"--form"_s, u"2026-12-01"_s} + closed
                                    << u"selvoro-cli bills: unknown option --form"_s;
    QTest::newRow("stray-argument") << QStringList{u"check"_s, u"now"_s} + closed
                                    << u"selvoro-cli check: unexpected argument now"_s;
    QTest::newRow("missing-value") << closed + QStringList{u"--unit"_s}
                                   << u"selvoro-cli check: --unit needs a value: CODE"_s;
    QTest::newRow("no-user") << QStringList{u"check"_s, u"--port"_s, u"1"_s}
                             << u"selvoro-cli check: --user NAME is required"_s;
    // A value that reads as an option is refused, -h among them: the user meant a file.
    QTest::newRow("option-as-value") << QStringList{u"bills"_s, u"--csv"_s, u"-h"_s} + closed
                                     << u"selvoro-cli bills: --csv needs a value (FILE), not the option -h"_s;
    QTest::newRow("option-twice") << QStringList{u"bills"_s, u"--csv"_s, u"a.csv"_s, u"--csv"_s, u"b.csv"_s} + closed
                                  << u"selvoro-cli bills: --csv is given twice"_s;
    QTest::newRow("flag-twice") << QStringList{u"bills"_s, u"--split"_s, u"--split"_s} + closed
                                << u"selvoro-cli bills: --split is given twice"_s;
    QTest::newRow("bad-date") << QStringList{u"davp-bills"_s, u"--to"_s, u"08-12-2026"_s} + closed
                              << u"selvoro-cli davp-bills: --to needs a date YYYY-MM-DD"_s;
    QTest::newRow("bad-port") << QStringList{u"check"_s, u"--port"_s, u"70000"_s, u"--user"_s, u"clerk"_s}
                              << u"selvoro-cli check: --port needs a port number from 1 to 65535"_s;
    QTest::newRow("spool-alone") << QStringList{u"bills"_s, u"--spool"_s} + closed
                                 << u"selvoro-cli bills: --spool goes with --prn FILE"_s;
    QTest::newRow("split-and-exchange")
        << QStringList{u"bills"_s, u"--split"_s, u"--exchange"_s} + closed
        << u"selvoro-cli bills: --split and --exchange choose different bills; give one"_s;
    QTest::newRow("davp-group") << QStringList{u"davp-bills"_s, u"--group"_s, u"AG"_s} + closed
                                << u"selvoro-cli davp-bills: unknown option --group"_s;
    QTest::newRow("einvoice-without-file") << QStringList{u"bills"_s} + closed + QStringList{u"--einvoice"_s}
                                           << u"selvoro-cli bills: --einvoice needs a value: FILE"_s;
    QTest::newRow("davp-einvoice") << QStringList{u"davp-bills"_s, u"--einvoice"_s, u"x.json"_s} + closed
                                   << u"selvoro-cli davp-bills: unknown option --einvoice"_s;
    QTest::newRow("import-without-file") << QStringList{u"einvoice-import"_s} + closed
                                         << u"selvoro-cli einvoice-import: FILE is missing"_s;
    const QStringList gstr1{u"gstr1"_s, u"--json-dir"_s, u"."_s};
    QTest::newRow("gstr1-without-period") << gstr1 + closed << u"selvoro-cli gstr1: --period YYYY-MM is required"_s;
    QTest::newRow("gstr1-bad-period") << gstr1 + closed + QStringList{u"--period"_s, u"2026-13"_s}
                                      << u"selvoro-cli gstr1: --period needs a month YYYY-MM"_s;
    QTest::newRow("gstr1-day-for-period") << gstr1 + closed + QStringList{u"--period"_s, u"2026-12-01"_s}
                                          << u"selvoro-cli gstr1: --period needs a month YYYY-MM"_s;
    // --unit may name several units for a return, and no other option twice.
    QTest::newRow("gstr1-period-twice") << gstr1 + closed + QStringList{u"--unit"_s,   u"001"_s,      u"--unit"_s,
                                                                        u"002"_s,      u"--period"_s, u"2026-12"_s,
                                                                        u"--period"_s, u"2026-11"_s}
                                        << u"selvoro-cli gstr1: --period is given twice"_s;
    QTest::newRow("status-xls") << QStringList{u"einvoice-status"_s, u"--xls"_s, u"a.xls"_s} + closed
                                << u"selvoro-cli einvoice-status: unknown option --xls"_s;
}

void tst_Cli::optionErrorsStopBeforeConnecting()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const CliRun result = run(args.first() == u"--server"_s ? QStringList{u"check"_s} + args : args, u"pass2"_s);
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QCOMPARE(result.err.section(u'\n', 0, 0), error);
    QVERIFY2(!result.err.contains(u"message:"_s), qPrintable(result.err));
}

void tst_Cli::einvoiceImportReadsTheFileBeforeConnecting()
{
    // Port 1 is closed: the file's problems are named before any connection is tried.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"answers.json"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[{\"AckNo\": 1}]");
    file.close();
    const CliRun result =
        run({u"einvoice-import"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, u"1"_s, u"--user"_s, u"clerk"_s, path},
            u"pass2"_s);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err.split(u'\n', Qt::SkipEmptyParts),
             (QStringList{path + u": answer 1: no AckDt"_s, path + u": answer 1: no Irn"_s,
                          path + u": answer 1: no SignedInvoice"_s, path + u": answer 1: no SignedQRCode"_s,
                          u"selvoro-cli einvoice-import: nothing imported"_s}));
}

void tst_Cli::badDeploymentValueStopsBeforeConnecting()
{
    // A time-out of words would silently switch the time-out off: refused, naming key and value.
    const QString path = m_home.filePath(u"bad.ini"_s);
    QVERIFY(writeAll(path, "[Database]\nStatementTimeout=3.9\n"));
    const CliRun result =
        runCli({u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, u"1"_s, u"--user"_s, u"clerk"_s},
               {.home = m_home.path(), .deployment = path});
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err, u"selvoro-cli: Database/StatementTimeout = \"3.9\" in "_s + path
                             + u" is not a whole number of seconds from 1 to 86400, or 0 (for ever).\n"_s);
}

void tst_Cli::checkPrintsTheCurrentUnit_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("expected");
    QTest::newRow("workstation-unit") << u"clerk"_s << u"pass2"_s << QStringList() << u"001\tChennai\n"_s;
    QTest::newRow("chosen-unit") << u"clerk"_s << u"pass2"_s << QStringList{u"--unit"_s, u"002"_s}
                                 << u"002\tMadurai\n"_s;
    // The workstation's unit is in effect after login whatever the access rows say.
    QTest::newRow("workstation-unit-without-access")
        << u"first"_s << u"secret"_s << QStringList{u"--unit"_s, u"001"_s} << u"001\tChennai\n"_s;
}

void tst_Cli::checkPrintsTheCurrentUnit()
{
    REQUIRE_TEST_DB();
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QStringList, extra);
    QFETCH(QString, expected);
    const QString port = QString::number(TestDb::deployment().port);
    const CliRun result = run(
        QStringList{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port, u"--user"_s, user} + extra, password);
    QCOMPARE(result.err, u"message: Local Host\n"_s);
    QCOMPARE(result.out, expected);
    QCOMPARE(result.status, 0);
}

void tst_Cli::failuresEndWithTheirExitStatus_data()
{
    const QString port = QString::number(TestDb::deployment().port);
    const QStringList server{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port};
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastMessage");
    QTest::newRow("no-command") << QStringList() << QString() << 2 << QString();
    QTest::newRow("unknown-command") << QStringList{u"print"_s} << QString() << 2 << QString();
    QTest::newRow("no-user") << server << QString() << 2 << QString();
    // --unit follows the unit switch: units the user may not work for are refused like unknown ones.
    const auto unit = [&server](const QString &user, const QString &code) {
        return server + QStringList{u"--user"_s, user, u"--unit"_s, code};
    };
    const auto refused = [](const QString &code) {
        return u"message: Unit "_s + code + u" is not a unit you may work for."_s;
    };
    QTest::newRow("unknown-unit") << unit(u"clerk"_s, u"99"_s) << u"pass2"_s << 2 << refused(u"99"_s);
    QTest::newRow("unit-closed-to-the-desk") << unit(u"clerk"_s, u"003"_s) << u"pass2"_s << 2 << refused(u"003"_s);
    QTest::newRow("unit-without-access") << unit(u"clerk"_s, u"004"_s) << u"pass2"_s << 2 << refused(u"004"_s);
    QTest::newRow("not-the-workstation-unit") << unit(u"first"_s, u"002"_s) << u"secret"_s << 2 << refused(u"002"_s);
    QTest::newRow("closed-port") << QStringList{u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s,
                                                u"1"_s,     u"--user"_s,   u"clerk"_s}
                                 << u"pass2"_s << 3 << u"message: "_s + Msg::ConnectFailed;
    QTest::newRow("wrong-password") << server + QStringList{u"--user"_s, u"clerk"_s} << u"nope"_s << 4
                                    << u"message: "_s + Msg::InvalidPassword;
    QTest::newRow("refused-user") << server + QStringList{u"--user"_s, u"outsider"_s} << u"pass4"_s << 4
                                  << u"message: "_s + Msg::LoginDenied;
}

void tst_Cli::failuresEndWithTheirExitStatus()
{
    REQUIRE_TEST_DB();
    QFETCH(QStringList, args);
    QFETCH(QString, password);
    QFETCH(int, status);
    QFETCH(QString, lastMessage);
    const CliRun result = run(args, password);
    QCOMPARE(result.status, status);
    QVERIFY(result.out.isEmpty());
    if (!lastMessage.isEmpty())
        QCOMPARE(result.err.split(u'\n', Qt::SkipEmptyParts).last(), lastMessage);
}

void tst_Cli::outdatedVersionEndsWithStatusFive()
{
    REQUIRE_TEST_DB();
    TestDb::run(u"UPDATE selvoro.versionmaster SET version_code='V15.0' WHERE pack_code='advt';"_s);
    const QString port = QString::number(TestDb::deployment().port);
    const CliRun result =
        run({u"check"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port, u"--user"_s, u"clerk"_s}, u"pass2"_s);
    TestDb::run(u"UPDATE selvoro.versionmaster SET version_code='V14.6' WHERE pack_code='advt';"_s);
    QCOMPARE(result.status, 5);
    QVERIFY(result.err.contains(u"message: Advertisement Software Updated   Latest Update is available at '"_s));
}

void tst_Cli::failingLookUpEndsTheBillsWithNothingWritten()
{
    // A bill of unit 001 whose pages cannot be looked up: the main query runs, its look-up fails.
    TestDb::run(u"USE selvoro;"
                "INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills) VALUES ('AG', 'Agency', 1);"
                "INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Area');"
                "INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea)"
                "  VALUES ('A1', 'Ads', 'AG', 'S1');"
                "INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_ins_date, sch_agency_code,"
                "  sch_net_total) VALUES ('001', '0010000001', 'CH/1', '2026-01-05', 'A1', 100);"
                "RENAME TABLE advt_scheduledetails TO advt_scheduledetails_away;"_s);
    QTemporaryDir out;
    const QString port = QString::number(TestDb::deployment().port);
    const CliRun result = run({u"bills"_s, u"--server"_s, u"127.0.0.1"_s, u"--port"_s, port, u"--user"_s, u"clerk"_s,
                               u"--from"_s, u"2026-01-01"_s, u"--to"_s, u"2026-01-31"_s, u"--csv"_s,
                               out.filePath(u"bills.csv"_s), u"--xls"_s, out.filePath(u"bills.xls"_s)},
                              u"pass2"_s);
    TestDb::reset({TestDb::file(u"tests/app/fixture.sql"_s)});
    QCOMPARE(result.status, 3);
    const QString last = result.err.split(u'\n', Qt::SkipEmptyParts).last();
    QVERIFY2(last.startsWith(u"message: "_s) && last.contains(u"advt_scheduledetails"_s), qPrintable(last));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
