// Figures of the desk on the private cluster of scripts/cluster (a benchmark, not a test).
//
// The database is replaced by the 10,000 bills of bench/bills-data.sql.
// Failover: the bill form's Show of those bills through HAProxy. Each round kills the node the
// form's connection is on, once while the form is idle (time from the kill to the end of the next
// Show) and once while a Show is running (what that Show did, and when it ended), and starts the
// node again.
// Saves: two workstations, on node 1 and node 2, save SAVES split editions each at the same time;
// prints how many attempts the saves needed (a certification failure runs a save again).
//
// Usage: cluster_bench CLUSTER_DIR [ROUNDS] [SAVES]
//   CLUSTER_DIR is a cluster started with scripts/cluster start.
#include "billing/frmprintbill.h"
#include "common/appcontext.h"
#include "common/db.h"
#include "common/deployment.h"
#include "common/dialogs.h"
#include "common/sharedstate.h"
#include "masters/spliteditionstore.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>

#include <atomic>
#include <cstdio>
#include <future>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

QString g_cluster;

// Messages of the form, kept to tell what a Show did.
class KeptDialogs : public Dialogs
{
public:
    QStringList texts;

protected:
    std::optional<SavePath> askSavePath(const SaveRequest &) override { return std::nullopt; }
    Answer showMessage(const QString &text, Icon, Buttons) override
    {
        texts << text;
        return Answer::Ok;
    }
};

void loadBenchData(const QMap<QString, QString> &env)
{
    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(u"mariadb"_s, {u"--no-defaults"_s, u"--socket"_s, env.value(u"SELVORO_NODE_SOCKET1"_s), u"-uroot"_s});
    client.waitForStarted();
    const auto file = [](const QString &path) {
        QFile f(QStringLiteral(SELVORO_SCRIPTS) + u"/../"_s + path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    client.write("DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4; USE selvoro;\n");
    client.write(file(u"db/schema.sql"_s) + "\nUSE selvoro;\n" + file(u"bench/bills-data.sql"_s));
    client.write("\nINSERT INTO numbersetup (no_id, no_value) VALUES ('ADVT_SPLIT', 'SP0001');\n");
    client.closeWriteChannel();
    client.waitForFinished(600000);
}

QString cluster(const QStringList &args)
{
    QProcess process;
    process.start(u"bash"_s,
                  QStringList{QStringLiteral(SELVORO_SCRIPTS) + u"/cluster"_s} + args + QStringList{g_cluster});
    process.waitForFinished(180000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QMap<QString, QString> clusterEnv()
{
    QMap<QString, QString> values;
    for (const QString &line : cluster({u"env"_s}).split(u'\n', Qt::SkipEmptyParts)) {
        const QString assignment = line.mid(line.indexOf(u' ') + 1);
        values.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    }
    return values;
}

Deployment deploymentOn(int port)
{
    Deployment deployment;
    deployment.port = port;
    return deployment;
}

int nodeOf(Db &db, const QMap<QString, QString> &env)
{
    const QString port = db.firstValue(u"Select @@port"_s);
    for (int node = 1; node <= 3; ++node)
        if (env.value(u"SELVORO_NODE_PORT%1"_s.arg(node)) == port)
            return node;
    return 0;
}

double since(const QElapsedTimer &clock) { return double(clock.nsecsElapsed()) / 1e9; }

void failover(int rounds)
{
    const QMap<QString, QString> env = clusterEnv();
    loadBenchData(env);
    const Deployment deployment = deploymentOn(env.value(u"SELVORO_CLUSTER_PORT"_s).toInt());
    Db db;
    db.open(deployment.connectSettings(u"127.0.0.1"_s));
    KeptDialogs dialogs;
    SharedState state;
    state.CurrentUnitCode = u"KOC"_s;
    state.CurrentUnitName = u"Kochi"_s;
    state.DefaultProductCode = u"DLY"_s;
    state.CurrentUserId = u"2"_s;
    AppContext context{db, dialogs, deployment, state};
    frmPrintBill form(context);
    form.DtFrom->setDate(QDate(2026, 1, 1));
    form.DtTo->setDate(QDate(2026, 12, 31));
    const auto show = [&] {
        dialogs.texts.clear();
        form.CmShow_Click();
        return dialogs.texts.join(u" / "_s) + u" ("_s + QString::number(form.currentRow() - 4) + u" bills)"_s;
    };
    QElapsedTimer clock;
    clock.start();
    const QString first = show();
    std::printf("Show before any kill: %s in %.2f s\n", qPrintable(first), since(clock));
    for (int round = 1; round <= rounds; ++round) {
        int node = nodeOf(db, env);
        clock.start();
        cluster({u"kill-node"_s, QString::number(node)});
        const double killed = since(clock);
        db.firstValue(u"Select 1"_s);
        const double answered = since(clock);
        const QString idle = show();
        const double shown = since(clock);
        std::printf("round %d, idle: node %d killed (%.2f s), the next statement answered %.2f s after the kill "
                    "by node %d, the next Show %s %.2f s after it\n",
                    round, node, killed, answered - killed, nodeOf(db, env), qPrintable(idle), shown - answered);
        cluster({u"restart-node"_s, QString::number(node)});

        clock.start();
        show();
        const double showTime = since(clock);
        node = nodeOf(db, env);
        // The kill lands anywhere in the Show: in its main statement, its look-ups or between them.
        const int delayMs = QRandomGenerator::global()->bounded(int(showTime * 700));
        const QString kill = u"bash "_s + QStringLiteral(SELVORO_SCRIPTS) + u"/cluster kill-node "_s
                             + QString::number(node) + u' ' + g_cluster + u" >/dev/null"_s;
        QElapsedTimer run;
        run.start();
        std::atomic<qint64> killedAt = 0;
        std::atomic<qint64> deadAt = 0;
        std::thread killer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            killedAt = run.elapsed();
            [[maybe_unused]] const int status = std::system(qPrintable(kill));
            deadAt = run.elapsed();
        });
        const QString inFlight = show();
        const qint64 ended = run.elapsed();
        killer.join();
        std::printf("round %d, in flight: the last Show took %.2f s; node %d killed from %lld to %lld ms into this "
                    "one, which %s and ended at %lld ms\n",
                    round, showTime, node, qint64(killedAt), qint64(deadAt), qPrintable(inFlight), ended);
        cluster({u"restart-node"_s, QString::number(node)});
    }
}

void saves(int perNode)
{
    const QMap<QString, QString> env = clusterEnv();
    std::promise<void> go;
    const std::shared_future<void> start = go.get_future().share();
    std::vector<std::future<QMap<int, int>>> workstations;
    for (int node = 1; node <= 2; ++node) {
        const int port = env.value(u"SELVORO_NODE_PORT%1"_s.arg(node)).toInt();
        workstations.push_back(std::async(std::launch::async, [node, port, perNode, start] {
            Db db(u"bench%1"_s.arg(node));
            db.open(deploymentOn(port).connectSettings(u"127.0.0.1"_s));
            SplitEditionStore store(db);
            QMap<int, int> attempts;  // attempts needed -> saves; 0: the save failed
            start.wait();
            for (int i = 0; i < perNode; ++i) {
                const qint64 before = db.lockConflictRepeats();
                const QString name = u"Bench %1 %2 %3"_s.arg(node).arg(i).arg(QDateTime::currentMSecsSinceEpoch());
                try {
                    store.insert({u"KOC"_s, {}, name, u"DLY"_s, u"1"_s, QDateTime::currentDateTime(), {}});
                    ++attempts[int(db.lockConflictRepeats() - before) + 1];
                } catch (const DbError &error) {
                    std::fprintf(stderr, "save failed after %lld repeats: %s\n", db.lockConflictRepeats() - before,
                                 error.what());
                    ++attempts[0];
                }
            }
            return attempts;
        }));
    }
    QElapsedTimer clock;
    clock.start();
    go.set_value();
    QMap<int, int> total;
    for (auto &workstation : workstations) {
        const QMap<int, int> attempts = workstation.get();
        for (auto it = attempts.begin(); it != attempts.end(); ++it)
            total[it.key()] += it.value();
    }
    std::printf("saves: 2 x %d on nodes 1 and 2 in %.2f s; saves by attempts needed:", perNode, since(clock));
    for (auto it = total.begin(); it != total.end(); ++it) {
        if (it.key() == 0)
            std::printf(" failed: %d", it.value());
        else
            std::printf(" %d: %d", it.key(), it.value());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: cluster_bench CLUSTER_DIR [ROUNDS] [SAVES]\n", stderr);
        return 2;
    }
    g_cluster = QString::fromLocal8Bit(argv[1]);
    failover(argc > 2 ? std::atoi(argv[2]) : 3);
    saves(argc > 3 ? std::atoi(argv[3]) : 200);
    return 0;
}
