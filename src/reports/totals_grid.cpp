#include "totals_grid.h"

#include "reports/report_parts.h"

namespace {

// A caption, then the value field's stem (none for the grand total).
struct Pair {
    Caption caption;
    QString valueStem;
};

Pair fixed(const char *caption, const char *stem)
{
    return {Caption::fixed(QLatin1String(caption)), QLatin1String(stem)};
}

// Labelled by the control record's name of the tax, payment mode or coupon.
Pair named(const char *stem)
{
    return {Caption::control(QStringLiteral("Ctrl_") + QLatin1String(stem)), QLatin1String(stem)};
}

const qreal LabelX[3] = {0, 195, 380};
const qreal LabelWidth[3] = {95, 85, 75};
const qreal ValueX[3] = {95, 280, 455};
constexpr qreal ValueWidth = 85;

}

qreal addTotalsGrid(ReportBand &band, qreal top, const QString &table, const QString &prefix, const QString &suffix)
{
    const auto field = [&](const QString &stem) { return table + QLatin1Char('.') + prefix + stem + suffix; };
    const QString grandTotal = QStringList{field(QStringLiteral("sales")), field(QStringLiteral("tx1")),
                                           field(QStringLiteral("tx2")), field(QStringLiteral("tx3"))}
                                   .join(QStringLiteral(" + "));
    const QList<QList<Pair>> rows{
        {fixed("Sales", "sales"), named("pmt1"), named("cpn1")},
        {named("tx1"), named("pmt2"), named("cpn2")},
        {named("tx2"), named("pmt3"), named("cpn3")},
        {named("tx3"), named("pmt4"), fixed("Void amt", "voids")},
        {fixed("Grand Total", ""), named("pmt5"), fixed("No Voids", "no_voids")},
        {fixed("No Transactions", "no_trx"), fixed("Change", "change"), fixed("Foreign Curr", "fc1")},
    };

    const TextStyle value = TextStyle().right();
    for (int r = 0; r < rows.size(); ++r) {
        const qreal y = top + r * RowHeight;
        for (int c = 0; c < 3; ++c) {
            const Pair &pair = rows[r][c];
            addCaption(band, QRectF(LabelX[c], y, LabelWidth[c], RowHeight), pair.caption);
            const QRectF valueCell(ValueX[c], y, ValueWidth, RowHeight);
            if (pair.valueStem.isEmpty())
                band.addExpression(valueCell, grandTotal, NumberFormat::currency(), value);
            else
                band.addField(valueCell, field(pair.valueStem), value);
        }
    }
    return rows.size() * RowHeight;
}
