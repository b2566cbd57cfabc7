#pragma once

#include "sale_builder.h"

#include "posting/transfer_sale.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class Table;
class TDataModule2;
class TestDatabase;

// The transaction standing in the work tables, read once and handed on
// as checkout does; the cashier is not in training.
double postSale(TDataModule2 &dm, int signedInCashierId);
void receiveStock(TDataModule2 &dm);
void Update_Products(TDataModule2 &dm, bool receiving);
TransferredSale Transfer_sale(TDataModule2 &dm);

// A sale touching every kind of record: two products in two departments,
// one product without a department record, three lines, payments, a
// coupon and foreign currency, the export on. Cashier 7 is signed in.
void prepareMixedSale(TestDatabase &db);

// Every record of every table as the database file holds it, read through
// a connection of its own.
QStringList tableSnapshot(const QString &dataDirectory);

// The current record's fields by name.
QVariantMap recordValues(Table &table);

// Runs with the current directory switched, and switches back.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString &path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentDirectory() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};
