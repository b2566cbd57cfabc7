// Building a sale receipt's lines, and printing it through the device layer
// to the simulated printer (a file append per line).
#include "common/app_settings.h"
#include "common/settings_store.h"
#include "devices/device_layer.h"
#include "devices/opos_devices.h"
#include "receipts/printout_lines.h"
#include "receipts/receipt_printing.h"
#include "receipts/sale_receipt.h"
#include "store/data_module.h"
#include "store/sale_record.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A data directory with one posted sale of `lines` work lines.
struct Shop {
    explicit Shop(int lines)
    {
        TDataModule2::createDatabase(dir.path());
        dm.connectTo(dir.path());
        for (Table *t : dm.tables())
            t->open();
        dm.Control.first();
        dm.Control.edit();
        dm.Control.field("Ctrl_company_name").setString("Bench Shop");
        dm.Control.field("Ctrl_tx1").setString("GST");
        dm.Control.field("Ctrl_pmt1").setString("Cash");
        dm.Control.field("Ctrl_slip").setBoolean(true);
        dm.Control.post();
        dm.cashiertb.append();
        dm.cashiertb.field("Cashier_id").setInteger(7);
        dm.cashiertb.post();
        dm.tmpmaster.append();
        dm.tmpmaster.field("Trxh_date").setDate(QDate(2026, 3, 9));
        dm.tmpmaster.post();
        for (int i = 0; i < lines; ++i) {
            dm.tmpdetail.append();
            dm.tmpdetail.field("Trx_upc").setFloat(60000000000.0 + i);
            dm.tmpdetail.field("Trx_short_desc").setString(QStringLiteral("Item %1").arg(i));
            dm.tmpdetail.field("Trx_qty").setFloat(1);
            dm.tmpdetail.field("Trx_total").setFloat(1.99);
            dm.tmpdetail.post();
        }
        dm.tranmaster.append();
        dm.tranmaster.field("Trxh_id").setFloat(1);
        dm.tranmaster.field("Trxh_total").setFloat(1.99 * lines);
        dm.tranmaster.field("Trxh_tx1").setFloat(0.1 * lines);
        dm.tranmaster.field("Trxh_pmt1").setFloat(2.1 * lines);
        dm.tranmaster.post();
        sale = readWorkSale(dm, 7, false);
        sale.header = currentRecord(dm.tranmaster);
    }
    QTemporaryDir dir;
    TDataModule2 dm;
    SaleRecord sale; // as checkout hands it to the receipt
};

void BM_SaleReceiptLines(benchmark::State &state)
{
    Shop shop(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(saleReceiptLines(ShopRecords{currentRecord(shop.dm.Control),
                                                              currentRecord(shop.dm.tmpmaster)},
                                                  shop.sale, false));
}
BENCHMARK(BM_SaleReceiptLines)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_PrintSaleReceiptToSimulatedPrinter(benchmark::State &state)
{
    Shop shop(int(state.range(0)));
    SettingsStore store(shop.dir.filePath("settings.ini"));
    const QString section = oposDeviceSection("POSPrinter", "ReceiptPrinter");
    store.write(section, "Service", "simulated");
    store.write(section, "Output", shop.dir.filePath("receipt-printer.txt"));
    AppSettings settings;
    OposDevices devices(store);
    DeviceLayer layer(shop.dm, settings, devices.Printer1, devices.CashDrawer1, devices.Linedisp1);
    const DeviceNames names{layer.StartPrinter("ReceiptPrinter"), {}, {}};
    ReceiptPrinting printing(shop.dm, layer, settings, names);
    for (auto _ : state)
        printing.print_receipt_sale(shop.sale);
}
BENCHMARK(BM_PrintSaleReceiptToSimulatedPrinter)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}
