#include "store_figures_report.h"

#include "common/amount_families.h"
#include "common/formats.h"
#include "common/language.h"
#include "reports/report_parts.h"

namespace {

constexpr int ColumnsPerBlock = 5;
constexpr qreal CaptionWidth = 110;
constexpr qreal ValueWidth = 86;

enum Band { FigureBand = 0, ColumnsBand = 1, CashierBand = 2, NothingBand = 3 };

QRectF valueCell(int column, qreal y)
{
    return QRectF(CaptionWidth + column * ValueWidth, y, ValueWidth, RowHeight);
}

}

StoreFiguresReport::StoreFiguresReport(TDataModule2 &dm, StoreReportData data)
    : StoreReport(dm, storeReportTitle(data.kind), std::move(data)),
      table_(this->data().table(this->data().kind == StoreReportKind::Cashiers ? QStringLiteral("cashiers")
                                                                            : QStringLiteral("financial"))),
      cashiers_(this->data().kind == StoreReportKind::Cashiers),
      figures_(figures())
{
    for (const Figure &f : figures_)
        figureColumns_.append(table_.column(f.column));

    ReportBand &figure = band(BandType::Detail);
    figure.addText(QRectF(0, 0, CaptionWidth, RowHeight), [this] { return figures_[row().part].caption; });
    for (int c = 0; c < ColumnsPerBlock; ++c)
        figure.addText(valueCell(c, 0), [this, c] { return value(row().source, c, row().part); }, TextStyle().right());
    figure.setHeight(RowHeight);

    ReportBand &columns = addDetailBand();
    for (int c = 0; c < ColumnsPerBlock; ++c)
        columns.addText(valueCell(c, 8), [this, c] { return columnHeading(row().source, c); },
                        TextStyle().strong().underlined().right());
    columns.setHeight(8 + RowHeight + 2);
    columns.setKeptWith(2 * RowHeight); // with two figures

    ReportBand &cashier = addDetailBand();
    cashier.addRule(0, 10, PageGeometry::ContentWidth);
    cashier.addText(QRectF(0, 14, PageGeometry::ContentWidth, RowHeight), [this] {
        const int r = row().source;
        return chooseText(QStringLiteral("Cashier Id: %1  %2"), QStringLiteral("Code caissier: %1  %2"))
            .arg(table_.value(r, table_.column(QStringLiteral("cashier"))).toString(),
                 table_.value(r, table_.column(QStringLiteral("cashier_name"))).toString());
    }, TextStyle().strong());
    cashier.setHeight(14 + RowHeight);
    cashier.setKeptWith(columns.height() + 2 * RowHeight); // with the headings and two figures

    ReportBand &nothing = addDetailBand();
    nothing.addLabel(QRectF(0, 8, PageGeometry::ContentWidth, RowHeight),
                     chooseText(QStringLiteral("No cashier sold in these days."),
                                QStringLiteral("Aucun caissier n'a vendu dans ces jours.")));
    nothing.setHeight(8 + RowHeight);

    const int terminal = table_.column(QStringLiteral("terminal"));
    if (!cashiers_) {
        QList<int> all;
        for (int r = 0; r < table_.rowCount(); ++r)
            all.append(r);
        addBlocks(all);
    } else {
        // The table holds, per cashier, a row per lane and then its total.
        QList<int> columnsOfCashier;
        for (int r = 0; r < table_.rowCount(); ++r) {
            if (columnsOfCashier.isEmpty())
                addRow(CashierBand, r);
            columnsOfCashier.append(r);
            if (table_.value(r, terminal).isNull()) {
                if (columnsOfCashier.size() == 2)
                    columnsOfCashier.removeLast(); // one lane: its total says the same
                addBlocks(columnsOfCashier);
                columnsOfCashier.clear();
            }
        }
        if (table_.rowCount() == 0)
            addRow(NothingBand);
    }
}

void StoreFiguresReport::addBlocks(const QList<int> &columns)
{
    for (int first = 0; first < columns.size(); first += ColumnsPerBlock) {
        const int block = int(blocks_.size());
        blocks_.append(columns.mid(first, ColumnsPerBlock));
        addRow(ColumnsBand, block);
        for (int f = 0; f < figures_.size(); ++f)
            addRow(FigureBand, block, f);
    }
}

QString StoreFiguresReport::columnHeading(int block, int column) const
{
    const QList<int> &rows = blocks_[block];
    if (column >= rows.size())
        return {};
    const QVariant terminal = table_.value(rows[column], table_.column(QStringLiteral("terminal")));
    if (terminal.isNull() && cashiers_)
        return chooseText(QStringLiteral("All lanes"), QStringLiteral("Toutes les caisses"));
    return laneCaption(terminal);
}

QString StoreFiguresReport::value(int block, int column, int figure) const
{
    const QList<int> &rows = blocks_[block];
    if (column >= rows.size())
        return {};
    const double v = table_.number(rows[column], figureColumns_[figure]);
    return figures_[figure].count ? QString::number(qint64(v)) : currencyText(v);
}

QList<StoreFiguresReport::Figure> StoreFiguresReport::figures() const
{
    const auto named = [this](const char *stem, int n) {
        return Figure{controlName(stem, n), QStringLiteral("%1%2").arg(QLatin1String(stem)).arg(n)};
    };
    const auto fixed = [](const char *english, const char *french, const char *column, bool count = false) {
        return Figure{chooseText(QString::fromUtf8(english), QString::fromUtf8(french)), QLatin1String(column), count};
    };
    QList<Figure> list{fixed("Sales", "Ventes", "sales")};
    const auto addFamily = [&](const AmountFamily &family) {
        for (int n = 1; n <= family.count; ++n)
            list.append(named(family.stem, n));
    };
    addFamily(Taxes);
    list.append(fixed("Grand Total", "Grand Total", "grand_total"));
    list.append(fixed("No Transactions", "No Transactions", "transactions", true));
    addFamily(Payments);
    addFamily(Coupons);
    list.append(fixed("Foreign Curr", "Devise étrangère", "fc1"));
    list.append(fixed("Change", "Change", "change"));
    list.append(fixed("Void amt", "Void mnt", "voids"));
    list.append(fixed("No Voids", "No Voids", "no_voids", true));
    return list;
}
