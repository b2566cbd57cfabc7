#include "invoice_frame.h"

namespace {

const QList<ReportColumn> LineColumns{
    {4, 81, QStringLiteral("UPC Code"), QStringLiteral("line.Trx_upc")},
    {90, 200, QStringLiteral("Description"), QStringLiteral("line.Trx_desc")},
    {295, 50, QStringLiteral("Quantity"), QStringLiteral("line.Trx_qty"), true},
    {350, 60, QStringLiteral("Price"), QStringLiteral("line.Trx_price"), true},
    {415, 58, QStringLiteral("Discount"), QStringLiteral("line.Trx_dscamt"), true},
    {478, 58, QStringLiteral("Total"), QStringLiteral("line.Trx_total"), true},
};

}

SaleDocument::SaleDocument(TDataModule2 &dm, const QString &documentName) : PageReport(dm, documentName)
{
    addRecord(QStringLiteral("sale"), &sale_.header);
    addRecord(QStringLiteral("line"), &line_);
    setHeldRows({[this] { return int(sale_.lines.size()); }, [this](int row) { line_ = sale_.lines[row]; }});
}

namespace InvoiceFrame {

void addTitleAndCompany(ReportBand &header, const QString &title)
{
    header.addLabel(QRectF(0, 0, PageGeometry::ContentWidth, 24), title, TextStyle().strong().centred().sized(16));
    const TextStyle style = TextStyle().strong().centred().sized(10);
    qreal y = 32;
    for (const char *field : {"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_company_tel"}) {
        header.addField(QRectF(120, y, 300, RowHeight), QStringLiteral("Control.") + QLatin1String(field), style);
        y += RowHeight;
    }
}

FieldItem *addDateAndPage(ReportBand &header, const QString &dateField, qreal pageTop)
{
    FieldItem *date = addCaptionedBox(header, RightX, 30, RightWidth, QStringLiteral("Date"), dateField);
    header.addSystemItem(QRectF(RightX, pageTop, RightWidth, LabelHeight), SystemItem::Kind::PageNumber);
    return date;
}

FieldItem *addCaptionedBox(ReportBand &band, qreal x, qreal y, qreal width, const QString &caption,
                           const QString &fieldPath)
{
    band.addLabel(QRectF(x, y, width, LabelHeight), caption);
    return addBoxedField(band, QRectF(x, y + LabelHeight + 1, width, BoxHeight), fieldPath);
}

void addLineHeadings(ReportBand &title)
{
    title.addBox(QRectF(0, 2, PageGeometry::ContentWidth, BoxHeight));
    addColumnHeadings(title, 4, LineColumns, TextStyle().strong());
    title.setHeight(BoxHeight + 6);
}

void addLine(ReportBand &detail)
{
    addColumnFields(detail, 0, LineColumns);
    detail.setHeight(RowHeight);
}

}
