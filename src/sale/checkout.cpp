#include "checkout.h"

#include "line_entry.h"
#include "payment_window.h"
#include "sale_window.h"
#include "transaction_totals.h"
#include "work_tables_change.h"

#include "common/app_settings.h"
#include "common/formats.h"
#include "common/language.h"
#include "devices/device_operations.h"
#include "posting/export_journal.h"
#include "posting/interrupted_sale.h"
#include "posting/sale_posting.h"
#include "receipts/receipt_printing.h"
#include "reports/invoice_report.h"
#include "reports/report_printing.h"
#include "reports/stock_receipt_report.h"
#include "store/data_module.h"
#include "store/sale_records.h"
#include "store/store_error.h"
#include "widgets/dialogs.h"

#include <QGroupBox>

Checkout::Checkout(CheckoutParts parts) : p_(std::move(parts)) {}

void Checkout::run()
{
    if (paymentToRetake_)
        retakePayment();
    p_.saleWindow.RemoveLinesNotToPost();
    if (p_.saleWindow.modes.receiving)
        receive();
    else
        sell();
}

bool Checkout::signedInCashierInTraining()
{
    // Leaves the cashier table on the signed-in cashier, as the receipts
    // read it there.
    Table &cashiers = p_.dm.cashiertb;
    return cashiers.findKey(p_.signedInCashierId()) && cashiers.field(QStringLiteral("Cashier_train")).asBoolean();
}

bool Checkout::pagesWanted() const
{
    return p_.dm.Control.field(QStringLiteral("Ctrl_invoice")).asBoolean() || p_.deviceNames.printer.isEmpty();
}

void Checkout::showOnDisplay(const QString &label, const QString &amountText)
{
    if (!p_.deviceNames.display.isEmpty())
        p_.devices.ShowOnLineDisplay(lineDisplayText(label, amountText, p_.deviceNames.displayColumns));
}

// ---- receiving ----------------------------------------------------------------------

void Checkout::receive()
{
    signedInCashierInTraining(); // a training cashier receives stock too
    try {
        if (pagesWanted())
            p_.stockReceiptPage.print();
        p_.receipts.print_receipt_stock();
        receiveStock(p_.dm);
    } catch (...) {
        continueAfterFailure();
        throw;
    }
    reset();
}

// ---- a sale -------------------------------------------------------------------------------

void Checkout::sell()
{
    const double grandTotal = p_.dm.tmpmaster.field(QStringLiteral("Trxh_grand_total")).asFloat();
    p_.paymentWindow.setAmountText(currencyText(grandTotal));
    showOnDisplay(QStringLiteral("Total"), currencyText(grandTotal));
    p_.paymentWindow.showNamedRowsOnly();
    if (dialogs().exec(p_.paymentWindow) != QDialog::Accepted) {
        continueTransaction();
        return;
    }
    completeSale();
}

void Checkout::completeSale()
{
    const QString changeText =
        currencyText(static_cast<double>(saleFiguresOf(p_.dm.tmpmaster, p_.dm.Control).changeShown()));
    p_.saleWindow.ShowChange(changeText);

    // The posting loops move through the work tables: keep that off screen.
    p_.dm.tmpmaster.disableControls();
    p_.dm.tmpdetail.disableControls();

    const bool training = signedInCashierInTraining();
    try {
        postUnlessTraining(training);
    } catch (const StoreError &e) {
        reopenSale();
        throw StoreError(e.message() + QLatin1Char('\n')
                         + chooseText(QStringLiteral("The sale is not posted and its payment is cancelled: "
                                                     "press Total <F2> to take the payment again."),
                                      QStringLiteral("La vente n'est pas enregistrée et son paiement est annulé : "
                                                     "appuyez sur Total <F2> pour reprendre le paiement.")));
    } catch (...) {
        reopenSale();
        throw;
    }
    // The customer sees the change once the sale is posted.
    showOnDisplay(QStringLiteral("Change"), changeText);

    // The sale is posted: whatever happens now, its work tables are emptied,
    // or a second Total would post it again.
    bool printed = false;
    try {
        const bool printAtCheckout = p_.settings.printAtCheckout();
        if (printAtCheckout && pagesWanted())
            printInvoice(training);
        const bool drawer = !p_.deviceNames.drawer.isEmpty();
        if (drawer)
            p_.devices.OpenCashDrawer();
        if (printAtCheckout)
            p_.receipts.print_receipt_sale();
        printed = true;
        printoutsDone(training); // before the wait for the drawer, which may be long
        if (drawer)
            p_.devices.WaitCashDrawerClosed();
    } catch (...) {
        if (!printed)
            printoutsDone(training);
        reset();
        throw;
    }
    reset();
}

void Checkout::printoutsDone(bool training)
{
    if (training)
        return; // never posted, never marked
    try {
        InterruptedSale::clear(p_.dm.database());
    } catch (const StoreError &) {
        // The next start offers the receipt once more; the sale is done.
    }
}

void Checkout::postUnlessTraining(bool training)
{
    if (training)
        return;
    try {
        postSale(p_.dm, p_.signedInCashierId());
    } catch (const JournalWriteError &e) {
        dialogs().message(&p_.saleWindow, e.message()); // the sale itself is posted
    }
}

void Checkout::printInvoice(bool training)
{
    // A training sale is never posted: its invoice shows the work header.
    p_.invoicePage.setHeaderSource(training ? TForm17::HeaderSource::WorkSale : TForm17::HeaderSource::PostedSale);
    p_.invoicePage.showNamedPaymentModesOnly();
    try {
        p_.invoicePage.print();
    } catch (const ReportOutputError &e) {
        dialogs().message(&p_.saleWindow, QString::fromStdString(e.what()));
    }
}

void Checkout::reopenSale()
{
    p_.saleWindow.ChangeBox->hide();
    paymentToRetake_ = true;
    try {
        retakePayment();
    } catch (const std::exception &) {
        // The store is in trouble: the next Total clears the payment first.
    }
    continueAfterFailure();
}

void Checkout::retakePayment()
{
    changeWorkTables(p_.dm.database(), [this] {
        RecomputeTotals(p_.dm, true);
        ClearTenders(p_.dm);
    });
    paymentToRetake_ = false;
}

// ---- the end of a checkout --------------------------------------------------------------

void Checkout::continueTransaction()
{
    p_.saleWindow.AppendEntryLine();
    p_.saleWindow.FocusUpcField();
}

void Checkout::continueAfterFailure()
{
    resumeViews();
    try {
        continueTransaction();
    } catch (const StoreError &) {
        // The first failure is the one reported; the store is in trouble anyway.
    }
}

void Checkout::resumeViews()
{
    p_.dm.tmpmaster.enableControls();
    p_.dm.tmpdetail.enableControls();
}

void Checkout::reset()
{
    // The same fresh start as Cancel <F3>: the work tables emptied, a new
    // work header, the focus in the UPC field.
    p_.saleWindow.CancelTransaction();
    resumeViews();
}
