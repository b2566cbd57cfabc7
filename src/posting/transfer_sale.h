#pragma once

#include "running_totals.h"

#include <QStringList>

class TDataModule2;
struct SaleRecord;

struct TransferredSale {
    double transactionNumber = 0;
    // The export journal records of the sale, header first; empty when
    // the control record's export flag is off. Queuing them is the
    // caller's, in the same transaction (JournalQueue).
    QStringList journalRecords;
};

// Posts the sale to the sales register under the next free transaction
// number: the header with its change figure and the terminal number, then
// every line in order; advances the invoice counter. The sale then holds
// what the register holds: its number, and its lines' sequence numbers.
// The journal takes a line's account from the accounts known, or else
// from its product.
TransferredSale Transfer_sale(TDataModule2 &dm, SaleRecord &sale, const ProductAccounts &known = {});
