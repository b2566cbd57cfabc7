#pragma once

#include <functional>

// The points a posting passes, in order, and those of the resets of the
// running totals and of the purge. A handler installed by a test runs at
// each of them and may throw or end the process there, to prove that an
// interruption leaves the tables whole.
enum class PostingCheckpoint {
    StoreTotalsPosted,   // fin record posted
    CashierTotalsPosted, // signed-in cashier's record posted
    ProductPosted,       // one product (and its department) posted
    ProductTotalsPosted, // every work line applied to stock and sales
    HeaderPosted,        // sales register header posted
    CounterPosted,       // invoice counter advanced
    LinePosted,          // one sales register line posted
    SaleTransferred,     // everything written, not yet committed
    Committed,           // the database transaction is committed
    JournalWritten,      // the journal holds a queued sale, still queued

    // Zeroing day or period totals, and the purge; each ends with Committed.
    StoreTotalsZeroed,      // fin record
    CashierTotalsZeroed,    // every cashier (day totals only)
    ProductTotalsZeroed,    // every product
    DepartmentTotalsZeroed, // every department
    RegisterLinesPurged,    // the purged headers' lines deleted, not the headers yet
};

namespace PostingCheckpoints {
void setHandler(std::function<void(PostingCheckpoint)> handler);
void clearHandler();
void reach(PostingCheckpoint point);
}
