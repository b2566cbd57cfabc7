#pragma once

#include <QString>
#include <functional>

class DeviceOperations;
class ReceiptPrinting;
class TDataModule2;
class TForm1;
class TForm8;
class TForm17;
class TForm26;
struct AppSettings;
struct DeviceNames;

// What checkout works with; the shell owns every part of it.
struct CheckoutParts {
    TDataModule2 &dm;
    TForm1 &saleWindow;
    TForm8 &paymentWindow;
    DeviceOperations &devices;
    const DeviceNames &deviceNames;
    const AppSettings &settings;
    ReceiptPrinting &receipts;
    TForm17 &invoicePage;
    TForm26 &stockReceiptPage;
    // The code of the cashier signed in now.
    std::function<int()> signedInCashierId;
};

// Total <F2>: ends the transaction in progress (the sale window has
// checked that there is one). A sale is paid in the payment window, its
// change shown, posted (unless the cashier is in training), its invoice and
// receipt printed as configured and the drawer opened and waited for; a
// receiving prints the stock receipt and adds the goods to stock. Both end
// with empty work tables and a new work header.
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
class Checkout {
public:
    explicit Checkout(CheckoutParts parts);

    void run();
    // The invoice page, straight to the page printer, of the posted sale
    // on which the sales register stands (or of a training sale in the
    // work header), with the lines of the work lines. An invoice that
    // cannot be written is reported, not thrown. Re-print uses it too.
    void printInvoice(bool training);
    // The invoice page is printed at checkout: the store prints invoices,
    // or has no receipt printer.
    bool pagesWanted() const;

private:
    bool signedInCashierInTraining();
    void receive();
    void sell();
    // The steps after the payment window closed with OK.
    void completeSale();
    void postUnlessTraining(bool training);
    // The posted sale's printouts are done (or given up): the next start
    // has nothing to finish for it.
    void printoutsDone(bool training);
    // The transaction goes on: void-item mode off, a new entry line, focus
    // in the UPC field.
    void continueTransaction();
    // The same after a failure, with the views resumed; a second failure
    // on the way is not reported over the first.
    void continueAfterFailure();
    // A refused posting: the change box hidden, the payment cancelled, the
    // totals recomputed, the transaction going on.
    void reopenSale();
    // Clears the tenders and recomputes the totals of the work header.
    void retakePayment();
    void resumeViews();
    // Empty work tables, a new work header, the focus in the UPC field.
    void reset();
    void showOnDisplay(const QString &label, const QString &amountText);

    CheckoutParts p_;
    // A refused posting's payment that could not be cleared yet.
    bool paymentToRetake_ = false;
};
