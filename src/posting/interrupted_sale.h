#pragma once

class Database;

// A sale is posted in one transaction and printed after it. Should the
// program stop in between (killed, a power cut), the sale stands in the
// sales register and the totals but no receipt came out, and the cashier,
// seeing nothing, might ring it again. So the posting marks its sale in
// the same transaction, the checkout takes the mark off once its
// printouts are done, and the next start names a sale still marked and
// offers its receipt.
namespace InterruptedSale {

// Marks the sale being posted; inside the posting's transaction.
void mark(Database &db, double transactionNumber);

// The checkout's printouts are done. Not waited for on the disk: a power
// cut right after it makes the next start offer a printed sale once more.
void clear(Database &db);

// The sale still marked; 0 when there is none.
double marked(Database &db);

}
