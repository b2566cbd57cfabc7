// The day and period resets and the purge on a large shop: zeroing the day
// totals (End of day) and the period totals (Zero period totals) of
// 100,000 products, 500 departments and 50 cashiers, each with sales; and
// purging the 200,000 sales of a year, with their 1,000,000 lines, from a
// sales register that keeps the 10,000 sales of the new year.
//
// The large database is built once with bare SQL and kept in
// $TILLANO_BENCH_DIR (default /tmp)/tillano-bench-period-end-v2; every
// iteration works on a fresh copy of it, and only the operation is timed.
#include "cached_database.h"

#include "posting/sales_register_purge.h"
#include "posting/totals_reset.h"
#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <sqlite3.h>

namespace {

constexpr int ProductCount = 100000;
constexpr int DepartmentCount = 500;
constexpr int CashierCount = 50;
constexpr int PurgedSales = 200000; // in 2025
constexpr int KeptSales = 10000;    // in January 2026
constexpr int LinesPerSale = 5;     // 1,000,000 lines purged

QString cacheDirectory()
{
    return qEnvironmentVariable("TILLANO_BENCH_DIR", QStringLiteral("/tmp"))
        + QStringLiteral("/tillano-bench-period-end-v2");
}

// Every day and period total of the store, cashiers, products and
// departments set to a value other than zero.
void fillLargeShop(sqlite3 *db)
{
    executeSql(db, QStringLiteral("BEGIN"));
    SqliteStatement dept(db, QStringLiteral("INSERT INTO Dept (Dept_code, Dept_desc, Dept_sales, Dept_sales_ptd, "
                                            "Dept_qty_sales, Dept_qty_sales_pdt) VALUES (?, ?, 120.5, 980.25, 12, 98)"));
    for (int d = 1; d <= DepartmentCount; ++d)
        dept.run({d, QStringLiteral("Department %1").arg(d)});

    SqliteStatement product(
        db, QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, Product_dept, "
                           "Product_price, Product_qty, Product_avg_cost, Product_sales, Product_sales_ptd, "
                           "Product_tx1, Product_qty_sales, Product_qty_sales_pdt, Product_accnt) "
                           "VALUES (?, ?, ?, ?, 2.99, 40, 1.25, 8.97, 65.78, 1, 3, 22, 4010)"));
    for (int p = 1; p <= ProductCount; ++p)
        product.run({60000000000.0 + p * 7, QStringLiteral("Product number %1, regular size").arg(p),
                     QStringLiteral("Product %1").arg(p), 1 + p % DepartmentCount});

    const QStringList cashierTotals = saleTotalsFields(QStringLiteral("Cashier_")) + moneyCountTotalsFields();
    SqliteStatement cashier(db, QStringLiteral("INSERT INTO cashier (Cashier_id, Cashier_name, Cashier_type, "
                                               "Cashier_train, %1) VALUES (?, ?, 0, 0%2)")
                                    .arg(cashierTotals.join(QStringLiteral(", ")),
                                         QStringLiteral(", 17").repeated(cashierTotals.size())));
    for (int c = 1; c <= CashierCount; ++c)
        cashier.run({c, QStringLiteral("Cashier %1").arg(c)});

    QStringList assignments;
    for (const QString &field :
         saleTotalsFields(QStringLiteral("Fin_")) + saleTotalsFields(QStringLiteral("Fin_"), QStringLiteral("_pdt")))
        assignments << field + QStringLiteral(" = 250");
    executeSql(db, QStringLiteral("UPDATE fin SET ") + assignments.join(QStringLiteral(", ")));

    SqliteStatement header(
        db, QStringLiteral("INSERT INTO tranmaster (Trxh_id, Trxh_date, Trxh_time, Trxh_cashier, Trxh_total, "
                           "Trxh_tx1, Trxh_pmt1, Trxh_grand_total, Trxh_change, Trxh_terminal_id) "
                           "VALUES (?, ?, '10:00:00', 7, 25.0, 1.25, 30.0, 26.25, -3.75, 1)"));
    SqliteStatement line(
        db, QStringLiteral("INSERT INTO trandetail (Trx_id, Trx_upc, Trx_short_desc, Trx_desc, Trx_qty, Trx_price, "
                           "Trx_dscamt, Trx_total, Trx_promo, Trx_cpn, Trx_dsc, Trx_cost, Trx_tx1, Trx_tx2, Trx_tx3, "
                           "Trx_dsc_per) VALUES (?, ?, 'Product', 'Product, regular size', 1, 5, 0, 5, 0, 0, 0, "
                           "1.1, 1, 0, 0, 0)"));
    for (int s = 1; s <= PurgedSales + KeptSales; ++s) {
        const QDate day = s <= PurgedSales ? QDate(2025, 1, 1).addDays(qint64(s - 1) * 365 / PurgedSales)
                                           : QDate(2026, 1, 1).addDays(qint64(s - PurgedSales - 1) * 31 / KeptSales);
        header.run({double(s), day.toString(Qt::ISODate)});
        for (int l = 0; l < LinesPerSale; ++l)
            line.run({double(s), 60000000000.0 + ((s * 31 + l * 977) % ProductCount + 1) * 7});
    }
    executeSql(db, QStringLiteral("UPDATE control SET Ctrl_invoice_no = %1, Ctrl_terminal_id = 1").arg(PurgedSales + KeptSales + 1));
    executeSql(db, QStringLiteral("COMMIT"));
}

// The cached large database.
QString largeShop()
{
    return cachedDatabase(cacheDirectory(), fillLargeShop);
}

// Times the operation on a fresh copy of the large shop at each iteration.
void timeOnFreshCopy(benchmark::State &state, const std::function<void(TDataModule2 &)> &operation)
{
    const QString source = largeShop();
    std::vector<double> samples;
    for (auto _ : state) {
        QTemporaryDir work(QDir::tempPath() + QStringLiteral("/tillano-bench-period-end-run-XXXXXX"));
        QFile::copy(source, work.filePath(QLatin1String(Database::FileName)));
        TDataModule2 dm;
        dm.connectTo(work.path());
        for (Table *t : dm.tables())
            t->open();

        const auto start = std::chrono::steady_clock::now();
        operation(dm);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        samples.push_back(elapsed.count() * 1000);
        dm.disconnect();
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["max_ms"] = samples.back();
}

void BM_ZeroDayTotals(benchmark::State &state)
{
    timeOnFreshCopy(state, [](TDataModule2 &dm) { zeroDayTotals(dm); });
}

void BM_ZeroPeriodTotals(benchmark::State &state)
{
    timeOnFreshCopy(state, [](TDataModule2 &dm) { zeroPeriodTotals(dm); });
}

void BM_PurgeYear(benchmark::State &state)
{
    timeOnFreshCopy(state, [&state](TDataModule2 &dm) {
        if (purgeSalesRegister(dm, QDate(2025, 12, 31)) != PurgedSales)
            state.SkipWithError("not the year's sales purged");
    });
}

}

BENCHMARK(BM_ZeroDayTotals)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZeroPeriodTotals)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PurgeYear)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
