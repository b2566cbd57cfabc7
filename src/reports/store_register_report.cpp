#include "store_register_report.h"

#include "common/amount_families.h"
#include "common/formats.h"
#include "common/language.h"
#include "reports/report_parts.h"

namespace {

enum Band { LineBand = 0, LaneBand = 1, TotalBand = 2, SaleBand = 3 };

const qreal GroupX[3] = {0, 190, 375};
const qreal GroupLabelWidth[3] = {85, 80, 80};
constexpr qreal AmountWidth = 85;

struct Column {
    qreal x;
    qreal width;
    const char *english;
    const char *french;
    const char *column;
    bool right;
};

const Column SaleColumns[] = {
    {0, 70, "Number", "Numéro", "number", false},
    {75, 70, "Cashier", "Caissier", "cashier", false},
    {150, 80, "Date", "Date", "date", false},
    {235, 80, "Time", "Heure", "time", false},
};

const Column LineColumns[] = {
    {0, 80, "UPC Code", "Code UPC", "upc", false},
    {85, 215, "Description", "Description", "description", false},
    {305, 50, "Quantity", "Quantité", "quantity", true},
    {360, 55, "Price", "Prix", "price", true},
    {420, 55, "Discount", "Escompte", "discount", true},
    {480, 60, "Total", "Total", "total", true},
};

QString caption(const Column &c)
{
    return chooseText(QString::fromUtf8(c.english), QString::fromUtf8(c.french));
}

// The same lane and sale number in two tables' rows.
bool sameSale(const StoreReportTable &a, int rowA, const StoreReportTable &b, int rowB)
{
    return a.value(rowA, a.column(QStringLiteral("terminal"))) == b.value(rowB, b.column(QStringLiteral("terminal")))
        && a.number(rowA, a.column(QStringLiteral("number"))) == b.number(rowB, b.column(QStringLiteral("number")));
}

}

StoreRegisterReport::StoreRegisterReport(TDataModule2 &dm, StoreReportData data)
    : StoreReport(dm, storeReportTitle(data.kind), std::move(data)),
      sales_(this->data().table(QStringLiteral("register"))),
      lines_(this->data().table(QStringLiteral("register_lines"))),
      totals_(this->data().table(QStringLiteral("financial")))
{
    addLineBand();
    ReportBand &lane = addTotalsBands();
    lane.setKeptWith(addSaleBand().height() + band(BandType::Detail).height()); // with its first sale

    // A section per lane of the financial figures, its sales (the register
    // holds them lane by lane), each followed by its lines; then the store.
    const int totalTerminal = totals_.column(QStringLiteral("terminal"));
    const int saleTerminal = sales_.column(QStringLiteral("terminal"));
    int sale = 0;
    int line = 0;
    for (int t = 0; t < totals_.rowCount(); ++t) {
        const QVariant terminal = totals_.value(t, totalTerminal);
        if (!terminal.isNull()) {
            addRow(LaneBand, t);
            for (; sale < sales_.rowCount() && sales_.value(sale, saleTerminal) == terminal; ++sale) {
                addRow(SaleBand, sale);
                for (; line < lines_.rowCount() && sameSale(lines_, line, sales_, sale); ++line)
                    addRow(LineBand, line);
            }
        }
        addRow(TotalBand, t);
    }
}

void StoreRegisterReport::addLineBand()
{
    ReportBand &band = this->band(BandType::Detail);
    for (const Column &c : LineColumns) {
        const int column = lines_.column(QLatin1String(c.column));
        const bool money = c.right && QLatin1String(c.column) != QLatin1String("quantity");
        band.addText(QRectF(c.x, 0, c.width, RowHeight), [this, column, money] {
            const QVariant v = lines_.value(row().source, column);
            if (money)
                return currencyText(v.toDouble());
            return v.userType() == QMetaType::QString ? v.toString() : generalNumberText(v.toDouble());
        }, c.right ? TextStyle().right() : TextStyle());
    }
    band.setHeight(13);
}

ReportBand &StoreRegisterReport::addTotalsBands()
{
    ReportBand &lane = addDetailBand();
    lane.addText(QRectF(0, 10, PageGeometry::ContentWidth, RowHeight),
                 [this] { return laneCaption(totals_.value(row().source, totals_.column(QStringLiteral("terminal")))); },
                 TextStyle().strong().sized(10));
    lane.setHeight(10 + RowHeight + 2);

    // The lane's (or the store's) number of sales and totals, from the
    // financial figures of the same days.
    ReportBand &total = addDetailBand();
    const TextStyle bold = TextStyle().strong();
    total.addRule(0, 4, PageGeometry::ContentWidth, 1.5);
    total.addText(QRectF(0, 8, 200, RowHeight), [this] {
        const int r = row().source;
        const QVariant terminal = totals_.value(r, totals_.column(QStringLiteral("terminal")));
        const QString whose = terminal.isNull()
            ? chooseText(QStringLiteral("Store (every lane)"), QStringLiteral("Magasin (toutes les caisses)"))
            : laneCaption(terminal);
        return chooseText(QStringLiteral("%1: %2 sales"), QStringLiteral("%1 : %2 ventes"))
            .arg(whose)
            .arg(qint64(totals_.number(r, totals_.column(QStringLiteral("transactions")))));
    }, bold);
    // A caption, then its amount right-aligned in the next 85 points.
    const Column amounts[] = {{205, 65, "Sub Total", "Sous Total", "sales", false},
                              {375, 80, "Grand Total", "Grand Total", "grand_total", false}};
    for (const auto &a : amounts) {
        const int column = totals_.column(QLatin1String(a.column));
        total.addLabel(QRectF(a.x, 8, a.width, RowHeight),
                       chooseText(QString::fromUtf8(a.english), QString::fromUtf8(a.french)), bold);
        total.addText(QRectF(a.x + a.width, 8, 85, RowHeight),
                      [this, column] { return currencyText(totals_.number(row().source, column)); }, bold.right());
    }
    total.setHeight(8 + RowHeight + 6);
    return lane;
}

const ReportBand &StoreRegisterReport::addSaleBand()
{
    ReportBand &band = addDetailBand();
    band.addRule(0, 2, PageGeometry::ContentWidth);
    for (const Column &c : SaleColumns) {
        band.addLabel(QRectF(c.x, 6, c.width, RowHeight), caption(c), TextStyle().strong());
        const QString column = QLatin1String(c.column);
        band.addText(QRectF(c.x, 6 + RowHeight, c.width, RowHeight), [this, column] { return saleText(column); });
    }

    // The three groups of amounts, as in the lane's register.
    QList<QList<QPair<QString, QString>>> groups(3);
    const auto addFamily = [this](QList<QPair<QString, QString>> &group, const AmountFamily &family) {
        for (int i = 1; i <= family.count; ++i)
            group.append({controlName(family.stem, i), numbered(QLatin1String(family.stem), i)});
    };
    addFamily(groups[0], Payments);
    addFamily(groups[1], Coupons);
    groups[1].append({chooseText(QStringLiteral("Foreign Curr"), QStringLiteral("Devise étrangère")),
                      QStringLiteral("fc1")});
    groups[2].append({chooseText(QStringLiteral("Sub Total"), QStringLiteral("Sous Total")), QStringLiteral("sales")});
    addFamily(groups[2], Taxes);
    groups[2].append({QStringLiteral("Grand Total"), QStringLiteral("grand_total")});

    const qreal amountsTop = 8 + 2 * RowHeight;
    for (int g = 0; g < groups.size(); ++g) {
        for (int r = 0; r < groups[g].size(); ++r) {
            const qreal y = amountsTop + r * RowHeight;
            band.addLabel(QRectF(GroupX[g], y, GroupLabelWidth[g], RowHeight), groups[g][r].first);
            const int column = sales_.column(groups[g][r].second);
            band.addText(QRectF(GroupX[g] + GroupLabelWidth[g], y, AmountWidth, RowHeight),
                         [this, column] { return currencyText(sales_.number(row().source, column)); },
                         TextStyle().right());
        }
    }
    const qreal linesTop = amountsTop + 5 * RowHeight + 4;
    for (const Column &c : LineColumns)
        band.addLabel(QRectF(c.x, linesTop, c.width, RowHeight), caption(c),
                      c.right ? TextStyle().strong().underlined().right() : TextStyle().strong().underlined());
    band.setHeight(linesTop + RowHeight + 2);
    band.setKeptWith(13); // with its first line
    return band;
}

QString StoreRegisterReport::saleText(const QString &column) const
{
    const QVariant v = sales_.value(row().source, sales_.column(column));
    if (column == QLatin1String("date"))
        return shortDateText(v.toDate());
    if (column == QLatin1String("time"))
        return longTimeText(v.toTime());
    return v.isNull() ? QString() : generalNumberText(v.toDouble());
}
