#pragma once

class TDataModule2;
struct SaleRecord;

// What checkout calls once a sale is paid (not for a training cashier):
// the store, cashier and product totals, then the sales register and the
// invoice counter, all in one database transaction, so that a failure or
// a crash leaves either the whole sale posted or nothing of it. A sale
// whose header does not agree with its lines is refused.
// The sale's export journal records are queued in the same transaction
// and appended after the commit, with any queued before (journal_queue.h);
// on a lane of a store server the sale is queued for the server in the
// same transaction (lanes/outbox.h);
// when that fails JournalWriteError is thrown, the sale stays posted and
// its records stay queued. The transaction also marks the sale as not
// printed yet; the caller takes the mark off once its printouts are done
// (interrupted_sale.h). Any other failure raises StoreError with
// nothing posted and the sale left as it was. Once committed, the sale
// holds its number and its lines' sequence numbers (transfer_sale.h).
// Call it outside any store transaction, so that its commit is the one
// that reaches the disk. Returns the transaction number.
double postSale(TDataModule2 &dm, SaleRecord &sale);

// What checkout calls in receiving mode, also for a training cashier: the
// received quantities and average costs, in one database transaction,
// with the stock receipt queued for the store server on a lane.
void receiveStock(TDataModule2 &dm, const SaleRecord &received);
