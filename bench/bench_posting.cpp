// Posting a 100-line sale (totals, stock, register, counter, journal; one
// durable transaction) into a store with 100,000 products and a sales
// register of 1,000,000 lines.
//
// The large database is built once with bare SQL and kept in
// /tmp/tillano-bench-posting-v1 for later runs; every run works on a fresh
// copy of it, so runs start from the same state.
#include "cached_database.h"

#include "posting/sale_posting.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "store/sqlite_statement.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <sqlite3.h>

namespace {

constexpr int ProductCount = 100000;
constexpr int DepartmentCount = 50;
constexpr int RegisterHeaders = 100000;
constexpr int LinesPerHeader = 10; // 1,000,000 register lines
constexpr int SaleLines = 100;
constexpr int Cashier = 7;

const QString CacheDirectory = QStringLiteral("/tmp/tillano-bench-posting-v1");

void fillLargeStore(sqlite3 *db)
{
    executeSql(db, QStringLiteral("BEGIN"));
    SqliteStatement dept(db, QStringLiteral("INSERT INTO Dept (Dept_code, Dept_desc, Dept_sales, Dept_sales_ptd, "
                                            "Dept_qty_sales, Dept_qty_sales_pdt) VALUES (?, ?, 0, 0, 0, 0)"));
    for (int d = 1; d <= DepartmentCount; ++d)
        dept.run({d, QStringLiteral("Department %1").arg(d)});

    SqliteStatement product(
        db, QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, Product_dept, "
                           "Product_price, Product_promo, Product_qty, Product_avg_cost, Product_sales, "
                           "Product_sales_ptd, Product_tx1, Product_tx2, Product_tx3, Product_qty_sales, "
                           "Product_qty_sales_pdt, Product_accnt) "
                           "VALUES (?, ?, ?, ?, ?, 0, 500, ?, 0, 0, 1, 0, 0, 0, 0, ?)"));
    for (int p = 1; p <= ProductCount; ++p) {
        const double upc = 60000000000.0 + p * 7;
        product.run({upc, QStringLiteral("Product number %1, regular size").arg(p), QStringLiteral("Product %1").arg(p),
                     1 + p % DepartmentCount, 1.99 + p % 50, 1.10 + p % 30, 4000 + p % 90});
    }

    executeSql(db, QStringLiteral("INSERT INTO cashier (Cashier_id, Cashier_name, Cashier_type, Cashier_train) "
                                  "VALUES (7, 'Ann', 0, 0)"));
    SqliteStatement header(
        db, QStringLiteral("INSERT INTO tranmaster (Trxh_id, Trxh_date, Trxh_time, Trxh_cashier, Trxh_total, "
                           "Trxh_tx1, Trxh_pmt1, Trxh_grand_total, Trxh_change, Trxh_terminal_id) "
                           "VALUES (?, '2025-06-01', '10:00:00', 7, 25.0, 1.25, 30.0, 26.25, -3.75, 1)"));
    SqliteStatement line(
        db, QStringLiteral("INSERT INTO trandetail (Trx_id, Trx_upc, Trx_short_desc, Trx_desc, Trx_qty, Trx_price, "
                           "Trx_dscamt, Trx_total, Trx_promo, Trx_cpn, Trx_dsc, Trx_cost, Trx_tx1, Trx_tx2, Trx_tx3, "
                           "Trx_dsc_per) VALUES (?, ?, 'Product', 'Product, regular size', 1, 2.5, 0, 2.5, 0, 0, 0, "
                           "1.1, 1, 0, 0, 0)"));
    for (int h = 1; h <= RegisterHeaders; ++h) {
        header.run({double(h)});
        for (int l = 0; l < LinesPerHeader; ++l)
            line.run({double(h), 60000000000.0 + ((h * 31 + l * 977) % ProductCount + 1) * 7});
    }
    executeSql(db, QStringLiteral("UPDATE control SET Ctrl_invoice_no = %1, Ctrl_terminal_id = 1, "
                                  "Ctrl_fc_rate = 1.35, Ctrl_export = 1").arg(RegisterHeaders + 1));
    executeSql(db, QStringLiteral("COMMIT"));
}

// The cached large database.
QString largeStore()
{
    return cachedDatabase(CacheDirectory, fillLargeStore);
}

// The sale waiting in the work tables: 100 lines of products spread over
// the table and the departments.
void prepareSale(TDataModule2 &dm)
{
    dm.tmpmaster.append();
    dm.tmpmaster.field("Trxh_date").setDate(QDate(2026, 3, 9));
    dm.tmpmaster.field("Trxh_time").setTime(QTime(14, 5, 3));
    dm.tmpmaster.field("Trxh_cashier").setInteger(Cashier);
    long double total = 0;
    for (int i = 0; i < SaleLines; ++i) {
        const int p = 1 + (i * 997) % ProductCount;
        const double price = 1.99 + p % 50;
        dm.tmpdetail.append();
        dm.tmpdetail.field("Trx_upc").setFloat(60000000000.0 + p * 7);
        dm.tmpdetail.field("Trx_short_desc").setString(QStringLiteral("Product %1").arg(p));
        dm.tmpdetail.field("Trx_desc").setString(QStringLiteral("Product number %1, regular size").arg(p));
        dm.tmpdetail.field("Trx_qty").setFloat(1);
        dm.tmpdetail.field("Trx_price").setFloat(price);
        dm.tmpdetail.field("Trx_dscamt").setFloat(0);
        dm.tmpdetail.field("Trx_total").setFloat(price);
        dm.tmpdetail.field("Trx_cost").setFloat(1.10);
        dm.tmpdetail.field("Trx_tx1").setBoolean(true);
        dm.tmpdetail.field("Trx_dsc_per").setFloat(0);
        dm.tmpdetail.post();
        total += price;
    }
    dm.tmpmaster.field("Trxh_total").setFloat(double(total));
    dm.tmpmaster.field("Trxh_grand_total").setFloat(double(total));
    dm.tmpmaster.field("Trxh_pmt1").setFloat(double(total) + 20);
    dm.tmpmaster.post();
}

void BM_PostSale(benchmark::State &state)
{
    const bool exporting = state.range(0) != 0;
    const QString source = largeStore();
    QTemporaryDir work(QStringLiteral("/tmp/tillano-bench-posting-run-XXXXXX"));
    QFile::copy(source, work.filePath(QLatin1String(Database::FileName)));
    const QString previousDirectory = QDir::currentPath();
    QDir::setCurrent(work.path()); // the journal goes beside the copy

    TDataModule2 dm;
    dm.connectTo(work.path());
    for (Table *t : dm.tables())
        t->open();
    dm.Control.first();
    dm.Control.edit();
    dm.Control.field("Ctrl_export").setBoolean(exporting);
    dm.Control.post();
    prepareSale(dm);

    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        SaleRecord sale = readWorkSale(dm, Cashier, false); // as checkout reads it, once
        postSale(dm, sale);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        samples.push_back(elapsed.count() * 1000);
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["p90_ms"] = samples[samples.size() * 9 / 10];
    state.counters["max_ms"] = samples.back();

    dm.disconnect();
    QDir::setCurrent(previousDirectory);
}

}

BENCHMARK(BM_PostSale)
    ->ArgName("export")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
