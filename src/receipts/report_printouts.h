#pragma once

#include <QList>
#include <QStringList>

class Record;
struct ShopRecords;

// The receipt-printer versions of the four reports and of the blind money
// count, from the records they list.

// One block per cashier, in the order given.
QStringList cashierReportLines(const ShopRecords &shop, const QList<Record> &cashiers, bool columns30);
// The store-wide totals of the financial record.
QStringList financialReportLines(const ShopRecords &shop, const Record &fin, bool columns30);
// One line per product: description, quantity sold, sales; then the total.
QStringList productReportLines(const ShopRecords &shop, const QList<Record> &products, bool columns30);
// One line per department; then the total.
QStringList departmentReportLines(const ShopRecords &shop, const QList<Record> &departments, bool columns30);
// The counted amounts of a money record beside a cashier's money-count
// totals.
QStringList moneyCountLines(const ShopRecords &shop, const Record &money, const Record &cashier, bool columns30);
