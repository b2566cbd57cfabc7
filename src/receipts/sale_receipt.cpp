#include "sale_receipt.h"

#include "receipts/printout_lines.h"
#include "receipts/receipt_layout.h"
#include "store/data_module.h"
#include "store/sale_records.h"

namespace {

// The amount lines of taxes, totals, tenders and change, read from one
// header record (posted or work header).
QStringList figureLines(const ReceiptLayout &layout, TDataModule2 &dm, Table &header, double change)
{
    auto amount = [&header](const QString &field) { return numberField(header, field); };
    // The amounts of a family that are not zero, each with its name.
    const auto familyLines = [&](const AmountFamily &family) {
        QStringList lines;
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList amounts = familyFields(QStringLiteral("Trxh_"), family);
        for (int i = 0; i < family.count; ++i)
            if (const double value = amount(amounts[i]); value != 0)
                lines << layout.amountLine(textField(dm.Control, names[i]), value);
        return lines;
    };
    QStringList lines{layout.totalLine(amount(QStringLiteral("Trxh_total")))};
    const QStringList taxes = familyLines(Taxes);
    lines << taxes;
    if (!taxes.isEmpty())
        lines << layout.totalLine(amount(QStringLiteral("Trxh_grand_total")));
    lines << familyLines(Payments) << familyLines(Coupons);
    const double foreign = amount(QStringLiteral("Trxh_fc1"));
    if (foreign != 0)
        lines << layout.amountLine(QStringLiteral("For Curr"), foreign);
    if (change != 0)
        lines << layout.amountLine(QStringLiteral("Change"), change);
    return lines;
}

}

QStringList saleReceiptLines(TDataModule2 &dm, bool columns30)
{
    const ReceiptLayout layout(columns30);
    QStringList lines = layout.header(dm) + layout.itemLines(dm);
    if (trainingMode(dm)) {
        // Nothing is posted: the change is worked out from the work header.
        const double change = saleFiguresOf(dm.tmpmaster, dm.Control).trainingReceiptChange().toDouble();
        lines << figureLines(layout, dm, dm.tmpmaster, change)
              << cashierLine(numberField(dm.cashiertb, QStringLiteral("Cashier_id"))) << trainingTransactionLine();
    } else {
        Table &posted = dm.tranmaster;
        lines << figureLines(layout, dm, posted, -numberField(posted, QStringLiteral("Trxh_change")))
              << cashierLine(numberField(posted, QStringLiteral("Trxh_cashier")))
              << transactionLine(numberField(posted, QStringLiteral("Trxh_id")));
    }
    lines << terminalIdLine(dm);
    return lines;
}
