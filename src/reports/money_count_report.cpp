#include "money_count_report.h"

#include "common/amount_families.h"
#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

// One line: a caption, the counted money field and the system's cashier
// field, either of them possibly missing.
struct CountLine {
    Caption caption;
    QString counted;
    QString system;
};

// The taxes, payment modes or coupons: each named as in the control
// record, with the counted amount (taxes are not counted) and the system's.
QList<CountLine> familyLines(const AmountFamily &family, bool counted)
{
    const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
    const QStringList counts = familyFields(QStringLiteral("Money_"), family);
    const QStringList totals = familyFields(QStringLiteral("Cashier_mc_"), family);
    QList<CountLine> lines;
    for (int i = 0; i < family.count; ++i)
        lines.append({Caption::control(names[i]), counted ? counts[i] : QString(), totals[i]});
    return lines;
}

QList<CountLine> countLines()
{
    QList<CountLine> lines{{Caption::fixed(QStringLiteral("Sales")), {}, QStringLiteral("Cashier_mc_sales")}};
    lines << familyLines(Taxes, false);
    lines.append({Caption::fixed(QStringLiteral("Float")), QStringLiteral("Money_float"), {}});
    lines << familyLines(Payments, true) << familyLines(Coupons, true);
    lines.append({Caption::fixed(QStringLiteral("Foreign Currency")), QStringLiteral("Money_fc1"),
                  QStringLiteral("Cashier_mc_fc1")});
    return lines;
}

constexpr qreal CountedX = 220;
constexpr qreal SystemX = 330;
constexpr qreal ChangeX = 440;
constexpr qreal ValueWidth = 100;
constexpr qreal LineHeight = 15;

}

TForm12::TForm12(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Blind Money Count Report"))
{
    ReportBand &header = band(BandType::PageHeader);
    header.setHeight(addReportHeading(header, documentName()) + 4);

    const TextStyle value = TextStyle().strong();
    ReportBand &detail = band(BandType::Detail);
    detail.addField(QRectF(0, 0, 200, RowHeight), QStringLiteral("cashiertb.Cashier_id"), value);
    detail.addField(QRectF(0, RowHeight, 300, RowHeight), QStringLiteral("cashiertb.Cashier_name"), value);

    const TextStyle heading = TextStyle().strong().underlined().right();
    detail.addLabel(QRectF(CountedX, 36, ValueWidth, RowHeight), QStringLiteral("Counted"), heading);
    detail.addLabel(QRectF(SystemX, 36, ValueWidth, RowHeight), QStringLiteral("System"), heading);

    qreal y = 56;
    for (const CountLine &line : countLines()) {
        addCaption(detail, QRectF(0, y, CountedX - 10, RowHeight), line.caption);
        if (!line.counted.isEmpty())
            detail.addField(QRectF(CountedX, y, ValueWidth, RowHeight), QStringLiteral("Moneytb.") + line.counted,
                            value.right());
        if (!line.system.isEmpty())
            detail.addField(QRectF(SystemX, y, ValueWidth, RowHeight), QStringLiteral("cashiertb.") + line.system,
                            value.right());
        if (line.system == QLatin1String("Cashier_mc_pmt1"))
            detail.addField(QRectF(ChangeX, y, ValueWidth, RowHeight), QStringLiteral("cashiertb.Cashier_mc_change"),
                            value.right());
        y += LineHeight;
    }
    detail.setHeight(y + 6);
}

void TForm12::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Blind Money Count Report"), QStringLiteral("Rapport Décompte Aveugle")},
                     {QStringLiteral("Float"), QStringLiteral("Départ")},
                     {QStringLiteral("Foreign Currency"), QStringLiteral("Devise étrangère")},
                     {QStringLiteral("Counted"), QStringLiteral("Décompte")},
                     {QStringLiteral("System"), QStringLiteral("Système")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")}});
}
