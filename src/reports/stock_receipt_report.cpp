#include "stock_receipt_report.h"

using namespace InvoiceFrame;

TForm26::TForm26(TDataModule2 &dm) : SaleDocument(dm, QStringLiteral("STOCK RECEIPT"))
{
    const qreal width = PageGeometry::ContentWidth;

    ReportBand &header = band(BandType::PageHeader);
    addTitleAndCompany(header, documentName());
    header.addLabel(QRectF(0, 28, 60, LabelHeight), QStringLiteral("Terminal ID"));
    header.addField(QRectF(62, 28, 60, LabelHeight), QStringLiteral("Control.Ctrl_terminal_id"));
    addCaptionedBox(header, 0, 48, 110, QStringLiteral("Cashier"), QStringLiteral("sale.Trxh_cashier"));
    addDateAndPage(header, QStringLiteral("sale.Trxh_date"), 66);
    header.setHeight(94);

    addLineHeadings(band(BandType::Title));
    addLine(band(BandType::Detail));

    ReportBand &footer = band(BandType::PageFooter);
    footer.addRule(0, 2, width, 1);
    footer.addLabel(QRectF(RightX - 60, 8, 55, BoxHeight), QStringLiteral("Total"), TextStyle().strong().right());
    addBoxedField(footer, QRectF(RightX, 8, RightWidth, BoxHeight), QStringLiteral("sale.Trxh_total"),
                  TextStyle().right());
    footer.addRule(0, 32, width, 1);
    footer.setHeight(36);
}
