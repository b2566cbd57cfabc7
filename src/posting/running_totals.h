#pragma once

class TDataModule2;

// The running totals a finished sale is added into, read from the work
// header (its current record) and the work lines. Each edits and posts the
// records it changes; none opens a transaction of its own (postSale and
// receiveStock in sale_posting.h run them inside one).

// Store totals in the record of fin: the day family and the period family.
void Update_financial(TDataModule2 &dm);

// The signed-in cashier's day and money-count totals. The cashier is found
// by key, whatever record the cashier table stands on; it is left current.
// A cashier missing from the table raises StoreError.
void Update_Cashier(TDataModule2 &dm, int signedInCashierId);

// Per work line: in a sale, the product's stock and sales and its
// department's sales; when receiving, the product's stock and average
// cost. Lines whose product, and products whose department, are missing
// are skipped silently.
void Update_Products(TDataModule2 &dm, bool receiving);
