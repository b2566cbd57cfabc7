// The sales register page report over 10,000 posted sales of 5 lines:
// laid out alone, laid out into the preview's file, and laid out and
// written to PDF page by page. Run under /usr/bin/time -v for the peak
// memory; the data directory is built once.
#include "reports/rendered_report.h"
#include "reports/report_printing.h"
#include "reports/sales_register_report.h"
#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>

namespace {

constexpr int Sales = 10000;
constexpr int LinesPerSale = 5;
const QString Directory = QStringLiteral("/tmp/tillano-bench-reports");

void prepare()
{
    if (QFileInfo::exists(Directory + QStringLiteral("/posdb.sqlite3")))
        return;
    QDir().mkpath(Directory);
    TDataModule2::createDatabase(Directory);
    Database db;
    db.open(Directory);
    StoreTransaction t(db);
    SqliteStatement header(db.handle(),
                           QStringLiteral("INSERT INTO tranmaster (Trxh_id, Trxh_date, Trxh_time, Trxh_cashier, Trxh_total, "
                                          "Trxh_tx1, Trxh_tx2, Trxh_tx3, Trxh_pmt1, Trxh_pmt2, Trxh_pmt3, Trxh_pmt4, "
                                          "Trxh_pmt5, Trxh_fc1, Trxh_cpn1, Trxh_cpn2, Trxh_cpn3, Trxh_grand_total, "
                                          "Trxh_change, Trxh_terminal_id) VALUES (?, '2026-03-09', '12:34:56', 7, ?, ?, "
                                          "0, 0, ?, 0, 0, 0, 0, 0, 0, 0, 0, ?, 0, 3)"));
    SqliteStatement line(db.handle(),
                         QStringLiteral("INSERT INTO trandetail (Trx_id, Trx_upc, Trx_short_desc, Trx_desc, Trx_qty, "
                                        "Trx_price, Trx_dscamt, Trx_total) VALUES (?, ?, 'Product', ?, ?, ?, 0, ?)"));
    for (int s = 0; s < Sales; ++s) {
        const double id = 1000 + s;
        double subtotal = 0;
        for (int l = 0; l < LinesPerSale; ++l) {
            const double price = 1.25 + l;
            subtotal += 2 * price;
            line.run({id, 100000000000.0 + l * 7 + s, QStringLiteral("Product number %1, long description").arg(l), 2.0,
                      price, 2 * price});
        }
        const double tax = subtotal * 0.05;
        header.run({id, subtotal, tax, subtotal + tax, subtotal + tax});
    }
    t.commit();
}

TDataModule2 &dataModule()
{
    static std::unique_ptr<TDataModule2> dm;
    if (!dm) {
        prepare();
        dm = std::make_unique<TDataModule2>();
        dm->connectTo(Directory);
        for (Table *t : dm->tables())
            t->open();
    }
    return *dm;
}

class CountingSink : public PageSink {
public:
    void addPage(const LaidOutPage &page) override { items += page.items.size(); ++pages; }
    qint64 items = 0;
    int pages = 0;
};

void salesRegisterLayout(benchmark::State &state)
{
    TForm13 report(dataModule());
    CountingSink sink;
    for (auto _ : state) {
        sink = CountingSink();
        report.layout(sink);
    }
    state.counters["pages"] = sink.pages;
    state.counters["items"] = double(sink.items);
}

void salesRegisterPdf(benchmark::State &state)
{
    TForm13 report(dataModule());
    const QString path = QStringLiteral("/tmp/tillano-bench-sales-register.pdf");
    int pages = 0;
    for (auto _ : state)
        writePdf(path, report.documentName(), [&](PageSink &sink) { pages = report.layout(sink); });
    state.counters["pages"] = pages;
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
}

// What the preview does before it opens: the pages into a temporary file.
void salesRegisterPreviewFile(benchmark::State &state)
{
    TForm13 report(dataModule());
    qint64 bytes = 0;
    for (auto _ : state) {
        QTemporaryFile file;
        file.open();
        RenderedReportWriter writer(file, report.documentName());
        report.layout(writer);
        bytes = file.size();
    }
    state.counters["MB"] = bytes / 1e6;
}

}

BENCHMARK(salesRegisterLayout)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(salesRegisterPreviewFile)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(salesRegisterPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
