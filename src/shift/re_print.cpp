#include "re_print.h"

#include "cashier_shift.h"

#include "common/language.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "widgets/dialogs.h"

namespace {

// The posted sale on which the sales register stands, with its lines.
SaleRecord readPostedSale(TDataModule2 &dm)
{
    dm.Control.first();
    SaleRecord sale;
    sale.header = currentRecord(dm.tranmaster);
    sale.lines = recordsOf(dm.trandetail); // the lines follow their header
    sale.figures = saleFiguresOf(sale.header, currentRecord(dm.Control));
    return sale;
}

// The receipt shows the sale as posted, unless a training cashier
// re-prints: a training receipt shows the transaction in progress, here
// with the lines of the sale re-printed.
SaleRecord receiptSale(const RePrintParts &parts, const SaleRecord &posted)
{
    const bool training = parts.shift.findSignedInCashier()
        && parts.dm.cashiertb.field(QStringLiteral("Cashier_train")).asBoolean();
    if (!training)
        return posted;
    SaleRecord sale = readWorkSale(parts.dm, parts.shift.cashierId(), true);
    sale.lines = posted.lines;
    return sale;
}

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
    const SaleRecord posted = readPostedSale(p_.dm);
    try {
        if (invoice)
            p_.printInvoice(posted);
        p_.printReceipt(receiptSale(p_, posted));
    } catch (...) {
        p_.startNewTransaction();
        throw;
    }
    p_.startNewTransaction();
}
