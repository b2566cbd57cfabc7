#pragma once

#include <functional>

class CashierShift;
class QWidget;
class TDataModule2;
struct SaleRecord;

struct RePrintParts {
    TDataModule2 &dm;
    CashierShift &shift;
    QWidget *messageParent;
    // The invoice page of a sale, straight to the page printer.
    std::function<void(const SaleRecord &)> printInvoice;
    // The sale receipt on the receipt printer (nothing without one).
    std::function<void(const SaleRecord &)> printReceipt;
    // Both work tables emptied and a new work header, as after a checkout.
    std::function<void()> startNewTransaction;
};

// Re-Print <F11>, once the sale window has checked that no transaction is
// in progress: the sale with the highest number in the sales register is
// printed again (its invoice page when the store prints invoices, and its
// receipt). Nothing is posted and no total changes; the work tables start
// afresh afterwards, whatever happens on the way, as after a checkout.
class RePrint {
public:
    explicit RePrint(RePrintParts parts) : p_(std::move(parts)) {}

    void BitBtn6Click();
    // The same for the sale with `transactionNumber`, its invoice page
    // printed when `invoice` says so; false when the register has no such
    // sale.
    bool printSale(double transactionNumber, bool invoice);

private:
    // Prints the sale on which the sales register stands.
    void printCurrentSale(bool invoice);

    RePrintParts p_;
};
