#include "cashier_report.h"

#include "reports/report_parts.h"
#include "reports/totals_grid.h"
#include "store/data_module.h"

TForm9::TForm9(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Cashier Report"))
{
    setDataSet(&dm.cashiertb);

    // The heading stands on the first page only.
    ReportBand &title = band(BandType::Title);
    title.setHeight(addReportHeading(title, documentName()) + 4);

    const qreal width = PageGeometry::ContentWidth;
    ReportBand &detail = band(BandType::Detail);
    detail.addRule(0, 2, width);
    detail.addLabel(QRectF(0, 6, 70, RowHeight), QStringLiteral("Cashier Id:"));
    detail.addField(QRectF(70, 6, 40, RowHeight), QStringLiteral("cashiertb.Cashier_id"), TextStyle().right());
    detail.addField(QRectF(120, 6, 250, RowHeight), QStringLiteral("cashiertb.Cashier_name"));
    const qreal gridBottom = 24 + addTotalsGrid(detail, 24, QStringLiteral("cashiertb"), QStringLiteral("Cashier_"));
    detail.addRule(0, gridBottom + 4, width);
    detail.setHeight(gridBottom + 10);
}

void TForm9::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Cashier Report"), QStringLiteral("Rapport Caissier")},
                     {QStringLiteral("Cashier Id:"), QStringLiteral("Code caissier:")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Void amt"), QStringLiteral("Void mnt")},
                     {QStringLiteral("Foreign Curr"), QStringLiteral("Devise étrangère")}});
}
