#pragma once

#include <QHash>
#include <QList>

class Record;
class TDataModule2;
struct SaleFigures;

// The running totals a finished sale is added into. Each edits and posts
// the records it changes; none opens a transaction of its own (postSale
// and receiveStock in sale_posting.h run them inside one).

// Store totals in the record of fin: the day family and the period family.
void Update_financial(TDataModule2 &dm, const SaleFigures &sale);

// The day and money-count totals of the cashier with that code, found by
// key. A cashier missing from the table raises StoreError.
void Update_Cashier(TDataModule2 &dm, const SaleFigures &sale, int cashierId);

// Per sale line: in a sale, the product's stock and sales and its
// department's sales; when receiving, the product's stock and average
// cost. Lines whose product, and products whose department, are missing
// are skipped silently.
// Returns the account number of every product it found, by UPC: the
// journal needs it for each line, and need not look the products up again.
using ProductAccounts = QHash<double, int>;
ProductAccounts Update_Products(TDataModule2 &dm, const QList<Record> &lines, bool receiving);
