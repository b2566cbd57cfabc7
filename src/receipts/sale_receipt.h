#pragma once

#include <QStringList>

struct SaleRecord;
struct ShopRecords;

// The lines of the customer's receipt of a finished sale: its items, its
// figures, change, cashier and transaction number as posted or, for a
// sale rung in training, as rung.
QStringList saleReceiptLines(const ShopRecords &shop, const SaleRecord &sale, bool columns30);

// The lines of a stock receiving: "STOCK RECEIPT", the received items and
// their total.
QStringList stockReceiptLines(const ShopRecords &shop, const SaleRecord &received, bool columns30);
