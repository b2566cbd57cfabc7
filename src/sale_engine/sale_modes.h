#pragma once

// The three modes of the sale in progress, kept in memory only.
struct SaleModes {
    bool voidItem = false;   // the next line rung is taken back
    bool returnMode = false; // every line of the transaction is taken back
    bool receiving = false;  // the transaction receives stock
};
