#include "sales_register_report.h"

#include "common/amount_families.h"
#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

const QList<ReportColumn> SaleColumns{
    {0, 70, QStringLiteral("Number"), QStringLiteral("tranmaster.Trxh_id")},
    {75, 70, QStringLiteral("Cashier"), QStringLiteral("tranmaster.Trxh_cashier")},
    {150, 80, QStringLiteral("Date"), QStringLiteral("tranmaster.Trxh_date")},
    {235, 80, QStringLiteral("Time"), QStringLiteral("tranmaster.Trxh_time")},
};

const QList<ReportColumn> LineColumns{
    {0, 80, QStringLiteral("UPC Code"), QStringLiteral("trandetail.Trx_upc")},
    {85, 215, QStringLiteral("Description"), QStringLiteral("trandetail.Trx_desc")},
    {305, 50, QStringLiteral("Quantity"), QStringLiteral("trandetail.Trx_qty"), true},
    {360, 55, QStringLiteral("Price"), QStringLiteral("trandetail.Trx_price"), true},
    {420, 55, QStringLiteral("Discount"), QStringLiteral("trandetail.Trx_dscamt"), true},
    {480, 60, QStringLiteral("Total"), QStringLiteral("trandetail.Trx_total"), true},
};

const qreal GroupX[3] = {0, 190, 375};
const qreal GroupLabelWidth[3] = {85, 80, 80};
constexpr qreal AmountWidth = 85;

// The three groups of amounts under a sale's heading, five rows at most:
// a caption, then the sale's field.
QList<QList<CaptionedField>> amountGroups()
{
    const QString sale = QStringLiteral("Trxh_");
    QList<CaptionedField> payments = familyCaptions(sale, Payments), coupons = familyCaptions(sale, Coupons), totals;
    coupons.append({Caption::fixed(QStringLiteral("Foreign Curr")), QStringLiteral("Trxh_fc1")});
    totals.append({Caption::fixed(QStringLiteral("Sub Total")), QStringLiteral("Trxh_total")});
    totals << familyCaptions(sale, Taxes);
    totals.append({Caption::fixed(QStringLiteral("Grand Total")), QStringLiteral("Trxh_grand_total")});
    return {payments, coupons, totals};
}

}

TForm13::TForm13(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Sales Register Report"))
{
    setDataSet(&dm.tranmaster);
    setSubDetailSet(&dm.trandetail);

    ReportBand &header = band(BandType::PageHeader);
    header.setHeight(addReportHeading(header, documentName()));

    ReportBand &detail = band(BandType::Detail);
    detail.addRule(0, 2, PageGeometry::ContentWidth);
    addColumnHeadings(detail, 6, SaleColumns, TextStyle().strong());
    addColumnFields(detail, 6 + RowHeight, SaleColumns);

    const qreal amountsTop = 8 + 2 * RowHeight;
    const QList<QList<CaptionedField>> groups = amountGroups();
    for (int g = 0; g < groups.size(); ++g) {
        for (int row = 0; row < groups[g].size(); ++row) {
            const CaptionedField &a = groups[g][row];
            const qreal y = amountsTop + row * RowHeight;
            addCaption(detail, QRectF(GroupX[g], y, GroupLabelWidth[g], RowHeight), a.caption);
            detail.addField(QRectF(GroupX[g] + GroupLabelWidth[g], y, AmountWidth, RowHeight),
                            QStringLiteral("tranmaster.") + a.field, TextStyle().right());
        }
    }
    const qreal linesTop = amountsTop + 5 * RowHeight + 4;
    addColumnHeadings(detail, linesTop, LineColumns, TextStyle().strong().underlined());
    detail.setHeight(linesTop + RowHeight + 2);

    ReportBand &line = band(BandType::SubDetail);
    addColumnFields(line, 0, LineColumns);
    line.setHeight(13);
}

void TForm13::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Sales Register Report"), QStringLiteral("Registre des Ventes")},
                     {QStringLiteral("Number"), QStringLiteral("Numéro")},
                     {QStringLiteral("Cashier"), QStringLiteral("Caissier")},
                     {QStringLiteral("Sub Total"), QStringLiteral("Sous Total")},
                     {QStringLiteral("UPC Code"), QStringLiteral("Code UPC")},
                     {QStringLiteral("Price"), QStringLiteral("Prix")},
                     {QStringLiteral("Quantity"), QStringLiteral("Quantité")},
                     {QStringLiteral("Time"), QStringLiteral("Heure")},
                     {QStringLiteral("Discount"), QStringLiteral("Escompte")},
                     {QStringLiteral("Foreign Curr"), QStringLiteral("Devise étrangère")}});
}
