// A lane of a store server beside a single terminal, on a private
// PostgreSQL cluster started for the run:
//   checkout/singleTerminal, checkout/laneWithSync  one sale posted, the
//       lane's tillano-sync running and sending (the goal: the same)
//   commitToServer  from the lane's commit to the server's, 200 sales one
//       every 50 ms while connected (p50, p95; goal p95 < 2 s)
//   drainBacklog  tillano-sync --drain of 10,000 queued sales (goal at
//       least 1,000 sales/s)
//   changeToLane/onALane, changeToLane/plainSql  a price changed on lane 1
//       (or with UPDATE on the server) until lane 2 finds it, 100 times,
//       both syncs running (p50, p95; goal p95 < 2 s)
//   fillNewLane  tillano-setup --server of a lane of a store of 100,000
//       products (goal < 5 s)
//   importToLane  100,000 new products imported on lane 1, until lane 2
//       has them all (goal < 10 s from the import's commit)
#include "postgres_cluster.h"
#include "store_lanes.h"

#include "backoffice/import_file.h"
#include "backoffice/product_file.h"
#include "backoffice/product_import.h"
#include "data_directory_setup.h"
#include "lanes/server_connection.h"
#include "store/data_module.h"
#include "store/sqlite_statement.h"

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

    TestLane newLane(int storeNo = 1)
    {
        TestLane lane;
        TestLane::prepare(lane, dir.path(), cluster.conninfo(QStringLiteral("store"), QStringLiteral("lane")), storeNo,
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

// A value read from a lane's database, as another program sees it.
double laneNumber(const TestLane &lane, const QString &sql)
{
    Database db;
    db.open(lane.directory);
    SqliteStatement st(db.handle(), sql);
    st.start();
    return st.step() ? st.real(0) : 0;
}

void waitUntilReached(const TestLane &lane)
{
    while (laneNumber(lane, QStringLiteral("SELECT \"State_reached\" FROM lane_sync_state")) != 1)
        QThread::msleep(20);
}

// Changes the price of a product `changes` times, each time until the till
// of lane 2 finds the new one; the delays in milliseconds, sorted.
template<typename Change>
QList<double> changeDelays(int changes, Change change)
{
    static const TestLane one = store().newLane();
    static const TestLane two = store().newLane();
    Sync syncOne(one);
    Sync syncTwo(two);
    waitUntilReached(one);
    waitUntilReached(two);
    TDataModule2 editor;
    editor.connectTo(one.directory);
    editor.openTablesForStartUp();
    TDataModule2 till;
    till.connectTo(two.directory);
    till.openTablesForStartUp();
    const double upc = [&] {
        till.producttb.first();
        return till.producttb.field(QStringLiteral("Product_upc")).asFloat();
    }();
    static int round = 0;
    QList<double> delays;
    for (int i = 0; i < changes; ++i) {
        const double price = 10 + ++round * 0.01;
        QElapsedTimer took;
        took.start();
        change(editor, upc, price);
        while (!till.producttb.findKey(upc) || till.producttb.field(QStringLiteral("Product_price")).asFloat() != price)
            QThread::msleep(2);
        delays << double(took.nsecsElapsed()) / 1e6;
        QThread::msleep(100);
    }
    std::sort(delays.begin(), delays.end());
    return delays;
}

template<typename Change>
void changeToLane(benchmark::State &state, Change change)
{
    QList<double> delays;
    for (auto _ : state)
        delays = changeDelays(100, change);
    state.counters["p50_ms"] = delays.value(delays.size() / 2);
    state.counters["p95_ms"] = delays.value(delays.size() * 95 / 100);
}

void changeToLane_onALane(benchmark::State &state)
{
    changeToLane(state, [](TDataModule2 &editor, double upc, double price) {
        editor.producttb.findKey(upc);
        editor.producttb.edit();
        editor.producttb.field(QStringLiteral("Product_price")).setFloat(price);
        editor.producttb.post();
    });
}

void changeToLane_plainSql(benchmark::State &state)
{
    changeToLane(state, [](TDataModule2 &, double upc, double price) {
        store().cluster.query(QStringLiteral("store"),
                              QStringLiteral("UPDATE tillano.product SET \"Product_price\" = %1 WHERE \"Store_id\" = 1 "
                                             "AND \"Product_upc\" = %2")
                                  .arg(price)
                                  .arg(upc, 0, 'f', 0));
    });
}

constexpr int Catalogue = 100000;

void fillNewLane(benchmark::State &state)
{
    // Store 2: its first lane sends the demo shop up, head office adds the rest.
    static const bool filled = [] {
        store().newLane(2);
        store().cluster.query(QStringLiteral("store"), QStringLiteral(
            "INSERT INTO tillano.product (\"Store_id\", \"Product_upc\", \"Product_desc\", \"Product_short_desc\", "
            "\"Product_dept\", \"Product_price\", \"Product_avg_cost\", \"Product_qty\", \"Product_tx1\") "
            "SELECT 2, 100000000000 + n * 7, 'Product number ' || n || ', long description', 'Product ' || n, "
            "1 + n % 10, 1 + n % 100, 0.5 + n % 50, 10 + n % 20, n % 2 = 0 FROM generate_series(1, %1) n")
            .arg(Catalogue));
        return true;
    }();
    (void)filled;
    for (auto _ : state) {
        const TestLane lane = store().newLane(2);
        state.PauseTiming();
        if (laneNumber(lane, QStringLiteral("SELECT COUNT(*) FROM product")) < Catalogue)
            state.SkipWithError("the lane lacks products");
        state.ResumeTiming();
    }
}

void importToLane(benchmark::State &state)
{
    QByteArray file;
    for (int i = 0; i < Catalogue; ++i)
        file += QStringLiteral("%1,\"Imported product %2\",\"Import %2\",%3,%4,0.00,,,%5,Y,N,N,4000\r\n")
                    .arg(200000000000.0 + i * 7, 0, 'f', 0)
                    .arg(i)
                    .arg(1 + i % 5)
                    .arg(1.0 + i % 100, 0, 'f', 2)
                    .arg(0.5 + i % 50, 0, 'f', 2)
                    .toUtf8();
    double importSeconds = 0;
    double reachSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TestLane one = store().newLane(3);
        const TestLane two = store().newLane(3);
        const double before = laneNumber(two, QStringLiteral("SELECT COUNT(*) FROM product"));
        Sync syncOne(one);
        Sync syncTwo(two);
        waitUntilReached(one);
        waitUntilReached(two);
        TDataModule2 dm;
        dm.connectTo(one.directory);
        dm.openTablesForStartUp();
        state.ResumeTiming();
        QElapsedTimer took;
        took.start();
        ImportText text{QByteArray(file)};
        const ImportSummary summary = ProductImport(dm).write(readProductFile(text));
        importSeconds += took.elapsed() / 1000.0;
        took.start();
        Database looking;
        looking.open(two.directory);
        SqliteStatement count(looking.handle(), QStringLiteral("SELECT COUNT(*) FROM product"));
        for (;;) {
            count.start();
            const bool all = count.step() && count.integer(0) >= before + Catalogue;
            count.reset();
            if (all)
                break;
            QThread::msleep(100);
        }
        reachSeconds += took.elapsed() / 1000.0;
        if (summary.added != Catalogue)
            state.SkipWithError("the import did not add every product");
    }
    state.counters["import_s"] = importSeconds / double(state.iterations());
    state.counters["to_lane_2_s"] = reachSeconds / double(state.iterations());
}

}

BENCHMARK(checkout_singleTerminal)->Unit(benchmark::kMillisecond)->MinTime(3)->Repetitions(3);
BENCHMARK(checkout_laneWithSync)->Unit(benchmark::kMillisecond)->MinTime(3)->Repetitions(3);
BENCHMARK(commitToServer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(drainBacklog)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(changeToLane_onALane)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(changeToLane_plainSql)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(fillNewLane)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(importToLane)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theStore.reset();
    return 0;
}
