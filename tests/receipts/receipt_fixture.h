#pragma once

#include "recording_devices.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "devices/device_operations.h"
#include "receipts/printout_lines.h"
#include "receipts/receipt_printing.h"
#include "store/sale_record.h"

#include <memory>

// A shop with one sale rung and posted, as the printouts find it:
// control record, cashiers 7 (Ann, signed in) and 9 (Tom, training),
// three work lines, the work header and the posted header of the sale.
class ReceiptFixture {
public:
    ReceiptFixture();

    TDataModule2 &dm() { return db.dm(); }
    void signIn(int cashierId);
    void setHeader(Table &table, const QString &field, const QVariant &value);
    // The shop's records and the sale as checkout hands them to the
    // printouts: the posted header (the work header for a cashier in
    // training) with the work lines, rung by the cashier current now.
    ShopRecords shop();
    SaleRecord sale();
    // Sends one printout to the recording devices and returns its calls:
    // the sale or stock receipt of sale(), the money count of the cashier
    // current now.
    QStringList print(void (ReceiptPrinting::*printout)());
    QStringList print(void (ReceiptPrinting::*printout)(const SaleRecord &));
    QStringList print(void (ReceiptPrinting::*printout)(int));

    TestDatabase db;
    AppSettings settings;
    DeviceNames names{QStringLiteral("ReceiptPrinter"), QString(), QString()};
    RecordingDevices devices;
    ReceiptPrinting printing{db.dm(), devices, settings, names};
};
