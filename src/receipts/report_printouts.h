#pragma once

#include <QStringList>

class TDataModule2;

// The receipt-printer versions of the four reports. Each reads the tables
// as they present themselves (a record filter switched on by the caller
// counts).

// One block per cashier in cashier id order; afterwards the signed-in
// cashier is the current cashier record again.
QStringList cashierReportLines(TDataModule2 &dm, bool columns30);
// The store-wide totals of the financial record.
QStringList financialReportLines(TDataModule2 &dm, bool columns30);
// One line per product: description, quantity sold, sales; then the total.
// Leaves the product table after its last record.
QStringList productReportLines(TDataModule2 &dm, bool columns30);
// One line per department; then the total. Leaves the table after its last
// record.
QStringList departmentReportLines(TDataModule2 &dm, bool columns30);
