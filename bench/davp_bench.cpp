// Generates 10,000 DAVP bills headless against the private test server and compares the time
// with the floor of the same work: the mariadb client sending the same 1 + 3n statements (the
// main query, then the agency, pages and rate-master look-ups of each bill) and reading every
// result. Needs the server of scripts/db (SELVORO_TEST_PORT, SELVORO_TEST_SOCKET) and
// SELVORO_SOURCE_DIR; replaces its `selvoro` database.
#include "common/db.h"
#include "common/dialogs.h"
#include "davp/davpgenerator.h"
#include "davp/davpgrid.h"
#include "davp/davpquery.h"
#include "sheet/sheet.h"
#include "testdb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Bills = 10000;
constexpr int Runs = 3;

const QString Fixture = uR"(
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills) VALUES ('GV', 'Government', 1);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('DEL', 'New Delhi');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1)
    VALUES ('010590', 'DAVP', 'GV', 'DEL', 'Soochna Bhawan');
INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place)
    VALUES ('DV001', 'Display', '110234', 'Kochi'), ('DV002', 'Classified', '110235', 'Kochi');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
    sch_client_name, sch_client_address, sch_ed_code, sch_ed_pdt, sch_ratecode, sch_ro_no, sch_ro_date, sch_words,
    sch_cols, sch_sqcm, sch_card_rate, sch_new_rate, sch_ext_chg, sch_disc_amt, sch_comm_per, sch_gross_amt, sch_net_total)
SELECT 'KOC', CONCAT('KOC', LPAD(seq, 7, '0')), CONCAT('DV/', LPAD(seq, 5, '0')), '2026-02-02',
       '2026-02-01' + INTERVAL seq % 28 DAY, '010590', CONCAT('MINISTRY ', seq), 'Shastri Bhawan', 'DLY', 'Daily',
       ELT(1 + seq % 3, 'DV001', 'DV002', 'DV999'), CONCAT('RO/', seq), '2026-01-28', IF(seq % 3 = 1, 30, 0),
       2, 120, 100, 80, 25, 50, 15, 2400, 2520
FROM seq_1_to_10000;
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page)
SELECT 'KOC', CONCAT('KOC', LPAD(seq, 7, '0')), '2026-02-02', 1 + seq % 12 FROM seq_1_to_10000;
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page)
SELECT 'KOC', CONCAT('KOC', LPAD(seq, 7, '0')), '2026-02-03', 1 + seq % 5 FROM seq_1_to_10000;
)"_s;

class SilentDialogs : public Dialogs
{
public:
    std::optional<SavePath> saveFile(const SaveRequest &) override { return std::nullopt; }

protected:
    Answer showMessage(const QString &, Icon, Buttons) override { return Answer::Ok; }
};

BillFilter benchFilter()
{
    BillFilter filter;
    filter.from = QDate(2026, 2, 1);
    filter.to = QDate(2026, 2, 28);
    filter.unitCode = u"KOC"_s;
    return filter;
}

// The statements the generation sends, in its order, as one script for the client.
QByteArray clientScript(Db &db)
{
    const QString main = davpBillQuery(benchFilter());
    QString script = main + u";\n"_s;
    ResultSet rows = db.query(main);
    while (rows.next()) {
        script += davpAgencyQuery(rows.text(u"sch_agency_code"_s)) + u";\n"_s;
        script += davpPagesQuery(rows.text(u"sch_slno"_s)) + u";\n"_s;
        script += davpRateQuery(rows.text(u"sch_ratecode"_s)) + u";\n"_s;
    }
    return script.toUtf8();
}

qint64 clientRun(const QByteArray &script)
{
    // The client reaches the server as the program does: over TCP on the loopback address.
    QProcess client;
    client.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    client.start(u"mariadb"_s, {u"--no-defaults"_s, u"--protocol=TCP"_s, u"--host=127.0.0.1"_s,
                               u"--port="_s + QString::number(TestDb::deployment().port), u"--user=root"_s,
                               u"--password='"_s + TestDb::deployment().loopbackPassword + u"'"_s, u"-B"_s, u"-N"_s,
                               u"selvoro"_s});
    client.waitForStarted();
    client.write(script);
    client.closeWriteChannel();
    client.waitForFinished(-1);
    const qint64 elapsed = timer.nsecsElapsed();
    if (client.exitCode() != 0) {
        std::fprintf(stderr, "mariadb client failed: %s\n", client.readAllStandardError().constData());
        return -1;
    }
    return elapsed;
}

// The same statements through the program's own connection, the first value of each row read: what the
// database layer costs without the grid.
qint64 connectionRun(Db &db, const QByteArray &script)
{
    const QStringList statements = QString::fromUtf8(script).split(u";\n"_s, Qt::SkipEmptyParts);
    QElapsedTimer timer;
    timer.start();
    for (const QString &sql : statements) {
        ResultSet rows = db.query(sql);
        while (rows.next())
            rows.textOrEmpty(0);
    }
    return timer.nsecsElapsed();
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!TestDb::available()) {
        std::fprintf(stderr, "%s\n", qPrintable(TestDb::skipReason()));
        return 1;
    }
    TestDb::reset({Fixture});
    Db db(u"davp_bench"_s);
    TestDb::open(db);
    SilentDialogs dialogs;

    const QByteArray script = clientScript(db);
    qint64 best = std::numeric_limits<qint64>::max(), floor = std::numeric_limits<qint64>::max();
    qint64 connection = std::numeric_limits<qint64>::max();
    qint64 statements = 0;
    int lastRow = 0;
    for (int run = 0; run < Runs; ++run) {
        Sheet sheet;
        SetUpDavpGrid(sheet, {u"Address"_s, u"Phone"_s});
        DavpGenerator generator(db, dialogs, sheet);
        const qint64 before = db.statementCount();
        QElapsedTimer timer;
        timer.start();
        lastRow = generator.GenerateDavpBills(benchFilter()).currentRow;
        best = std::min(best, timer.nsecsElapsed());
        statements = db.statementCount() - before;
        const qint64 client = clientRun(script);
        if (client < 0)
            return 1;
        floor = std::min(floor, client);
        connection = std::min(connection, connectionRun(db, script));
    }
    std::printf("DAVP bills: %d (last row %d), statements %lld (1 + 3n = %d)\n", Bills, lastRow,
                static_cast<long long>(statements), 1 + 3 * Bills);
    std::printf("generation (best of %d): %.0f ms\n", Runs, best / 1e6);
    std::printf("mariadb client, same statements (best of %d): %.0f ms\n", Runs, floor / 1e6);
    std::printf("program's connection, same statements (best of %d): %.0f ms\n", Runs, connection / 1e6);
    std::printf("ratio: %.2f (target <= 2.5)\n", double(best) / double(floor));
    return 0;
}
