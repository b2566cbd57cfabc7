// The table store beside bare prepared SQLite statements doing the same
// work, on 100,000 products and 1,000,000 posted lines (and 1,000
// products, to show that the cost per operation does not grow with the
// table). Prints the ratio store / bare for each pair at the end.
#include "store/data_module.h"
#include "store/schema.h"
#include "store/sqlite_statement.h"

#include "held_data_directory.h"
#include "ratio_reporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <random>
#include <sqlite3.h>

namespace {

constexpr int Headers = 200000;
constexpr int LinesPerHeader = 5;

QString dataDirectory(int products)
{
    return QStringLiteral("/tmp/tillano-bench-store-%1").arg(products);
}

double upcOf(int i)
{
    return 100000000000.0 + double(i) * 7; // spread like real codes
}

// Builds the data directory once with bare SQL; later runs reuse it.
void prepare(int products)
{
    const QString dir = dataDirectory(products);
    QDir().mkpath(dir);
    holdDataDirectory(dir);
    if (QFileInfo::exists(dir + QStringLiteral("/posdb.sqlite3")))
        return;
    TDataModule2::createDatabase(dir);
    Database db;
    db.open(dir);
    StoreTransaction t(db);
    SqliteStatement product(db.handle(),
                            QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, "
                                           "Product_dept, Product_price, Product_qty, Product_avg_cost, "
                                           "Product_tx1, Product_accnt) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < products; ++i)
        product.run({upcOf(i), QStringLiteral("Product number %1, long description").arg(i),
                     QStringLiteral("Product %1").arg(i), i % 20, 1.0 + i % 100, 50.0, 0.5 + i % 50, i % 2, 4000});
    if (products >= 100000) {
        SqliteStatement header(db.handle(), QStringLiteral("INSERT INTO tranmaster (Trxh_id, Trxh_date, Trxh_time, "
                                                           "Trxh_cashier, Trxh_total, Trxh_grand_total) "
                                                           "VALUES (?, '2026-03-09', '12:00:00', 1, 10, 11)"));
        SqliteStatement line(db.handle(), QStringLiteral("INSERT INTO trandetail (Trx_id, Trx_upc, Trx_short_desc, "
                                                         "Trx_desc, Trx_qty, Trx_price, Trx_total, Trx_tx1) "
                                                         "VALUES (?, ?, 'Product', 'Product, long', 1, 2, 2, 1)"));
        for (int h = 0; h < Headers; ++h) {
            header.run({double(1000 + h)});
            for (int l = 0; l < LinesPerHeader; ++l)
                line.run({double(1000 + h), upcOf((h * LinesPerHeader + l) % products)});
        }
    }
    t.commit();
}

// One connected data module per table size, kept for the whole run and
// closed before main() returns: closed later, among the program's static
// objects, a connection would reach for Qt's list of SQL connections
// after it is gone (a crash at exit).
std::map<int, std::unique_ptr<TDataModule2>> &modules()
{
    static std::map<int, std::unique_ptr<TDataModule2>> kept;
    return kept;
}

TDataModule2 &module(int products)
{
    auto &m = modules()[products];
    if (!m) {
        prepare(products);
        m = std::make_unique<TDataModule2>();
        m->connectTo(dataDirectory(products));
        for (Table *t : m->tables())
            t->open();
    }
    return *m;
}

QString columnsOf(const TableDef &def)
{
    QStringList names;
    for (const FieldDef &f : def.fields)
        names.append(QLatin1Char('"') + f.name + QLatin1Char('"'));
    return names.join(QStringLiteral(", "));
}

// Reads every column of the current row, as a caller of bare SQLite
// would to get a whole record: numbers natively, texts as QString.
double readRow(sqlite3_stmt *st)
{
    double sink = 0;
    const int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER: sink += double(sqlite3_column_int64(st, i)); break;
        case SQLITE_FLOAT: sink += sqlite3_column_double(st, i); break;
        case SQLITE_TEXT: {
            const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                                                   sqlite3_column_bytes(st, i));
            sink += double(text.size());
            break;
        }
        default: break;
        }
    }
    return sink;
}

struct BareStatement {
    BareStatement(sqlite3 *db, const QString &sql)
    {
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    }
    ~BareStatement() { sqlite3_finalize(st); }
    sqlite3_stmt *st = nullptr;
};

void BM_FindKey_Store(benchmark::State &state)
{
    const int products = int(state.range(0));
    Table &p = module(products).producttb;
    std::mt19937 rng(1);
    for (auto _ : state) {
        const bool found = p.findKey(upcOf(int(rng() % products)));
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(p.field(4).asFloat());
    }
}

void BM_FindKey_Bare(benchmark::State &state)
{
    const int products = int(state.range(0));
    sqlite3 *db = module(products).database().handle();
    BareStatement q(db, QStringLiteral("SELECT %1, rowid FROM product WHERE Product_upc = ? LIMIT 1")
                            .arg(columnsOf(Schema::product())));
    std::mt19937 rng(1);
    for (auto _ : state) {
        sqlite3_reset(q.st);
        sqlite3_bind_double(q.st, 1, upcOf(int(rng() % products)));
        if (sqlite3_step(q.st) == SQLITE_ROW)
            benchmark::DoNotOptimize(readRow(q.st));
    }
}

void BM_ScanKeyOrder_Store(benchmark::State &state)
{
    Table &p = module(int(state.range(0))).producttb;
    for (auto _ : state) {
        double sum = 0;
        for (p.first(); !p.eof(); p.next())
            sum += p.field(4).asFloat();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ScanKeyOrder_Bare(benchmark::State &state)
{
    sqlite3 *db = module(int(state.range(0))).database().handle();
    BareStatement q(db, QStringLiteral("SELECT %1, rowid FROM product ORDER BY Product_upc").arg(columnsOf(Schema::product())));
    for (auto _ : state) {
        double sum = 0;
        sqlite3_reset(q.st);
        while (sqlite3_step(q.st) == SQLITE_ROW)
            sum += readRow(q.st);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaleLines_Store(benchmark::State &state)
{
    TDataModule2 &dm = module(100000);
    std::mt19937 rng(2);
    for (auto _ : state) {
        dm.tranmaster.findKey(double(1000 + rng() % Headers));
        double sum = 0;
        for (dm.trandetail.first(); !dm.trandetail.eof(); dm.trandetail.next())
            sum += dm.trandetail.field(8).asFloat();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_SaleLines_Bare(benchmark::State &state)
{
    sqlite3 *db = module(100000).database().handle();
    BareStatement h(db, QStringLiteral("SELECT %1, rowid FROM tranmaster WHERE Trxh_id = ? LIMIT 1")
                            .arg(columnsOf(Schema::tranmaster())));
    BareStatement d(db, QStringLiteral("SELECT %1, rowid FROM trandetail WHERE Trx_id = ? ORDER BY Trx_id, Trx_seq")
                            .arg(columnsOf(Schema::trandetail())));
    std::mt19937 rng(2);
    for (auto _ : state) {
        const double id = double(1000 + rng() % Headers);
        sqlite3_reset(h.st);
        sqlite3_bind_double(h.st, 1, id);
        if (sqlite3_step(h.st) == SQLITE_ROW)
            benchmark::DoNotOptimize(readRow(h.st));
        sqlite3_reset(d.st);
        sqlite3_bind_double(d.st, 1, id);
        double sum = 0;
        while (sqlite3_step(d.st) == SQLITE_ROW)
            sum += readRow(d.st);
        benchmark::DoNotOptimize(sum);
    }
}

void BM_AppendWorkLine_Store(benchmark::State &state)
{
    TDataModule2 &dm = module(int(state.range(0)));
    Table &lines = dm.tmpdetail;
    lines.emptyTable();
    int n = 0;
    for (auto _ : state) {
        lines.append();
        lines.field(1).setFloat(upcOf(n % 1000));
        lines.field(2).setString(QStringLiteral("Product"));
        lines.field(4).setFloat(1);
        lines.field(5).setFloat(2.5);
        lines.field(7).setFloat(2.5);
        lines.field(13).setBoolean(true);
        lines.post();
        if (++n % 1000 == 0) {
            state.PauseTiming();
            lines.emptyTable();
            state.ResumeTiming();
        }
    }
}

void BM_AppendWorkLine_Bare(benchmark::State &state)
{
    TDataModule2 &dm = module(int(state.range(0)));
    sqlite3 *db = dm.database().handle();
    dm.tmpdetail.emptyTable();
    BareStatement q(db, QStringLiteral("INSERT INTO tmpdetail (Trx_upc, Trx_short_desc, Trx_qty, Trx_price, Trx_total, "
                                       "Trx_tx1) VALUES (?, 'Product', 1, 2.5, 2.5, 1)"));
    int n = 0;
    for (auto _ : state) {
        sqlite3_reset(q.st);
        sqlite3_bind_double(q.st, 1, upcOf(n % 1000));
        // A work line needs no sync, as in the store.
        sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
        sqlite3_step(q.st);
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        if (++n % 1000 == 0) {
            state.PauseTiming();
            dm.tmpdetail.emptyTable();
            state.ResumeTiming();
        }
    }
}

BENCHMARK(BM_FindKey_Store)->Arg(1000)->Arg(100000)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_FindKey_Bare)->Arg(1000)->Arg(100000)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScanKeyOrder_Store)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanKeyOrder_Bare)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaleLines_Store);
BENCHMARK(BM_SaleLines_Bare);
BENCHMARK(BM_AppendWorkLine_Store)->Arg(1000)->Arg(100000)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_AppendWorkLine_Bare)->Arg(1000)->Arg(100000)->Repetitions(5)->ReportAggregatesOnly(true);

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int result = RatioReporter::runWithRatios(argc, argv, "_Store", "store / bare SQLite, same operation, same run:");
    modules().clear();
    return result;
}
