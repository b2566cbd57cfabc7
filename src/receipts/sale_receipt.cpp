#include "sale_receipt.h"

#include "common/formats.h"
#include "common/language.h"
#include "receipts/printout_lines.h"
#include "store/sale_record.h"

namespace {

// The two paper layouts of the sale and stock receipts. The money column
// ends in column 42 (40-column paper) or 31 (30-column paper).
class ReceiptLayout {
public:
    explicit ReceiptLayout(bool columns30) : columns30_(columns30) {}

    int width() const { return columns30_ ? Columns30 : Columns40; }

    // One item line: code (40 columns only), short description, quantity
    // truncated, line total.
    QString itemLine(const Record &line) const
    {
        const QString description = line.asString(QStringLiteral("Trx_short_desc"));
        const double qty = line.asFloat(QStringLiteral("Trx_qty"));
        const double total = line.asFloat(QStringLiteral("Trx_total"));
        if (columns30_)
            return formatLine(u"%-15s %4d %10.2m", {description, qty, total});
        const double upc = line.asFloat(QStringLiteral("Trx_upc"));
        return formatLine(u"%-13d %-12s %4d %10.2m", {upc, description, qty, total});
    }

    // "Total" in its column, then the amount.
    QString totalLine(double amount) const
    {
        const QString indent(columns30_ ? 15 : 26, QLatin1Char(' '));
        return indent + QStringLiteral("Total ") + formatLine(u"%10.2m", {amount});
    }

    // A name or label right-aligned in 10, then the amount.
    QString amountLine(const QString &label, double amount) const
    {
        return QString(columns30_ ? 10 : 21, QLatin1Char(' ')) + formatLine(u"%10s %10.2m", {label, amount});
    }

    // Date and time, the title when there is one (stock receipt), company
    // block, slip messages, "TRAINING MODE" in training, an empty line, the
    // column heading (with "Qty" or "Qte" by language); then every line.
    QStringList head(const ShopRecords &shop, const SaleRecord &sale, const QString &title = QString()) const
    {
        QStringList lines{dateTimeLine(shop)};
        if (!title.isEmpty())
            lines << centredLine(title, width());
        lines << companyBlock(shop, width()) << slipMessages(shop, width());
        if (sale.training)
            lines << centredLine(QStringLiteral("TRAINING MODE"), width());
        const QString qty = chooseText(QStringLiteral("Qty"), QStringLiteral("Qte"));
        lines << QString()
              << (columns30_ ? QStringLiteral("Description      %1      Total").arg(qty)
                             : QStringLiteral("UPC           Description   %1      Total").arg(qty));
        for (const Record &line : sale.lines)
            lines << itemLine(line);
        return lines;
    }

private:
    bool columns30_;
};

// The amount lines of taxes, totals, tenders and change.
QStringList figureLines(const ReceiptLayout &layout, const Record &control, const Record &header, double change)
{
    // The amounts of a family that are not zero, each with its name.
    const auto familyLines = [&](const AmountFamily &family) {
        QStringList lines;
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList amounts = familyFields(QStringLiteral("Trxh_"), family);
        for (int i = 0; i < family.count; ++i)
            if (const double value = header.asFloat(amounts[i]); value != 0)
                lines << layout.amountLine(control.asString(names[i]), value);
        return lines;
    };
    QStringList lines{layout.totalLine(header.asFloat(QStringLiteral("Trxh_total")))};
    const QStringList taxes = familyLines(Taxes);
    lines << taxes;
    if (!taxes.isEmpty())
        lines << layout.totalLine(header.asFloat(QStringLiteral("Trxh_grand_total")));
    lines << familyLines(Payments) << familyLines(Coupons);
    const double foreign = header.asFloat(QStringLiteral("Trxh_fc1"));
    if (foreign != 0)
        lines << layout.amountLine(QStringLiteral("For Curr"), foreign);
    if (change != 0)
        lines << layout.amountLine(QStringLiteral("Change"), change);
    return lines;
}

// The cashier and terminal lines, and between them the transaction line:
// 0 in training, the sale's number when posted (a receiving has none).
QStringList closingLines(const ShopRecords &shop, const SaleRecord &sale, bool numbered)
{
    QStringList lines;
    if (sale.training)
        lines << cashierLine(sale.cashierId) << trainingTransactionLine();
    else
        lines << cashierLine(sale.header.asFloat(QStringLiteral("Trxh_cashier")));
    if (numbered && !sale.training)
        lines << transactionLine(sale.number());
    return lines << terminalIdLine(shop);
}

}

QStringList saleReceiptLines(const ShopRecords &shop, const SaleRecord &sale, bool columns30)
{
    const ReceiptLayout layout(columns30);
    // Nothing of a training sale is posted: its change is worked out.
    const double change = sale.training ? sale.figures.trainingReceiptChange().toDouble()
                                        : -sale.header.asFloat(QStringLiteral("Trxh_change"));
    return layout.head(shop, sale) + figureLines(layout, shop.control, sale.header, change)
        + closingLines(shop, sale, true);
}

QStringList stockReceiptLines(const ShopRecords &shop, const SaleRecord &received, bool columns30)
{
    const ReceiptLayout layout(columns30);
    return layout.head(shop, received, QStringLiteral("STOCK RECEIPT"))
        + QStringList{layout.totalLine(received.header.asFloat(QStringLiteral("Trxh_total")))}
        + closingLines(shop, received, false);
}
