#pragma once

#include <QString>

class TDataModule2;
class Table;

// Fills an empty data directory with a small shop: a manager (code 1), a
// cashier (code 2) and a training cashier (code 9), five departments,
// three dozen products with valid 12-digit UPC-A codes (one on promotion),
// two taxes, tender and coupon names, a foreign-currency rate and the
// company's name and address. A French shop has French texts throughout.
void fillDemoData(TDataModule2 &dm, bool french);

// The demo's terminal: receipts, drawer and display on, the export
// journal on, end-of-day reports, invoice counter 1000, terminal 1; on
// the control record in edit.
void setDemoTerminal(Table &control);

// Adds one cashier record to an open cashier table.
void addCashier(Table &cashiers, int id, const QString &name, bool manager, bool training);

// The UPC-A check digit of an 11-digit number.
int upcCheckDigit(long long elevenDigits);
