// Page reports over large tables: the sales register of 10,000 sales of 5
// lines and of one year (100,000 sales, 500,000 lines, filtered on the
// year as the Print Sales Register window does), and the product sales
// report of 100,000 products with sales (filtered as the Reports menu
// does). For each: the time until the preview shows page 1, the whole
// preview file, and the PDF written page by page. Run one benchmark per
// process (--benchmark_filter) for its peak memory ("peakMB", the
// process's maximum resident size). The data directories are built once.
#include "reports/product_sales_report.h"
#include "reports/rendered_report.h"
#include "reports/report_preview_window.h"
#include "reports/report_printing.h"
#include "reports/sales_register_report.h"
#include "store/data_module.h"
#include "store/filter_scope.h"
#include "store/sqlite_statement.h"

#include "held_data_directory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>
#include <map>
#include <optional>
#include <sys/resource.h>

namespace {

const QString TenThousandSales = QStringLiteral("/tmp/tillano-bench-reports");
const QString OneYear = QStringLiteral("/tmp/tillano-bench-i10-year");
const QString Catalogue = QStringLiteral("/tmp/tillano-bench-i10-products");
const QDate YearStart(2025, 1, 1);

void insertSales(Database &db, int sales, int daysSpread)
{
    constexpr int LinesPerSale = 5;
    StoreTransaction t(db);
    SqliteStatement header(db.handle(),
                           QStringLiteral("INSERT INTO tranmaster (Trxh_id, Trxh_date, Trxh_time, Trxh_cashier, Trxh_total, "
                                          "Trxh_tx1, Trxh_tx2, Trxh_tx3, Trxh_pmt1, Trxh_pmt2, Trxh_pmt3, Trxh_pmt4, "
                                          "Trxh_pmt5, Trxh_fc1, Trxh_cpn1, Trxh_cpn2, Trxh_cpn3, Trxh_grand_total, "
                                          "Trxh_change, Trxh_terminal_id) VALUES (?, ?, '12:34:56', 7, ?, ?, "
                                          "0, 0, ?, 0, 0, 0, 0, 0, 0, 0, 0, ?, 0, 3)"));
    SqliteStatement line(db.handle(),
                         QStringLiteral("INSERT INTO trandetail (Trx_id, Trx_upc, Trx_short_desc, Trx_desc, Trx_qty, "
                                        "Trx_price, Trx_dscamt, Trx_total) VALUES (?, ?, 'Product', ?, ?, ?, 0, ?)"));
    for (int s = 0; s < sales; ++s) {
        const double id = 1000 + s;
        double subtotal = 0;
        for (int l = 0; l < LinesPerSale; ++l) {
            const double price = 1.25 + l;
            subtotal += 2 * price;
            line.run({id, 100000000000.0 + l * 7 + s, QStringLiteral("Product number %1, long description").arg(l), 2.0,
                      price, 2 * price});
        }
        const double tax = subtotal * 0.05;
        const QDate day = YearStart.addDays(qint64(s) * daysSpread / sales);
        header.run({id, day.toString(Qt::ISODate), subtotal, tax, subtotal + tax, subtotal + tax});
    }
    t.commit();
}

void insertProducts(Database &db, int products)
{
    StoreTransaction t(db);
    SqliteStatement product(db.handle(),
                            QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, "
                                           "Product_qty_sales, Product_sales, Product_qty_sales_pdt, Product_sales_ptd) "
                                           "VALUES (?, ?, 'Product', ?, ?, ?, ?)"));
    for (int p = 0; p < products; ++p) {
        const double quantity = 1 + p % 17;
        const double sales = quantity * (0.99 + p % 50);
        product.run({62813000000.0 + p, QStringLiteral("Catalogue item %1, assorted").arg(p), quantity, sales,
                     quantity * 4, sales * 4});
    }
    t.commit();
}

// The data modules opened, kept for the whole run. They are closed as the
// application ends: left to the program's static objects, a connection
// would be closed after Qt's list of SQL connections is gone (a crash at
// exit).
std::map<QString, std::unique_ptr<TDataModule2>> &openModules()
{
    static std::map<QString, std::unique_ptr<TDataModule2>> open;
    static const bool closedAtTheEnd = [] {
        qAddPostRoutine([] { openModules().clear(); });
        return true;
    }();
    Q_UNUSED(closedAtTheEnd);
    return open;
}

TDataModule2 &dataModule(const QString &directory)
{
    std::unique_ptr<TDataModule2> &dm = openModules()[directory];
    if (!dm) {
        QDir().mkpath(directory);
        holdDataDirectory(directory);
        if (!QFileInfo::exists(directory + QStringLiteral("/posdb.sqlite3"))) {
            TDataModule2::createDatabase(directory);
            Database db;
            db.open(directory);
            if (directory == Catalogue)
                insertProducts(db, 100000);
            else if (directory == OneYear)
                insertSales(db, 100000, 365);
            else
                insertSales(db, 10000, 1);
        }
        dm = std::make_unique<TDataModule2>();
        dm->connectTo(directory);
        for (Table *t : dm->tables())
            t->open();
    }
    return *dm;
}

// A report as the menu runs it: the sales register over the year, the
// products with sales of the day.
struct MenuRun {
    explicit MenuRun(const QString &directory) : dm(dataModule(directory))
    {
        if (directory == Catalogue) {
            report = std::make_unique<TForm6>(dm);
            filter.emplace(dm.producttb);
        } else {
            report = std::make_unique<TForm13>(dm);
            if (directory == OneYear) {
                dm.setSalesRegisterRange(YearStart, YearStart.addDays(364));
                filter.emplace(dm.tranmaster);
            }
        }
    }
    TDataModule2 &dm;
    std::unique_ptr<PageReport> report;
    std::optional<FilterScope> filter;
};

void countPeakMemory(benchmark::State &state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakMB"] = usage.ru_maxrss / 1024.0;
}

class CountingSink : public PageSink {
public:
    void addPage(const LaidOutPage &page) override { items += page.items.size(); ++pages; }
    qint64 items = 0;
    int pages = 0;
};

void layoutOnly(benchmark::State &state, const QString &directory)
{
    MenuRun run(directory);
    CountingSink sink;
    for (auto _ : state) {
        sink = CountingSink();
        run.report->layout(sink);
    }
    state.counters["pages"] = sink.pages;
    state.counters["items"] = double(sink.items);
    countPeakMemory(state);
}

// From the click to page 1 on the screen: the preview opens, lays out and
// paints the first page; then the run is stopped.
void firstPageShown(benchmark::State &state, const QString &directory)
{
    MenuRun run(directory);
    for (auto _ : state) {
        ReportPreviewWindow window;
        QObject::connect(&window, &ReportPreviewWindow::pageLaidOut, &window, [&window](int pages) {
            if (pages == 1) {
                window.repaint();
                window.stopLayout();
            }
        });
        window.startLayout(*run.report);
        window.show();
        while (window.report()->pageCount() == 0 || window.layingOut())
            QApplication::processEvents();
    }
    countPeakMemory(state);
}

// The whole report into the preview's file, as the preview lays it out.
void previewFile(benchmark::State &state, const QString &directory)
{
    MenuRun run(directory);
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QTemporaryFile file;
        file.open();
        RenderedReportWriter writer(file, run.report->documentName());
        pages = run.report->layout(writer);
        bytes = file.size();
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = bytes / 1e6;
    countPeakMemory(state);
}

void pdfWritten(benchmark::State &state, const QString &directory)
{
    MenuRun run(directory);
    const QString path = QStringLiteral("/tmp/tillano-bench-i10-report.pdf");
    int pages = 0;
    for (auto _ : state)
        writePdf(path, run.report->documentName(), [&](PageSink &sink) { pages = run.report->layout(sink); });
    state.counters["pages"] = pages;
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
    countPeakMemory(state);
}

}

BENCHMARK_CAPTURE(layoutOnly, salesRegister10k, TenThousandSales)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(firstPageShown, salesRegister10k, TenThousandSales)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(previewFile, salesRegister10k, TenThousandSales)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(pdfWritten, salesRegister10k, TenThousandSales)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(firstPageShown, salesRegisterYear, OneYear)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(previewFile, salesRegisterYear, OneYear)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(pdfWritten, salesRegisterYear, OneYear)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(firstPageShown, productSales100k, Catalogue)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(previewFile, productSales100k, Catalogue)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(pdfWritten, productSales100k, Catalogue)->Unit(benchmark::kMillisecond)->Iterations(1);
