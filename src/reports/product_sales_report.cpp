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
    addListing(band(BandType::PageHeader), band(BandType::Detail), documentName(), Columns,
               TextStyle().strong().underlined());
    addTotalLine(band(BandType::Summary), Columns[1], QStringLiteral("Total Sales"),
                 {{Columns[3], QStringLiteral("SUM(producttb.Product_sales)")},
                  {Columns[5], QStringLiteral("SUM(producttb.Product_sales_ptd)")}},
                 NumberFormat::currency());
}

void TForm6::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Product Sales Report"), QStringLiteral("Rapport Ventes des Produits")},
                     {QStringLiteral("UPC Code"), QStringLiteral("Code UPC")},
                     {QStringLiteral("Quantity"), QStringLiteral("Quantité")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Total Sales"), QStringLiteral("Ventes total")}});
}
