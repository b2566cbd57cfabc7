#pragma once

#include <QStringList>

struct AppSettings;
struct DeviceNames;
struct SaleRecord;
struct ShopRecords;
class DeviceOperations;
class TDataModule2;

// The seven receipt-printer printouts. Each builds its lines first (the
// *Lines functions beside each printout), then sends them one by one with
// PrintLine and closes with one EndPrintout, unless the cashier stopped it
// at a line the printer refused. The layout ("Columns30") and the language
// are taken at print time, and so are the shop's records each printout
// reads.
class ReceiptPrinting {
public:
    ReceiptPrinting(TDataModule2 &dm, DeviceOperations &devices, const AppSettings &settings, const DeviceNames &names);

    // The sale and stock receipts print nothing when there is no printer.
    void print_receipt_sale(const SaleRecord &sale);
    void print_receipt_stock(const SaleRecord &received);
    // The others are reached only through callers that test the printer.
    // The count kept in the money table, beside the money-count totals of
    // the cashier who counted.
    void PrintMoneyCount(int cashierId);
    void PrintCashierReport();
    void PrintFinancialReport();
    void PrintProductReport();
    void PrintDepartmentReport();

private:
    bool columns30() const;
    ShopRecords shop() const;
    void send(const QStringList &lines, const QString &stopNote = QString());

    TDataModule2 &dm_;
    DeviceOperations &devices_;
    const AppSettings &settings_;
    const DeviceNames &names_;
};
