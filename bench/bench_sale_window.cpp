// Ringing one line in the real sale window, offscreen: the code typed,
// Enter, Enter through quantity, discount and unit price (pricing, the
// customer display, the totals, the next entry line) and the grid's
// refresh, with 100 lines already in the sale and 100,000 products.
#include "bench_catalogue.h"

#include "common/app_settings.h"
#include "common/clock.h"
#include "devices/device_operations.h"
#include "sale/checkout.h"
#include "sale/sale_window.h"
#include "store/data_module.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int Products = 100000;
constexpr int LinesBefore = 100;

class NoDevices : public DeviceOperations {
public:
    QString StartPrinter(const QString &name) override { return name; }
    QString StartCashDrawer(const QString &name) override { return name; }
    QString StartLineDisplay(const QString &name) override { return name; }
    void StopPrinter() override {}
    void StopCashDrawer() override {}
    void StopLineDisplay() override {}
    bool PrintLine(const QString &) override { return true; }
    void EndPrintout() override {}
    void OpenCashDrawer() override {}
    void WaitCashDrawerClosed() override {}
    void ShowOnLineDisplay(const QString &text) override { benchmark::DoNotOptimize(text); }
};

void ringLine(TForm1 &window, int product)
{
    QTest::keyClicks(window.focusWidget(), QString::number(catalogueUpc(product), 'f', 0));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid follows once per turn of the loop
}

void BM_RingOneLine(benchmark::State &state)
{
    TDataModule2 dm;
    dm.connectTo(preparedCatalogue(QStringLiteral("/tmp/tillano-bench-sale-window"), Products));
    dm.openTablesForStartUp();
    dm.cashiertb.findKey(1);
    AppSettings settings;
    DeviceNames names{QString(), QString(), QStringLiteral("LineDisplay")};
    NoDevices devices;
    TForm1 window(dm, settings, devices, names);
    const Checkout checkout(dm, window, devices, names, settings, [] { return 1; });
    window.show();
    QCoreApplication::processEvents();
    window.StartWorkHeader();
    window.FocusUpcField();
    for (int i = 0; i < LinesBefore; ++i)
        ringLine(window, (i * 997) % Products);

    int next = 0;
    for (auto _ : state)
        ringLine(window, (next++ * 7919) % Products);
    state.counters["lines in the sale"] = dm.tmpdetail.recordCount() - 1;
}

}

// 100 lines rung per repetition (the sale grows from 100 to 200 lines).
BENCHMARK(BM_RingOneLine)->Iterations(100)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
