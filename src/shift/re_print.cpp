#include "re_print.h"

#include "cashier_shift.h"

#include "common/language.h"
#include "store/data_module.h"
#include "widgets/dialogs.h"

namespace {

// What a posted line gives the work line; the work line's number is its own.
const char *const LineFields[] = {"Trx_upc",  "Trx_short_desc", "Trx_desc", "Trx_qty", "Trx_price",
                                  "Trx_dscamt", "Trx_total",    "Trx_promo", "Trx_cpn", "Trx_dsc",
                                  "Trx_dsc_per", "Trx_cost",    "Trx_tx1",  "Trx_tx2", "Trx_tx3"};

}

void RePrint::BitBtn6Click()
{
    Table &salesRegister = p_.dm.tranmaster;
    salesRegister.last();
    if (!salesRegister.hasCurrent()) {
        dialogs().message(p_.messageParent, chooseText(QStringLiteral("There is no sale to re-print"),
                                                       QStringLiteral("Aucune vente à réimprimer")));
        return;
    }
    Table &control = p_.dm.Control;
    control.first();
    printCurrentSale(control.field(QStringLiteral("Ctrl_invoice")).asBoolean());
}

bool RePrint::printSale(double transactionNumber, bool invoice)
{
    if (!p_.dm.tranmaster.findKey(transactionNumber))
        return false;
    printCurrentSale(invoice);
    return true;
}

void RePrint::printCurrentSale(bool invoice)
{
    Table &work = p_.dm.tmpdetail;
    work.cancel(); // the blank entry line
    work.close();
    work.emptyTable();
    work.open();
    work.disableControls(); // the old sale does not show in the sale window
    const auto giveBackWorkLines = [&] {
        work.enableControls();
        p_.startNewTransaction();
    };
    try {
        copyPostedLines();
        if (invoice)
            p_.printInvoice();
        p_.shift.findSignedInCashier(); // the receipt reads the signed-in cashier's training flag
        p_.printReceipt();
    } catch (...) {
        giveBackWorkLines();
        throw;
    }
    giveBackWorkLines();
}

void RePrint::copyPostedLines()
{
    // The posted lines follow their header: these are the sale's to print.
    Table &posted = p_.dm.trandetail;
    Table &work = p_.dm.tmpdetail;
    for (posted.first(); !posted.eof(); posted.next()) {
        work.insert();
        for (const char *name : LineFields) {
            const QString field = QLatin1String(name);
            work.field(field).setValue(posted.field(field).value());
        }
        work.post();
    }
}
