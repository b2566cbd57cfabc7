#pragma once

#include "payment_window.h"

#include "receipts/receipt_printing.h"
#include "reports/invoice_report.h"
#include "reports/stock_receipt_report.h"

#include <functional>

class TForm1;

// Total <F2>: ends the transaction in progress (the sale window has
// checked that there is one). A sale is paid in the payment window, read
// from the work tables once (sale_record.h), its change shown, posted
// (unless the cashier is in training), its invoice and receipt printed as
// configured and the drawer opened and waited for; a receiving prints the
// stock receipt and adds the goods to stock. Both end with empty work
// tables and a new work header.
//
// A cancelled payment leaves the transaction going on with a new entry
// line and the amounts typed. So does a posting the store refuses, but
// its payment is cancelled, so that the next Total takes it afresh and
// nothing tendered counts twice, and its totals are worked out again from
// its lines; the store's error, saying so, then reaches the application's
// error handler. The customer display shows the change only once the sale
// is posted. Once a sale is posted the checkout always runs to the end, so
// the sale cannot be posted twice: a journal or invoice that cannot be
// written is reported and passed over.
// Checkout owns the payment window, the receipt printing and the invoice
// and stock receipt pages, and answers the sale window's Total: the
// program, the tests and the benchmarks assemble it this one way.
class Checkout {
public:
    Checkout(TDataModule2 &dm, TForm1 &saleWindow, DeviceOperations &devices, const DeviceNames &deviceNames,
             const AppSettings &settings, std::function<int()> signedInCashierId);
    ~Checkout();

    void run();
    // The invoice page of a sale, straight to the page printer. An invoice
    // that cannot be written is reported, not thrown. Re-print uses it too.
    void printInvoice(const SaleRecord &sale);

    // The invoice page is printed at checkout: the store prints invoices,
    // or has no receipt printer.
    bool pagesWanted() const;

    TForm8 paymentWindow;
    ReceiptPrinting receipts;
    TForm17 invoice;
    TForm26 stockReceipt;

private:
    bool signedInCashierInTraining();
    void receive();
    void sell();
    // The steps after the payment window closed with OK.
    void completeSale();
    void postUnlessTraining(SaleRecord &sale);
    // The posted sale's printouts are done (or given up): the next start
    // has nothing to finish for it.
    void printoutsDone(bool training);
    // The transaction goes on: void-item mode off, a new entry line, focus
    // in the UPC field.
    void continueTransaction();
    // The same after a failure; a second failure on the way is not
    // reported over the first.
    void continueAfterFailure();
    // A refused posting: the change box hidden, the payment cancelled, the
    // totals recomputed, the transaction going on.
    void reopenSale();
    // Clears the tenders and recomputes the totals of the work header.
    void retakePayment();
    // Empty work tables, a new work header, the focus in the UPC field.
    void reset();
    void showOnDisplay(const QString &label, const QString &amountText);

    TDataModule2 &dm_;
    TForm1 &saleWindow_;
    DeviceOperations &devices_;
    const DeviceNames &deviceNames_;
    const AppSettings &settings_;
    // The code of the cashier signed in now.
    std::function<int()> signedInCashierId_;
    // A refused posting's payment that could not be cleared yet.
    bool paymentToRetake_ = false;
};
