// The store reports on a year of a store with four lanes of 100,000 sales
// each (three lines a sale): the figures as a lane's manager asks for
// them, schema function and transfer included. The cluster and its data
// are made once, in /tmp/tillano-bench-store-reports (or
// $TILLANO_BENCH_DIR/store-reports), and reused: remove it when the
// report functions change.

#include "postgres_cluster.h"

#include "lanes/server_connection.h"
#include "lanes/store_report_query.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

PostgresCluster *cluster = nullptr;
const QString Database = QStringLiteral("store");
const QDate YearStart(2025, 1, 1);
const QDate YearEnd(2025, 12, 31);

// Four lanes, 100,000 sales each spread over 2025, six cashiers, 500
// products in 12 departments; amounts as sales leave them (line totals
// with discounts to the ten-thousandth, taxes to the cent).
const char *FillSql = R"SQL(
SELECT setseed(0.42);
INSERT INTO tillano.control ("Store_id", "Ctrl_tx1", "Ctrl_tx2") VALUES (1, 'GST', 'PST');
INSERT INTO tillano."Dept" ("Store_id", "Dept_code", "Dept_desc")
    SELECT 1, d, 'Department ' || d FROM generate_series(1, 12) d;
INSERT INTO tillano.product ("Store_id", "Product_upc", "Product_desc", "Product_dept", "Product_price")
    SELECT 1, 100000 + p, 'Product ' || p, 1 + p % 12, round((0.5 + random() * 40)::numeric, 2) FROM generate_series(1, 500) p;
INSERT INTO tillano.lanes ("Store_id", "Terminal_id", lane_key) SELECT 1, t, 'bench-' || t FROM generate_series(1, 4) t;
CREATE TEMP TABLE lines AS
    SELECT t AS terminal, i AS sale, l AS seq, 100001 + floor(random() * 500)::int AS upc,
           (1 + floor(random() * 3))::float8 AS qty, floor(random() * 4) * 5 AS pct
    FROM generate_series(1, 4) t, generate_series(1, 100000) i, generate_series(1, 3) l;
INSERT INTO tillano.tranmaster ("Store_id", "Trxh_id", "Trxh_date", "Trxh_time", "Trxh_cashier", "Trxh_total",
        "Trxh_tx1", "Trxh_tx2", "Trxh_tx3", "Trxh_dsc1", "Trxh_dsc2", "Trxh_dsc3", "Trxh_pmt1", "Trxh_pmt2",
        "Trxh_pmt3", "Trxh_pmt4", "Trxh_pmt5", "Trxh_fc1", "Trxh_cpn1", "Trxh_cpn2", "Trxh_cpn3",
        "Trxh_grand_total", "Trxh_change", "Trxh_terminal_id")
    SELECT 1, s.sale, date '2025-01-01' + (s.sale * 365 / 100001), time '08:00' + (s.sale % 720) * interval '1 minute',
           1 + s.sale % 6, s.total, s.tx1, s.tx2, 0, 0, 0, 0, ceil(s.total + s.tx1 + s.tx2), 0, 0, 0, 0, 0, 0, 0, 0,
           s.total + s.tx1 + s.tx2, s.total + s.tx1 + s.tx2 - ceil(s.total + s.tx1 + s.tx2), s.terminal
    FROM (SELECT l.terminal, l.sale, sum(l.qty * p."Product_price" * (1 - l.pct / 100.0))::float8 AS total,
                 round(sum(l.qty * p."Product_price" * (1 - l.pct / 100.0))::numeric * 0.05, 2)::float8 AS tx1,
                 round(sum(l.qty * p."Product_price" * (1 - l.pct / 100.0))::numeric * 0.07, 2)::float8 AS tx2
          FROM lines l JOIN tillano.product p ON p."Store_id" = 1 AND p."Product_upc" = l.upc
          GROUP BY l.terminal, l.sale) s;
INSERT INTO tillano.trandetail ("Store_id", "Terminal_id", "Trx_id", "Trx_seq", "Trx_upc", "Trx_desc", "Trx_qty",
        "Trx_price", "Trx_dscamt", "Trx_total")
    SELECT 1, l.terminal, l.sale, l.seq, l.upc, p."Product_desc", l.qty, p."Product_price",
           l.qty * p."Product_price" * l.pct / 100.0, l.qty * p."Product_price" * (1 - l.pct / 100.0)
    FROM lines l JOIN tillano.product p ON p."Store_id" = 1 AND p."Product_upc" = l.upc;
ANALYZE;
)SQL";

// The cluster of the cache, its database made and filled the first time.
bool prepare(const QString &cache)
{
    static PostgresCluster kept(cache);
    cluster = &kept;
    const QString failure = cluster->start();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return false;
    }
    if (!cluster->query(QStringLiteral("postgres"), QStringLiteral("SELECT 1 FROM pg_database WHERE datname = 'store'"))
             .isEmpty())
        return true;
    std::fprintf(stderr, "Building the store (once): 400,000 sales, 1,200,000 lines...\n");
    cluster->createDatabase(QStringLiteral("building"));
    QProcess init;
    init.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tillano-server")),
               {QStringLiteral("init"), cluster->conninfo(QStringLiteral("building"))});
    init.waitForFinished(60000);
    ServerConnection server(cluster->conninfo(QStringLiteral("building")));
    server.open();
    server.execute(QString::fromLatin1(FillSql));
    server.close();
    cluster->query(QStringLiteral("postgres"), QStringLiteral("ALTER DATABASE building RENAME TO store"));
    return true;
}

void report(benchmark::State &state, StoreReportKind kind, const QDate &from, const QDate &to)
{
    ServerConnection server(cluster->conninfo(Database));
    server.open();
    for (auto _ : state) {
        const StoreReportData data = readStoreReport(server, kind, {1, from, to});
        benchmark::DoNotOptimize(data.tables.size());
    }
}

void BM_FinancialYear(benchmark::State &state) { report(state, StoreReportKind::Financial, YearStart, YearEnd); }
void BM_FinancialDay(benchmark::State &state) { report(state, StoreReportKind::Financial, YearEnd, YearEnd); }
void BM_CashiersYear(benchmark::State &state) { report(state, StoreReportKind::Cashiers, YearStart, YearEnd); }
void BM_ProductsYear(benchmark::State &state) { report(state, StoreReportKind::Products, YearStart, YearEnd); }
void BM_DepartmentsMonth(benchmark::State &state)
{
    report(state, StoreReportKind::Departments, YearEnd.addDays(-30), YearEnd);
}
void BM_RegisterDay(benchmark::State &state) { report(state, StoreReportKind::Register, YearEnd, YearEnd); }

// The time is the server's: the program only waits for it.
BENCHMARK(BM_FinancialYear)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
BENCHMARK(BM_FinancialDay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CashiersYear)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
BENCHMARK(BM_ProductsYear)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
BENCHMARK(BM_DepartmentsMonth)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RegisterDay)->Unit(benchmark::kMillisecond)->UseRealTime();

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString given = qEnvironmentVariable("TILLANO_BENCH_DIR");
    const QString cache = given.isEmpty() ? QDir::tempPath() + QStringLiteral("/tillano-bench-store-reports")
                                          : QDir(given).filePath(QStringLiteral("store-reports"));
    if (!prepare(cache))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
