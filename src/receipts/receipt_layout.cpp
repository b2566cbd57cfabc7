#include "receipt_layout.h"

#include "common/formats.h"
#include "common/language.h"
#include "receipts/printout_lines.h"
#include "store/data_module.h"

int ReceiptLayout::width() const
{
    return columns30_ ? Columns30 : Columns40;
}

QString ReceiptLayout::columnHeading() const
{
    const QString qty = chooseText(QStringLiteral("Qty"), QStringLiteral("Qte"));
    return columns30_ ? QStringLiteral("Description      %1      Total").arg(qty)
                      : QStringLiteral("UPC           Description   %1      Total").arg(qty);
}

QString ReceiptLayout::itemLine(TDataModule2 &dm) const
{
    Table &line = dm.tmpdetail;
    const QString description = textField(line, QStringLiteral("Trx_short_desc"));
    const double qty = numberField(line, QStringLiteral("Trx_qty"));
    const double total = numberField(line, QStringLiteral("Trx_total"));
    if (columns30_)
        return formatLine(u"%-15s %4d %10.2m", {description, qty, total});
    return formatLine(u"%-13d %-12s %4d %10.2m",
                      {numberField(line, QStringLiteral("Trx_upc")), description, qty, total});
}

QString ReceiptLayout::totalLine(double amount) const
{
    const int blanks = columns30_ ? 15 : 26;
    return QString(blanks, QLatin1Char(' ')) + QStringLiteral("Total ") + formatLine(u"%10.2m", {amount});
}

QString ReceiptLayout::amountLine(const QString &label, double amount) const
{
    const int blanks = columns30_ ? 10 : 21;
    return QString(blanks, QLatin1Char(' ')) + formatLine(u"%10s %10.2m", {label, amount});
}

QStringList ReceiptLayout::header(TDataModule2 &dm, const QString &title) const
{
    QStringList lines{dateTimeLine(dm)};
    if (!title.isEmpty())
        lines << centredLine(title, width());
    lines << companyBlock(dm, width()) << slipMessages(dm, width());
    if (trainingMode(dm))
        lines << centredLine(QStringLiteral("TRAINING MODE"), width());
    lines << QString() << columnHeading();
    return lines;
}

QStringList ReceiptLayout::itemLines(TDataModule2 &dm) const
{
    QStringList lines;
    Table &work = dm.tmpdetail;
    for (work.first(); !work.eof(); work.next())
        lines << itemLine(dm);
    return lines;
}
