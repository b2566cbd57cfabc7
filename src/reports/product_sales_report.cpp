#include "product_sales_report.h"

#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

const QList<ReportColumn> Columns{
    {0, 80, QStringLiteral("UPC Code"), QStringLiteral("producttb.Product_upc")},
    {85, 185, QStringLiteral("Description"), QStringLiteral("producttb.Product_desc")},
    {275, 55, QStringLiteral("Quantity"), QStringLiteral("producttb.Product_qty_sales"), true},
    {335, 70, QStringLiteral("Sales"), QStringLiteral("producttb.Product_sales"), true},
    {410, 55, QStringLiteral("Quantity"), QStringLiteral("producttb.Product_qty_sales_pdt"), true},
    {470, 70, QStringLiteral("Sales"), QStringLiteral("producttb.Product_sales_ptd"), true},
};

}

TForm6::TForm6(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Product Sales Report"))
{
    setDataSet(&dm.producttb);

    ReportBand &header = band(BandType::PageHeader);
    const qreal headingsTop = addReportHeading(header, documentName());
    addColumnHeadings(header, headingsTop, Columns, TextStyle().strong().underlined());
    header.setHeight(headingsTop + RowHeight + 6);

    ReportBand &detail = band(BandType::Detail);
    addColumnFields(detail, 0, Columns);
    detail.setHeight(RowHeight);

    const TextStyle total = TextStyle().strong();
    ReportBand &summary = band(BandType::Summary);
    summary.addRule(Columns[3].x, 3, PageGeometry::ContentWidth - Columns[3].x);
    summary.addLabel(Columns[1].cell(6), QStringLiteral("Total Sales"), total);
    summary.addExpression(Columns[3].cell(6), QStringLiteral("SUM(producttb.Product_sales)"), NumberFormat::currency(),
                          total.right());
    summary.addExpression(Columns[5].cell(6), QStringLiteral("SUM(producttb.Product_sales_ptd)"),
                          NumberFormat::currency(), total.right());
    summary.setHeight(6 + RowHeight + 4);
}

void TForm6::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Product Sales Report"), QStringLiteral("Rapport Ventes des Produits")},
                     {QStringLiteral("UPC Code"), QStringLiteral("Code UPC")},
                     {QStringLiteral("Quantity"), QStringLiteral("Quantité")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Total Sales"), QStringLiteral("Ventes total")}});
}
