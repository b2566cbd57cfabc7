#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class Table;
class TDataModule2;
class TestDatabase;

// A work line as line entry leaves it, priced.
struct WorkLine {
    double upc = 0;
    QString desc;
    double qty = 1;
    double price = 0;
    double total = 0;
    double dscPer = 0;
    double dscAmt = 0;
    double cost = 0;
    bool tx1 = false, tx2 = false, tx3 = false;
};

// The moment every work header of these tests is stamped with.
extern const QDate SaleDate;
extern const QTime SaleTime;

// A fresh work header for the cashier, every amount zero, then the
// amounts given ("Trxh_grand_total" -> 20.0).
void startWorkHeader(TDataModule2 &dm, int cashier, const QVariantMap &amounts = {});
// Sets amounts of the current work header.
void setWorkHeaderAmounts(TDataModule2 &dm, const QVariantMap &amounts);
void addWorkLine(TDataModule2 &dm, const WorkLine &line);

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
