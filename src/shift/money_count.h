#pragma once

#include <functional>

class QDialog;
class TDataModule2;

// The blind money count of a cashier who signs out: a new money record is
// filled in the count window; on Accept it is kept, the report is printed
// and the cashier's money-count totals start again from zero. On Cancel
// nothing is kept and the totals go on.
class MoneyCount {
public:
    MoneyCount(TDataModule2 &dm, QDialog &countWindow, std::function<void()> printReport);

    // Returns true when the count was accepted.
    bool run(int cashierId);

private:
    TDataModule2 &dm_;
    QDialog &countWindow_;
    std::function<void()> printReport_;
};
