#include "stock_levels_report.h"

#include "lanes/store_stock.h"
#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

const QString ValueExpression = QStringLiteral("producttb.Product_qty * producttb.Product_avg_cost");

constexpr int StoreLines = 3;
constexpr int LanesPerLine = 4;
constexpr qreal StoreLineHeight = 13;

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

    addListing(band(BandType::PageHeader), band(BandType::Detail), documentName(), Columns,
               TextStyle().underlined());
    band(BandType::Detail).addExpression(Columns[4].cell(0), ValueExpression, NumberFormat::mask(ValueMask),
                                         TextStyle().strong().right());
    addTotalLine(band(BandType::Summary), Columns[1], QStringLiteral("Total Inventory Value"),
                 {{Columns[4], QStringLiteral("SUM(%1)").arg(ValueExpression)}}, NumberFormat::mask(ValueMask));
    for (int i = 0; i < StoreLines; ++i)
        storeLines_ << band(BandType::Title).addLabel(
            QRectF(0, i * StoreLineHeight, PageGeometry::ContentWidth, StoreLineHeight), QString(),
            TextStyle().sized(8));
}

void TForm15::noteStoreStock()
{
    const std::optional<StoreStock::Counted> counted = StoreStock::read(dm.database());
    const QStringList lines = counted ? StoreStock::text(*counted, LanesPerLine) : QStringList();
    for (int i = 0; i < StoreLines; ++i)
        storeLines_[i]->setCaption(lines.value(i));
    band(BandType::Title).setHeight(lines.isEmpty() ? 0 : std::min(int(lines.size()), StoreLines) * StoreLineHeight + 6);
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
