#include "stock_receipt.h"

#include "receipts/printout_lines.h"
#include "receipts/receipt_layout.h"
#include "store/data_module.h"

QStringList stockReceiptLines(TDataModule2 &dm, bool columns30)
{
    const ReceiptLayout layout(columns30);
    QStringList lines = layout.header(dm, QStringLiteral("STOCK RECEIPT")) + layout.itemLines(dm);
    lines << layout.totalLine(numberField(dm.tmpmaster, QStringLiteral("Trxh_total")));
    if (trainingMode(dm))
        lines << cashierLine(numberField(dm.cashiertb, QStringLiteral("Cashier_id"))) << trainingTransactionLine();
    else
        lines << cashierLine(numberField(dm.tmpmaster, QStringLiteral("Trxh_cashier")));
    lines << terminalIdLine(dm);
    return lines;
}
