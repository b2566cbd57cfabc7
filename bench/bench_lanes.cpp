// A lane of a store server beside a single terminal, on a private
// PostgreSQL cluster started for the run:
//   checkout/singleTerminal, checkout/laneWithSync  one sale posted, the
//       lane's tillano-sync running and sending (the goal: the same)
//   commitToServer  from the lane's commit to the server's, 200 sales one
//       every 50 ms while connected (p50, p95; goal p95 < 2 s)
//   drainBacklog  tillano-sync --drain of 10,000 queued sales (goal at
//       least 1,000 sales/s)
#include "postgres_cluster.h"
#include "store_lanes.h"

#include "data_directory_setup.h"
#include "lanes/server_connection.h"
#include "store/data_module.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <map>
#include <memory>

namespace {

class Store {
public:
    Store()
    {
        const QString failure = cluster.start();
        if (!failure.isEmpty())
            qFatal("%s", qPrintable(failure));
        cluster.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE tillano LOGIN CREATEROLE"));
        cluster.createDatabase(QStringLiteral("store"), QStringLiteral("tillano"));
        QProcess::execute(program("tillano-server"),
                          {QStringLiteral("init"), cluster.conninfo(QStringLiteral("store"), QStringLiteral("tillano"))});
        cluster.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE lane LOGIN IN ROLE tillano_lane"));
        SetupOptions single;
        single.directory = dir.filePath(QStringLiteral("single"));
        single.settingsPath = single.directory + QStringLiteral(".ini");
        single.demo = true;
        prepareDataDirectory(single);
        singleTerminal = single.directory;
    }

    TestLane newLane()
    {
        TestLane lane;
        TestLane::prepare(lane, dir.path(), cluster.conninfo(QStringLiteral("store"), QStringLiteral("lane")), 1,
                          ++terminals);
        return lane;
    }

    static QString program(const char *name)
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
    }

    PostgresCluster cluster;
    QTemporaryDir dir;
    QString singleTerminal;
    int terminals = 0;
};

// Made by the first benchmark that needs it, stopped before the
// application ends.
std::unique_ptr<Store> theStore;

Store &store()
{
    if (!theStore)
        theStore = std::make_unique<Store>();
    return *theStore;
}

class Sync {
public:
    explicit Sync(const TestLane &lane)
    {
        process.start(Store::program("tillano-sync"), {QStringLiteral("--settings"), lane.settings});
        process.waitForStarted();
    }
    ~Sync()
    {
        process.terminate();
        process.waitForFinished();
    }
    QProcess process;
};

void checkout_singleTerminal(benchmark::State &state)
{
    LaneSeller seller(store().singleTerminal);
    for (auto _ : state)
        seller.sell(1);
}

void checkout_laneWithSync(benchmark::State &state)
{
    static const TestLane lane = store().newLane();
    LaneSeller seller(lane.directory);
    Sync sync(lane);
    for (auto _ : state)
        seller.sell(1);
}

void commitToServer(benchmark::State &state)
{
    const TestLane lane = store().newLane();
    LaneSeller seller(lane.directory);
    Sync sync(lane);
    constexpr int Sales = 200;
    std::map<double, QDateTime> committed;
    for (auto _ : state) {
        for (int i = 0; i < Sales; ++i) {
            seller.sell(1);
            Table &reg = seller.dataModule().tranmaster;
            reg.last();
            committed[reg.field(QStringLiteral("Trxh_id")).asFloat()] = QDateTime::currentDateTimeUtc();
            QThread::msleep(50);
        }
        while (outboxCount(lane) > 0)
            QThread::msleep(50);
    }
    QList<double> latencies;
    for (const QVariantList &row : store().cluster.query(
             QStringLiteral("store"),
             QStringLiteral("SELECT \"Trxh_id\", received_at FROM tillano.sale_arrival WHERE \"Terminal_id\" = %1")
                 .arg(lane.terminal)))
        latencies << committed[row[0].toDouble()].msecsTo(row[1].toDateTime().toUTC());
    std::sort(latencies.begin(), latencies.end());
    state.counters["sales"] = double(latencies.size());
    state.counters["p50_ms"] = latencies.value(latencies.size() / 2);
    state.counters["p95_ms"] = latencies.value(latencies.size() * 95 / 100);
}

void drainBacklog(benchmark::State &state)
{
    constexpr int Sales = 10000;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TestLane lane = store().newLane();
        LaneSeller(lane.directory).sell(Sales, 500);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const int exit = QProcess::execute(Store::program("tillano-sync"),
                                           {QStringLiteral("--settings"), lane.settings, QStringLiteral("--drain")});
        seconds += timer.elapsed() / 1000.0;
        if (exit != 0 || outboxCount(lane) != 0)
            state.SkipWithError("the drain failed");
    }
    state.counters["sales_per_s"] = Sales * double(state.iterations()) / seconds;
}

}

BENCHMARK(checkout_singleTerminal)->Unit(benchmark::kMillisecond)->MinTime(3)->Repetitions(3);
BENCHMARK(checkout_laneWithSync)->Unit(benchmark::kMillisecond)->MinTime(3)->Repetitions(3);
BENCHMARK(commitToServer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(drainBacklog)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theStore.reset();
    return 0;
}
