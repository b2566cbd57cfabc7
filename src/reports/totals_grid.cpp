#include "totals_grid.h"

#include "common/amount_families.h"
#include "reports/report_parts.h"

namespace {

// A caption, then the value field's stem (none for the grand total); the
// amounts of a family are labelled by their names in the control record.
using Pair = CaptionedField;

Pair fixed(const char *caption, const char *stem)
{
    return {Caption::fixed(QLatin1String(caption)), QLatin1String(stem)};
}

QList<Pair> named(const AmountFamily &family)
{
    return familyCaptions(QString(), family);
}

const qreal LabelX[3] = {0, 195, 380};
const qreal LabelWidth[3] = {95, 85, 75};
const qreal ValueX[3] = {95, 280, 455};
constexpr qreal ValueWidth = 85;

}

qreal addTotalsGrid(ReportBand &band, qreal top, const QString &table, const QString &prefix, const QString &suffix)
{
    const auto field = [&](const QString &stem) { return table + QLatin1Char('.') + prefix + stem + suffix; };
    QStringList grandTotal{field(QStringLiteral("sales"))};
    for (const QString &tax : familyFields(QString(), Taxes))
        grandTotal.append(field(tax));
    // Three columns: the sales and taxes, the payment modes, the coupons.
    const QList<QList<Pair>> columns{
        QList<Pair>{fixed("Sales", "sales")} + named(Taxes)
            + QList<Pair>{fixed("Grand Total", ""), fixed("No Transactions", "no_trx")},
        named(Payments) + QList<Pair>{fixed("Change", "change")},
        named(Coupons) + QList<Pair>{fixed("Void amt", "voids"), fixed("No Voids", "no_voids"),
                                     fixed("Foreign Curr", "fc1")},
    };

    const TextStyle value = TextStyle().right();
    qsizetype rows = 0;
    for (const QList<Pair> &column : columns)
        rows = qMax(rows, column.size());
    for (int r = 0; r < rows; ++r) {
        const qreal y = top + r * RowHeight;
        for (int c = 0; c < columns.size(); ++c) {
            if (r >= columns[c].size())
                continue;
            const Pair &pair = columns[c][r];
            addCaption(band, QRectF(LabelX[c], y, LabelWidth[c], RowHeight), pair.caption);
            const QRectF valueCell(ValueX[c], y, ValueWidth, RowHeight);
            if (pair.field.isEmpty())
                band.addExpression(valueCell, grandTotal.join(QStringLiteral(" + ")), NumberFormat::currency(), value);
            else
                band.addField(valueCell, field(pair.field), value);
        }
    }
    return rows * RowHeight;
}
