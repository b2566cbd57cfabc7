#include "sale_receipt.h"

#include "common/money.h"
#include "receipts/printout_lines.h"
#include "receipts/receipt_layout.h"
#include "store/data_module.h"

namespace {

// The amount lines of taxes, totals, tenders and change, read from one
// header record (posted or work header).
QStringList figureLines(const ReceiptLayout &layout, TDataModule2 &dm, Table &header, double change)
{
    auto amount = [&header](const QString &field) { return numberField(header, field); };
    QStringList lines{layout.totalLine(amount(QStringLiteral("Trxh_total")))};
    bool taxed = false;
    for (int i = 1; i <= 3; ++i) {
        const double tax = amount(numbered("Trxh_tx", i));
        if (tax != 0) {
            lines << layout.amountLine(textField(dm.Control, numbered("Ctrl_tx", i)), tax);
            taxed = true;
        }
    }
    if (taxed)
        lines << layout.totalLine(amount(QStringLiteral("Trxh_grand_total")));
    const auto tenders = [&](const char *headerStem, const char *nameStem, int count) {
        for (int i = 1; i <= count; ++i) {
            const double tendered = amount(numbered(headerStem, i));
            if (tendered != 0)
                lines << layout.amountLine(textField(dm.Control, numbered(nameStem, i)), tendered);
        }
    };
    tenders("Trxh_pmt", "Ctrl_pmt", 5);
    tenders("Trxh_cpn", "Ctrl_cpn", 3);
    const double foreign = amount(QStringLiteral("Trxh_fc1"));
    if (foreign != 0)
        lines << layout.amountLine(QStringLiteral("For Curr"), foreign);
    if (change != 0)
        lines << layout.amountLine(QStringLiteral("Change"), change);
    return lines;
}

}

qint64 trainingChangeUnits(TDataModule2 &dm)
{
    Table &work = dm.tmpmaster;
    auto amount = [&work](const QString &field) { return static_cast<long double>(numberField(work, field)); };
    const long double scale = Money::Scale;
    const long double foreign =
        roundHalfEven(static_cast<long double>(numberField(dm.Control, QStringLiteral("Ctrl_fc_rate")))
                      * amount(QStringLiteral("Trxh_fc1")) * scale);
    long double afterPayments = amount(QStringLiteral("Trxh_grand_total"));
    for (int i = 1; i <= 5; ++i)
        afterPayments -= amount(numbered("Trxh_pmt", i));
    long double afterCoupons = afterPayments;
    for (int i = 1; i <= 3; ++i)
        afterCoupons -= amount(numbered("Trxh_cpn", i));
    if (afterPayments * scale - foreign > 0)
        return 0;
    return -roundHalfEven(afterCoupons * scale - foreign);
}

QStringList saleReceiptLines(TDataModule2 &dm, bool columns30)
{
    const ReceiptLayout layout(columns30);
    QStringList lines = layout.header(dm) + layout.itemLines(dm);
    if (trainingMode(dm)) {
        const double change = Money::fromUnits(trainingChangeUnits(dm)).toDouble();
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
