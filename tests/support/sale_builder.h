#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariantMap>

class Table;
class TDataModule2;

// A sale line as line entry leaves it, priced: code, description,
// quantity, unit price, total, discount percent and amount, average cost
// and the three tax flags.
struct SaleLine {
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

// The moment every work header started here is stamped with.
extern const QDate SaleDate;
extern const QTime SaleTime;

// A fresh work header for the cashier, every amount zero, then the
// amounts given ("Trxh_grand_total" -> 20.0).
void startWorkHeader(TDataModule2 &dm, int cashier, const QVariantMap &amounts = {});
// Sets amounts of the current work header.
void setWorkHeaderAmounts(TDataModule2 &dm, const QVariantMap &amounts);

// Appends the line to the work lines.
void addWorkLine(TDataModule2 &dm, const SaleLine &line);
// Appends the line to the posted lines of the sale with that number.
void addPostedLine(TDataModule2 &dm, double saleNumber, const SaleLine &line);
