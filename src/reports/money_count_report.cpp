#include "money_count_report.h"

#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

// One line: a fixed label or a control-record name, the counted money
// field and the system's cashier field, each possibly missing.
struct CountLine {
    QString label;
    QString labelField;
    QString counted;
    QString system;
};

QList<CountLine> countLines()
{
    QList<CountLine> lines{{QStringLiteral("Sales"), {}, {}, QStringLiteral("Cashier_mc_sales")}};
    for (int i = 1; i <= 3; ++i)
        lines.append({{}, QStringLiteral("Ctrl_tx%1").arg(i), {}, QStringLiteral("Cashier_mc_tx%1").arg(i)});
    lines.append({QStringLiteral("Float"), {}, QStringLiteral("Money_float"), {}});
    for (int i = 1; i <= 5; ++i)
        lines.append({{}, QStringLiteral("Ctrl_pmt%1").arg(i), QStringLiteral("Money_pmt%1").arg(i),
                      QStringLiteral("Cashier_mc_pmt%1").arg(i)});
    for (int i = 1; i <= 3; ++i)
        lines.append({{}, QStringLiteral("Ctrl_cpn%1").arg(i), QStringLiteral("Money_cpn%1").arg(i),
                      QStringLiteral("Cashier_mc_cpn%1").arg(i)});
    lines.append({QStringLiteral("Foreign Currency"), {}, QStringLiteral("Money_fc1"), QStringLiteral("Cashier_mc_fc1")});
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
        const QRectF labelCell(0, y, CountedX - 10, RowHeight);
        if (line.labelField.isEmpty())
            detail.addLabel(labelCell, line.label);
        else
            detail.addField(labelCell, QStringLiteral("Control.") + line.labelField);
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
