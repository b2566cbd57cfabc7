#include "financial_report.h"

#include "reports/report_parts.h"
#include "reports/totals_grid.h"
#include "store/data_module.h"

TForm10::TForm10(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Financial Report"))
{
    setDataSet(&dm.fintb);

    ReportBand &header = band(BandType::PageHeader);
    header.setHeight(addReportHeading(header, documentName()) + 4);

    const QString fin = QStringLiteral("fintb");
    const QString prefix = QStringLiteral("Fin_");
    ReportBand &detail = band(BandType::Detail);
    const qreal dayBottom = 4 + addTotalsGrid(detail, 4, fin, prefix);
    detail.addRule(0, dayBottom + 6, PageGeometry::ContentWidth);
    detail.addLabel(QRectF(0, dayBottom + 12, 150, RowHeight), QStringLiteral("Period to date"),
                    TextStyle().strong().underlined());
    const qreal periodTop = dayBottom + 12 + RowHeight + 6;
    detail.setHeight(periodTop + addTotalsGrid(detail, periodTop, fin, prefix, QStringLiteral("_pdt")) + 6);
}

void TForm10::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Financial Report"), QStringLiteral("Rapport Financier")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Void amt"), QStringLiteral("Void mnt")},
                     {QStringLiteral("Period to date"), QStringLiteral("Periode à date")},
                     {QStringLiteral("Foreign Curr"), QStringLiteral("Devise étrangère")}});
}
