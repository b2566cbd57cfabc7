#include "store_sales_listing.h"

#include "common/formats.h"
#include "common/language.h"
#include "reports/report_parts.h"

#include <QMultiHash>

namespace {

enum Band { ItemBand = 0, SectionBand = 1, TotalBand = 2 };
enum Column { Key, Description, Quantity, Sales };

const QList<ReportColumn> &listingColumns()
{
    static const QList<ReportColumn> columns{
        {0, 80, {}, {}},
        {85, 255, QStringLiteral("Description"), {}},
        {345, 80, {}, {}, true},
        {430, 110, {}, {}, true},
    };
    return columns;
}

// A lane's number, or -1 for the store's total (a NULL terminal).
int sectionOf(const QVariant &terminal)
{
    return terminal.isNull() ? -1 : terminal.toInt();
}

}

StoreSalesListing::StoreSalesListing(TDataModule2 &dm, StoreReportData data)
    : StoreReport(dm, storeReportTitle(data.kind), std::move(data)),
      listing_(this->data().table(this->data().kind == StoreReportKind::Products ? QStringLiteral("products")
                                                                              : QStringLiteral("departments"))),
      totals_(this->data().table(QStringLiteral("line_totals"))),
      products_(this->data().kind == StoreReportKind::Products),
      key_(listing_.column(products_ ? QStringLiteral("upc") : QStringLiteral("department"))),
      description_(listing_.column(products_ ? QStringLiteral("description") : QStringLiteral("department_name"))),
      quantity_(listing_.column(QStringLiteral("quantity"))),
      sales_(listing_.column(QStringLiteral("sales"))),
      totalTerminal_(totals_.column(QStringLiteral("terminal"))),
      totalQuantity_(totals_.column(QStringLiteral("quantity"))),
      totalSales_(totals_.column(QStringLiteral("sales")))
{
    if (!products_)
        addHeadingNote(chooseText(
            QStringLiteral("Each sale line counts for the department of its product in the store's catalogue now."),
            QStringLiteral("Chaque ligne de vente compte pour le département de son produit dans le catalogue "
                           "actuel du magasin.")));

    QList<ReportColumn> columns = listingColumns();
    columns[Key].heading = products_ ? chooseText(QStringLiteral("UPC Code"), QStringLiteral("Code UPC"))
                                     : chooseText(QStringLiteral("Department"), QStringLiteral("Département"));
    columns[Quantity].heading = chooseText(QStringLiteral("Quantity"), QStringLiteral("Quantité"));
    columns[Sales].heading = chooseText(QStringLiteral("Sales"), QStringLiteral("Ventes"));
    ReportBand &header = band(BandType::PageHeader);
    addColumnHeadings(header, headingBottom(), columns, TextStyle().strong().underlined());
    header.setHeight(headingBottom() + RowHeight + 6);

    ReportBand &item = band(BandType::Detail);
    for (int c = Key; c <= Sales; ++c)
        item.addText(columns[c].cell(0), [this, c] { return text(c); },
                     columns[c].rightAligned ? TextStyle().right() : TextStyle());
    item.setHeight(RowHeight);

    ReportBand &section = addDetailBand();
    section.addText(QRectF(0, 8, PageGeometry::ContentWidth, RowHeight), [this] {
        const QVariant terminal = totals_.value(row().source, totalTerminal_);
        return terminal.isNull() ? chooseText(QStringLiteral("Store (every lane)"),
                                              QStringLiteral("Magasin (toutes les caisses)"))
                                 : laneCaption(terminal);
    }, TextStyle().strong().sized(10));
    section.setHeight(8 + RowHeight + 4);
    section.setKeptWith(RowHeight); // with its first line

    ReportBand &total = addDetailBand();
    const TextStyle bold = TextStyle().strong();
    total.addRule(columns[Quantity].x, 2, PageGeometry::ContentWidth - columns[Quantity].x);
    total.addLabel(columns[Description].cell(5), chooseText(QStringLiteral("Total Sales"), QStringLiteral("Ventes total")),
                   bold);
    total.addText(columns[Quantity].cell(5),
                  [this] { return generalNumberText(totals_.number(row().source, totalQuantity_)); }, bold.right());
    total.addText(columns[Sales].cell(5), [this] { return currencyText(totals_.number(row().source, totalSales_)); },
                  bold.right());
    total.setHeight(5 + RowHeight + 4);

    // A section per row of the totals (every lane, then the store), each
    // with the listing's rows of that lane.
    const int listingTerminal = listing_.column(QStringLiteral("terminal"));
    QMultiHash<int, int> rowsOfSection;
    for (int r = listing_.rowCount() - 1; r >= 0; --r)
        rowsOfSection.insert(sectionOf(listing_.value(r, listingTerminal)), r);
    for (int t = 0; t < totals_.rowCount(); ++t) {
        addRow(SectionBand, t);
        for (int r : rowsOfSection.values(sectionOf(totals_.value(t, totalTerminal_))))
            addRow(ItemBand, r);
        addRow(TotalBand, t);
    }
}

QString StoreSalesListing::text(int column) const
{
    const int r = row().source;
    switch (column) {
    case Key:
        return listing_.value(r, key_).isNull() ? QString() : generalNumberText(listing_.number(r, key_));
    case Description:
        if (!products_ && listing_.value(r, key_).isNull())
            return chooseText(QStringLiteral("(products no longer in the catalogue)"),
                              QStringLiteral("(produits qui ne sont plus au catalogue)"));
        return listing_.value(r, description_).toString();
    case Quantity:
        return generalNumberText(listing_.number(r, quantity_));
    case Sales:
        return currencyText(listing_.number(r, sales_));
    }
    return {};
}
