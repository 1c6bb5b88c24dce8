// The desk while its server goes away: a single server restarted under an open bill form, and on
// the cluster of scripts/cluster (when the tests run on it, SELVORO_CLUSTER_PORT and the nodes'
// ports and sockets set) the active node killed under the form, split saves on two nodes at once
// and a node that is not ready for statements.
#include "app/startup.h"
#include "billing/billcolumns.h"
#include "billing/frmprintbill.h"
#include "common/db.h"
#include "common/messages.h"
#include "common/sharedstate.h"
#include "desk.h"
#include "masters/spliteditionstore.h"
#include "sheet/sheetview.h"
#include "testdb.h"
#include "testfiles.h"

#include <QDateEdit>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <future>

using namespace Qt::Literals::StringLiterals;

namespace {

bool onCluster() { return qEnvironmentVariableIsSet("SELVORO_CLUSTER_PORT"); }

int nodePort(int node) { return qEnvironmentVariableIntValue(qPrintable(u"SELVORO_NODE_PORT%1"_s.arg(node))); }

QString nodeSocket(int node) { return qEnvironmentVariable(qPrintable(u"SELVORO_NODE_SOCKET%1"_s.arg(node))); }

// The node whose server answers on `port`; 0 for none.
int nodeOfPort(int port)
{
    for (int node = 1; node <= 3; ++node)
        if (nodePort(node) == port)
            return node;
    return 0;
}

// Rebuilds the test database (through node 1 on a cluster) and waits until every node has applied
// it: a node answers a read that waits for the changes committed before (wsrep_sync_wait).
void resetEverywhere(const QStringList &fixtures)
{
    TestDb::reset(fixtures);
    for (int node = 2; onCluster() && node <= 3; ++node)
        TestDb::run(u"SET SESSION wsrep_sync_wait=1; SELECT COUNT(*) FROM selvoro.versionmaster;"_s, nodeSocket(node));
}

// Runs one of the project's scripts; false (after a warning with its output) when it fails.
bool script(const QString &name, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(u"bash"_s, QStringList{TestDb::sourcePath(u"scripts/"_s + name)} + args);
    const bool ended = process.waitForFinished(180000) && process.exitStatus() == QProcess::NormalExit;
    if (ended && process.exitCode() == 0)
        return true;
    qWarning("%s", process.readAll().constData());
    return false;
}

// The golden range of unit KOC: three bills on 5 and 6 January 2026.
struct KochiDesk : Desk
{
    KochiDesk() : Desk(u"tst_serverloss"_s)
    {
        state.CurrentUnitCode = u"KOC"_s;
        state.CurrentUnitName = u"Kochi"_s;
        state.DefaultProductCode = u"DLY"_s;
        resetEverywhere(
            {TestDb::file(u"tests/golden/base.sql"_s), TestDb::file(u"tests/golden/gst-range/fixture.sql"_s)});
        TestDb::open(db);
    }
};

void setUpRange(frmPrintBill &form)
{
    form.DtFrom->setDate({2026, 1, 5});
    form.DtTo->setDate({2026, 1, 6});
}

// The form's Show fills the grid with the three bills.
void showGivesTheBills(frmPrintBill &form, RecordingDialogs &dialogs)
{
    dialogs.shown.clear();
    form.CmShow->click();
    QCOMPARE(dialogs.texts(), QStringList{Msg::BillGenerationCompleted});
    QCOMPARE(form.currentRow(), FirstBillRow + 2);
    QCOMPARE(form.FBook->sheet().text(FirstBillRow + 2, col(BillColumn::BillNo)), u"KB/00003"_s);
}

}  // namespace

class tst_ServerLoss : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void showWorksAfterTheServerRestarted();
    void showWorksAfterTheActiveNodeDied();
    void savesOnTwoNodesAtOnceKeepEveryCode();
    void nodeNotReadyGivesTheConnectionMessage();
};

void tst_ServerLoss::init()
{
    REQUIRE_TEST_DB();
    const bool clusterTest = QByteArray(QTest::currentTestFunction()) != "showWorksAfterTheServerRestarted";
    if (clusterTest && !onCluster())
        QSKIP("not on a cluster: scripts/test runs these on the cluster of scripts/cluster");
    if (!clusterTest && onCluster())
        QSKIP("the single server of scripts/db is restarted, not a node of the cluster");
}

void tst_ServerLoss::showWorksAfterTheServerRestarted()
{
    KochiDesk desk;
    frmPrintBill form(desk.context);
    setUpRange(form);
    showGivesTheBills(form, desk.dialogs);
    const QString server = QFileInfo(qEnvironmentVariable("SELVORO_TEST_SOCKET")).path();
    QVERIFY(script(u"db"_s, {u"stop"_s, server}));
    QVERIFY(script(u"db"_s, {u"start"_s, server}));
    // The server is back on its port, where every other test looks for it.
    QCOMPARE(QString::fromUtf8(readAll(server + u"/port"_s)).trimmed(), QString::number(TestDb::deployment().port));
    showGivesTheBills(form, desk.dialogs);
}

void tst_ServerLoss::showWorksAfterTheActiveNodeDied()
{
    KochiDesk desk;
    frmPrintBill form(desk.context);
    setUpRange(form);
    showGivesTheBills(form, desk.dialogs);
    const int active = nodeOfPort(desk.db.firstValue(u"Select @@port"_s).toInt());
    QVERIFY(active > 0);
    const QString cluster = qEnvironmentVariable("SELVORO_CLUSTER_DIR");
    QVERIFY(script(u"cluster"_s, {u"kill-node"_s, QString::number(active), cluster}));
    showGivesTheBills(form, desk.dialogs);
    const int now = nodeOfPort(desk.db.firstValue(u"Select @@port"_s).toInt());
    QVERIFY(now > 0 && now != active);
    QVERIFY(script(u"cluster"_s, {u"restart-node"_s, QString::number(active), cluster}));
}

// Two workstations on two nodes save split editions at the same moment. Each commit is certified
// against the other node's: a save that loses runs again, and every code stays unique and reaches
// every node, each save stored once.
void tst_ServerLoss::savesOnTwoNodesAtOnceKeepEveryCode()
{
    constexpr int SavesPerNode = 100;
    resetEverywhere({TestDb::file(u"tests/masters/splitedition.sql"_s)});
    std::promise<void> go;
    const std::shared_future<void> start = go.get_future().share();
    std::vector<std::future<int>> workstations;
    for (int node = 1; node <= 2; ++node) {
        workstations.push_back(std::async(std::launch::async, [node, start] {
            Deployment deployment = TestDb::deployment();
            deployment.port = nodePort(node);
            Db db(u"node%1"_s.arg(node));
            db.open(deployment.connectSettings(u"127.0.0.1"_s));
            SplitEditionStore store(db);
            start.wait();
            int saved = 0;
            for (int i = 0; i < SavesPerNode; ++i) {
                const SplitEditionEntry entry{u"01"_s, {},     u"Node%1 %2"_s.arg(node).arg(i),
                                              u"01"_s, u"1"_s, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)),
                                              {}};
                // Saving back to back without a pause, a save may lose all its attempts: the user
                // hears of the conflict, nothing is stored, and Save is pressed again.
                for (int press = 1;; ++press) {
                    try {
                        saved += store.insert(entry) == SplitEditionSave::Saved ? 1 : 0;
                        break;
                    } catch (const DbError &error) {
                        if (!error.isLockConflict() || press == 3)
                            throw;
                    }
                }
            }
            return saved;
        }));
    }
    go.set_value();
    for (std::future<int> &saved : workstations)
        QCOMPARE(saved.get(), SavesPerNode);

    QStringList codesOnNodes;
    for (int node = 1; node <= 3; ++node) {
        Deployment deployment = TestDb::deployment();
        deployment.port = nodePort(node);
        Db db(u"reader%1"_s.arg(node));
        db.open(deployment.connectSettings(u"127.0.0.1"_s));
        // Read once the node has applied every change the cluster committed before.
        db.exec(u"Set session wsrep_sync_wait=1, group_concat_max_len=65536"_s);
        QCOMPARE(db.firstValue(u"Select count(*) from advt_splitedition Where split_name like 'Node%'"_s),
                 QString::number(2 * SavesPerNode));
        QCOMPARE(db.firstValue(u"Select count(distinct split_code) from advt_splitedition "
                               "Where split_name like 'Node%'"_s),
                 QString::number(2 * SavesPerNode));
        codesOnNodes << db.firstValue(u"Select group_concat(split_name, '=', split_code order by split_code) "
                                      "from advt_splitedition"_s);
    }
    QCOMPARE(codesOnNodes.at(1), codesOnNodes.at(0));
    QCOMPARE(codesOnNodes.at(2), codesOnNodes.at(0));
}

// A node that lost the cluster, or is still joining, answers 1047: the connection message, not a
// wrong configuration.
void tst_ServerLoss::nodeNotReadyGivesTheConnectionMessage()
{
    TestDb::run(u"SET GLOBAL wsrep_reject_queries=ALL"_s, nodeSocket(3));
    Deployment deployment = TestDb::deployment();
    deployment.port = nodePort(3);
    deployment.connectRetrySeconds = 0;
    Db db(u"not-ready"_s);
    RecordingDialogs dialogs;
    SharedState state;
    const StartupResult result = runStartup(db, dialogs, deployment, u"127.0.0.1"_s, state);
    TestDb::run(u"SET GLOBAL wsrep_reject_queries=NONE"_s, nodeSocket(3));
    QCOMPARE(result.outcome, StartupResult::Outcome::ConnectFailed);
    QCOMPARE(dialogs.texts(), (QStringList{Msg::LocalHost, Msg::ConnectFailed}));
}

QTEST_MAIN(tst_ServerLoss)
#include "tst_serverloss.moc"
