// The product import of a 100,000-line file, into an empty product table
// (every line a new product) and into a table already holding those
// products (every line an update), each beside bare SQLite writing the
// same rows with one prepared statement in one transaction; and once more
// into an empty table from a file whose every line reads differently as
// comma text and as standard CSV, so that both readings are made. The import's
// time includes reading, decoding and splitting the file; the bare
// statements get their values ready-made. Prints the ratio at the end.
//
// Each run reports its own processor time too (counter cpu_ms): on a
// shared machine it says what the import costs when the processor is not
// taken by others.
//
// The file and the data directories live in /tmp/tillano-bench-import-12.
#include "backoffice/import_file.h"
#include "backoffice/product_file.h"
#include "backoffice/product_import.h"
#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include "cached_database.h"
#include "held_data_directory.h"
#include "ratio_reporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <sqlite3.h>

namespace {

constexpr int Lines = 100000;
const QString WorkDirectory = QStringLiteral("/tmp/tillano-bench-import-12");

QString workPath(const QString &name)
{
    return WorkDirectory + QLatin1Char('/') + name;
}

// The values of line i, as the file writes them and the bare statements bind them.
QVariantList rowValues(int i)
{
    return {62813100000.0 + double(i) * 7, QStringLiteral("Product number %1, regular size").arg(i),
            QStringLiteral("Product %1").arg(i), 1 + i % 50, 1.99 + i % 50, 0.0, 1.10 + i % 30,
            i % 2 == 0, false, true, 4000 + i % 90};
}

std::vector<QVariantList> catalogueRows()
{
    std::vector<QVariantList> rows;
    for (int i = 0; i < Lines; ++i)
        rows.push_back(rowValues(i));
    return rows;
}

// The catalogue as a spreadsheet writes it, CRLF line ends: every text
// quoted (the option older tills need), or quoted only where it holds a
// comma (the usual default), so that a short description with a blank
// reads differently as comma text and as standard CSV.
QString catalogue(bool allTextsQuoted)
{
    const QString path = workPath(allTextsQuoted ? QStringLiteral("catalogue.csv") : QStringLiteral("spreadsheet.csv"));
    if (QFile::exists(path))
        return path;
    QDir().mkpath(WorkDirectory);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QString line = allTextsQuoted ? QStringLiteral("%1,\"%2\",\"%3\",%4,%5,%6,,,%7,%8,%9,%10,%11\r\n")
                                        : QStringLiteral("%1,\"%2\",%3,%4,%5,%6,,,%7,%8,%9,%10,%11\r\n");
    for (int i = 0; i < Lines; ++i) {
        const QVariantList v = rowValues(i);
        file.write(line.arg(QString::number(v[0].toDouble(), 'f', 0), v[1].toString(), v[2].toString(),
                            v[3].toString(), QString::number(v[4].toDouble(), 'f', 2),
                            QString::number(v[5].toDouble(), 'f', 2), QString::number(v[6].toDouble(), 'f', 2),
                            v[7].toBool() ? "Y" : "N", v[8].toBool() ? "Y" : "N", v[9].toBool() ? "Y" : "N")
                       .arg(v[10].toInt())
                       .toUtf8());
    }
    return path;
}

const char *const InsertSql =
    "INSERT INTO product (Product_upc, Product_desc, Product_short_desc, Product_dept, Product_price, "
    "Product_promo, Product_avg_cost, Product_tx1, Product_tx2, Product_tx3, Product_accnt, Product_qty, "
    "Product_sales, Product_sales_ptd, Product_sales_by_week, Product_qty_sales, Product_qty_sales_pdt) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, '', 0, 0)";
const char *const UpdateSql =
    "UPDATE product SET Product_desc = ?2, Product_short_desc = ?3, Product_dept = ?4, Product_price = ?5, "
    "Product_promo = ?6, Product_avg_cost = ?7, Product_tx1 = ?8, Product_tx2 = ?9, Product_tx3 = ?10, "
    "Product_accnt = ?11 WHERE Product_upc = ?1";

// Every row through one statement, in one transaction.
void writeBare(sqlite3 *db, const char *sql, const std::vector<QVariantList> &rows)
{
    executeSql(db, QStringLiteral("BEGIN IMMEDIATE"));
    SqliteStatement statement(db, QLatin1String(sql));
    for (const QVariantList &row : rows)
        statement.run(row);
    executeSql(db, QStringLiteral("COMMIT"));
}

// A data directory with an empty product table, or with the catalogue's
// products already in (built once, then copied).
QString freshDirectory(bool holdingProducts)
{
    const QString dir = workPath(QStringLiteral("run"));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    if (!holdingProducts) {
        TDataModule2::createDatabase(dir);
        return dir;
    }
    const QString filled = cachedDatabase(workPath(QStringLiteral("filled")),
                                          [](sqlite3 *db) { writeBare(db, InsertSql, catalogueRows()); });
    QFile::copy(filled, dir + QStringLiteral("/posdb.sqlite3"));
    return dir;
}

// Times one run of `work`, in real time for the benchmark and in processor
// time for the counter.
class RunTimer {
public:
    explicit RunTimer(benchmark::State &state) : state_(state) {}
    template<typename Work>
    void time(Work work)
    {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        work();
        cpuMs_ += 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        state_.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    ~RunTimer()
    {
        state_.counters["cpu_ms"] = benchmark::Counter(cpuMs_, benchmark::Counter::kAvgIterations);
        state_.SetItemsProcessed(state_.iterations() * Lines);
    }

private:
    benchmark::State &state_;
    double cpuMs_ = 0;
};

void BM_Import(benchmark::State &state, bool holdingProducts, bool allTextsQuoted = true)
{
    const QString file = catalogue(allTextsQuoted);
    holdDataDirectory(WorkDirectory); // the directories of every run are inside
    RunTimer timer(state);
    for (auto _ : state) {
        const QString dir = freshDirectory(holdingProducts);
        TDataModule2 dm;
        dm.connectTo(dir);
        dm.openTablesForStartUp();
        ImportSummary summary;
        timer.time([&] {
            QByteArray bytes;
            QString error;
            if (!readImportFile(file, bytes, error))
                qFatal("%s", qPrintable(error));
            ImportText text(std::move(bytes));
            summary = ProductImport(dm).write(readProductFile(text));
        });
        if (summary.added + summary.updated != Lines || summary.updated != (holdingProducts ? Lines : 0))
            state.SkipWithError("not every line went in as it should");
    }
}

void BM_Bare(benchmark::State &state, bool holdingProducts)
{
    const std::vector<QVariantList> rows = catalogueRows();
    RunTimer timer(state);
    for (auto _ : state) {
        const QString dir = freshDirectory(holdingProducts);
        Database db;
        db.open(dir);
        timer.time([&] { writeBare(db.handle(), holdingProducts ? UpdateSql : InsertSql, rows); });
    }
}

void BM_IntoEmpty_Import(benchmark::State &state) { BM_Import(state, false); }
void BM_IntoEmpty_Bare(benchmark::State &state) { BM_Bare(state, false); }
void BM_AllUpdates_Import(benchmark::State &state) { BM_Import(state, true); }
void BM_AllUpdates_Bare(benchmark::State &state) { BM_Bare(state, true); }
void BM_IntoEmptyUnquoted_Import(benchmark::State &state) { BM_Import(state, false, false); }
void BM_IntoEmptyUnquoted_Bare(benchmark::State &state) { BM_Bare(state, false); }

#define IMPORT_BENCHMARK(name) \
    BENCHMARK(name)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)
IMPORT_BENCHMARK(BM_IntoEmpty_Import);
IMPORT_BENCHMARK(BM_IntoEmpty_Bare);
IMPORT_BENCHMARK(BM_AllUpdates_Import);
IMPORT_BENCHMARK(BM_AllUpdates_Bare);
IMPORT_BENCHMARK(BM_IntoEmptyUnquoted_Import);
IMPORT_BENCHMARK(BM_IntoEmptyUnquoted_Bare);

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return RatioReporter::runWithRatios(argc, argv, "_Import", "import / bare SQLite, 100,000 lines:");
}
