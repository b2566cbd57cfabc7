#include "checkout.h"

#include "sale_window.h"

#include "common/app_settings.h"
#include "common/formats.h"
#include "common/language.h"
#include "devices/device_operations.h"
#include "posting/export_journal.h"
#include "posting/interrupted_sale.h"
#include "posting/sale_posting.h"
#include "reports/report_printing.h"
#include "sale_engine/line_entry.h"
#include "sale_engine/transaction_totals.h"
#include "sale_engine/work_tables_change.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "store/store_error.h"
#include "widgets/dialogs.h"

#include <QGroupBox>

Checkout::Checkout(TDataModule2 &dm, TForm1 &saleWindow, DeviceOperations &devices, const DeviceNames &deviceNames,
                   const AppSettings &settings, std::function<int()> signedInCashierId)
    : paymentWindow(dm, &saleWindow), receipts(dm, devices, settings, deviceNames), invoice(dm), stockReceipt(dm),
      dm_(dm), saleWindow_(saleWindow), devices_(devices), deviceNames_(deviceNames), settings_(settings),
      signedInCashierId_(std::move(signedInCashierId))
{
    saleWindow.hooks.checkout = [this] { run(); };
}

Checkout::~Checkout()
{
    saleWindow_.hooks.checkout = nullptr;
}

void Checkout::run()
{
    if (paymentToRetake_)
        retakePayment();
    saleWindow_.RemoveLinesNotToPost();
    if (saleWindow_.modes.receiving)
        receive();
    else
        sell();
}

bool Checkout::signedInCashierInTraining()
{
    Table &cashiers = dm_.cashiertb;
    return cashiers.findKey(signedInCashierId_()) && cashiers.field(QStringLiteral("Cashier_train")).asBoolean();
}

bool Checkout::pagesWanted() const
{
    return dm_.Control.field(QStringLiteral("Ctrl_invoice")).asBoolean() || deviceNames_.printer.isEmpty();
}

void Checkout::showOnDisplay(const QString &label, const QString &amountText)
{
    if (!deviceNames_.display.isEmpty())
        devices_.ShowOnLineDisplay(lineDisplayText(label, amountText, deviceNames_.displayColumns));
}

// ---- receiving ----------------------------------------------------------------------

void Checkout::receive()
{
    // A training cashier receives stock too.
    const SaleRecord received = readWorkSale(dm_, signedInCashierId_(), signedInCashierInTraining());
    try {
        if (pagesWanted()) {
            stockReceipt.setSale(received);
            stockReceipt.print();
        }
        receipts.print_receipt_stock(received);
        receiveStock(dm_, received);
    } catch (...) {
        continueAfterFailure();
        throw;
    }
    reset();
}

// ---- a sale -------------------------------------------------------------------------------

void Checkout::sell()
{
    const double grandTotal = dm_.tmpmaster.field(QStringLiteral("Trxh_grand_total")).asFloat();
    paymentWindow.setAmountText(currencyText(grandTotal));
    showOnDisplay(QStringLiteral("Total"), currencyText(grandTotal));
    paymentWindow.showNamedRowsOnly();
    if (dialogs().exec(paymentWindow) != QDialog::Accepted) {
        continueTransaction();
        return;
    }
    completeSale();
}

void Checkout::completeSale()
{
    SaleRecord sale = readWorkSale(dm_, signedInCashierId_(), signedInCashierInTraining());
    const QString changeText = currencyText(static_cast<double>(sale.figures.changeShown()));
    saleWindow_.ShowChange(changeText);

    try {
        postUnlessTraining(sale);
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
        const bool printAtCheckout = settings_.printAtCheckout();
        if (printAtCheckout && pagesWanted())
            printInvoice(sale);
        const bool drawer = !deviceNames_.drawer.isEmpty();
        if (drawer)
            devices_.OpenCashDrawer();
        if (printAtCheckout)
            receipts.print_receipt_sale(sale);
        printed = true;
        printoutsDone(sale.training); // before the wait for the drawer, which may be long
        if (drawer)
            devices_.WaitCashDrawerClosed();
    } catch (...) {
        if (!printed)
            printoutsDone(sale.training);
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
        InterruptedSale::clear(dm_.database());
    } catch (const StoreError &) {
        // The next start offers the receipt once more; the sale is done.
    }
}

void Checkout::postUnlessTraining(SaleRecord &sale)
{
    if (sale.training)
        return;
    try {
        postSale(dm_, sale);
    } catch (const JournalWriteError &e) {
        dialogs().message(&saleWindow_, e.message()); // the sale itself is posted
    }
}

void Checkout::printInvoice(const SaleRecord &sale)
{
    invoice.setSale(sale);
    invoice.showNamedPaymentModesOnly();
    try {
        invoice.print();
    } catch (const ReportOutputError &e) {
        dialogs().message(&saleWindow_, QString::fromStdString(e.what()));
    }
}

void Checkout::reopenSale()
{
    saleWindow_.ChangeBox->hide();
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
    changeWorkTables(dm_.database(), [this] {
        RecomputeTotals(dm_, true);
        ClearTenders(dm_);
    });
    paymentToRetake_ = false;
}

// ---- the end of a checkout --------------------------------------------------------------

void Checkout::continueTransaction()
{
    saleWindow_.AppendEntryLine();
    saleWindow_.FocusUpcField();
}

void Checkout::continueAfterFailure()
{
    try {
        continueTransaction();
    } catch (const StoreError &) {
        // The first failure is the one reported; the store is in trouble anyway.
    }
}

void Checkout::reset()
{
    // The same fresh start as Cancel <F3>: the work tables emptied, a new
    // work header, the focus in the UPC field.
    saleWindow_.CancelTransaction();
}
