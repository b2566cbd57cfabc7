#include "totals_grid.h"

#include "reports/report_parts.h"

namespace {

// A pair is a fixed label or a control-record name (labelField), then the value.
struct Pair {
    QString label;
    QString labelField;
    QString valueStem;
};

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
        {{QStringLiteral("Sales"), {}, QStringLiteral("sales")}, {{}, QStringLiteral("Ctrl_pmt1"), QStringLiteral("pmt1")}, {{}, QStringLiteral("Ctrl_cpn1"), QStringLiteral("cpn1")}},
        {{{}, QStringLiteral("Ctrl_tx1"), QStringLiteral("tx1")}, {{}, QStringLiteral("Ctrl_pmt2"), QStringLiteral("pmt2")}, {{}, QStringLiteral("Ctrl_cpn2"), QStringLiteral("cpn2")}},
        {{{}, QStringLiteral("Ctrl_tx2"), QStringLiteral("tx2")}, {{}, QStringLiteral("Ctrl_pmt3"), QStringLiteral("pmt3")}, {{}, QStringLiteral("Ctrl_cpn3"), QStringLiteral("cpn3")}},
        {{{}, QStringLiteral("Ctrl_tx3"), QStringLiteral("tx3")}, {{}, QStringLiteral("Ctrl_pmt4"), QStringLiteral("pmt4")}, {QStringLiteral("Void amt"), {}, QStringLiteral("voids")}},
        {{QStringLiteral("Grand Total"), {}, {}}, {{}, QStringLiteral("Ctrl_pmt5"), QStringLiteral("pmt5")}, {QStringLiteral("No Voids"), {}, QStringLiteral("no_voids")}},
        {{QStringLiteral("No Transactions"), {}, QStringLiteral("no_trx")}, {QStringLiteral("Change"), {}, QStringLiteral("change")}, {QStringLiteral("Foreign Curr"), {}, QStringLiteral("fc1")}},
    };

    const TextStyle value = TextStyle().right();
    for (int r = 0; r < rows.size(); ++r) {
        const qreal y = top + r * RowHeight;
        for (int c = 0; c < 3; ++c) {
            const Pair &pair = rows[r][c];
            const QRectF labelCell(LabelX[c], y, LabelWidth[c], RowHeight);
            const QRectF valueCell(ValueX[c], y, ValueWidth, RowHeight);
            if (pair.labelField.isEmpty())
                band.addLabel(labelCell, pair.label);
            else
                band.addField(labelCell, QStringLiteral("Control.") + pair.labelField);
            if (pair.valueStem.isEmpty())
                band.addExpression(valueCell, grandTotal, NumberFormat::currency(), value);
            else
                band.addField(valueCell, field(pair.valueStem), value);
        }
    }
    return rows.size() * RowHeight;
}
