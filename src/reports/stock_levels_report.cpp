#include "stock_levels_report.h"

#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

const QString ValueExpression = QStringLiteral("producttb.Product_qty * producttb.Product_avg_cost");

const QList<ReportColumn> Columns{
    {0, 80, QStringLiteral("UPC Code"), QStringLiteral("producttb.Product_upc")},
    {85, 185, QStringLiteral("Description"), QStringLiteral("producttb.Product_desc")},
    {275, 60, QStringLiteral("Quantity"), QStringLiteral("producttb.Product_qty"), true},
    {340, 90, QStringLiteral("Average Cost"), QStringLiteral("producttb.Product_avg_cost"), true},
    {435, 105, QStringLiteral("Total Value"), QString(), true},
};

}

TForm15::TForm15(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Stock Level Report"))
{
    setDataSet(&dm.producttb);

    ReportBand &header = band(BandType::PageHeader);
    const qreal headingsTop = addReportHeading(header, documentName());
    addColumnHeadings(header, headingsTop, Columns, TextStyle().underlined());
    header.setHeight(headingsTop + RowHeight + 6);

    const TextStyle value = TextStyle().strong().right();
    ReportBand &detail = band(BandType::Detail);
    addColumnFields(detail, 0, Columns);
    detail.addExpression(Columns[4].cell(0), ValueExpression, NumberFormat::mask(ValueMask), value);
    detail.setHeight(RowHeight);

    ReportBand &summary = band(BandType::Summary);
    summary.addRule(Columns[4].x, 3, Columns[4].width);
    summary.addLabel(QRectF(Columns[1].x, 6, 250, RowHeight), QStringLiteral("Total Inventory Value"), TextStyle().strong());
    summary.addExpression(Columns[4].cell(6), QStringLiteral("SUM(%1)").arg(ValueExpression), NumberFormat::mask(ValueMask),
                          value);
    summary.setHeight(6 + RowHeight + 4);
}

void TForm15::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Stock Level Report"), QStringLiteral("Rapport Niveau des Stocks")},
                     {QStringLiteral("UPC Code"), QStringLiteral("Code UPC")},
                     {QStringLiteral("Quantity"), QStringLiteral("Quantité")},
                     {QStringLiteral("Average Cost"), QStringLiteral("Coût moyen")},
                     {QStringLiteral("Total Value"), QStringLiteral("Valeur total")},
                     {QStringLiteral("Total Inventory Value"), QStringLiteral("Valeur total")}});
}
