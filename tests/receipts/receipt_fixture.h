#pragma once

#include "recording_devices.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "devices/device_operations.h"
#include "receipts/receipt_printing.h"

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
    // Sends one printout to the recording devices and returns its calls.
    QStringList print(void (ReceiptPrinting::*printout)());

    TestDatabase db;
    AppSettings settings;
    DeviceNames names{QStringLiteral("ReceiptPrinter"), QString(), QString()};
    RecordingDevices devices;
    ReceiptPrinting printing{db.dm(), devices, settings, names};
};
