#include "invoice_report.h"

#include "store/data_module.h"

using namespace InvoiceFrame;

namespace {

constexpr qreal TotalsColumnWidth = 104;
constexpr qreal TotalsColumnStep = 109;
constexpr qreal PaymentLabelX = 300;
constexpr qreal PaymentLabelWidth = 120;
constexpr qreal PaymentLineHeight = 13;

}

TForm17::TForm17(TDataModule2 &dm) : SaleDocument(dm, QStringLiteral("INVOICE"))
{
    const qreal width = PageGeometry::ContentWidth;

    ReportBand &header = band(BandType::PageHeader);
    addTitleAndCompany(header, documentName());
    invoiceNumber_ = addCaptionedBox(header, 0, 30, 110, QStringLiteral("Invoice Number"), QStringLiteral("sale.Trxh_id"));
    addCaptionedBox(header, 0, 66, 110, QStringLiteral("Cashier"), QStringLiteral("sale.Trxh_cashier"));
    addDateAndPage(header, QStringLiteral("sale.Trxh_date"), 82);
    header.addLabel(QRectF(RightX, 66, 60, LabelHeight), QStringLiteral("Terminal ID"));
    header.addField(QRectF(RightX + 62, 66, RightWidth - 62, LabelHeight), QStringLiteral("Control.Ctrl_terminal_id"));
    header.setHeight(112);

    addLineHeadings(band(BandType::Title));
    addLine(band(BandType::Detail));

    ReportBand &footer = band(BandType::PageFooter);
    footer.addRule(0, 2, width, 1);
    const TextStyle heading = TextStyle().strong();
    // Sub total, each tax under its name, total.
    const QStringList totals = QStringList{"Trxh_total"} + familyFields(QStringLiteral("Trxh_"), Taxes)
        + QStringList{"Trxh_grand_total"};
    for (int i = 0; i < totals.size(); ++i) {
        const QRectF caption(i * TotalsColumnStep, 6, TotalsColumnWidth, LabelHeight);
        if (i == 0)
            footer.addLabel(caption, QStringLiteral("Sub Total"), heading);
        else if (i == totals.size() - 1)
            footer.addLabel(caption, QStringLiteral("Total"), heading);
        else
            footer.addField(caption, QStringLiteral("Control.") + numbered("Ctrl_tx", i), heading);
        addBoxedField(footer, QRectF(i * TotalsColumnStep, 19, TotalsColumnWidth, BoxHeight),
                      QStringLiteral("sale.") + totals[i], TextStyle().right());
    }

    for (int i = 0; i < 3; ++i)
        footer.addField(QRectF(0, 46 + i * RowHeight, 280, RowHeight),
                        QStringLiteral("Control.Ctrl_slip_mess") + (i ? QString::number(i + 1) : QString()), heading);

    const auto paymentRow = [](int row) { return 46 + row * PaymentLineHeight; };
    const QRectF amountCell(PaymentLabelX + PaymentLabelWidth, 0, width - PaymentLabelX - PaymentLabelWidth,
                            PaymentLineHeight);
    for (int i = 0; i < PaymentCount; ++i) {
        const qreal y = paymentRow(i);
        paymentNames_[i] = footer.addField(QRectF(PaymentLabelX, y, PaymentLabelWidth, PaymentLineHeight),
                                           QStringLiteral("Control.") + numbered("Ctrl_pmt", i + 1));
        paymentAmounts_[i] = footer.addField(amountCell.translated(0, y),
                                             QStringLiteral("sale.") + numbered("Trxh_pmt", i + 1), TextStyle().right());
    }
    const int foreignRow = PaymentCount;
    footer.addLabel(QRectF(PaymentLabelX, paymentRow(foreignRow), PaymentLabelWidth, PaymentLineHeight),
                    QStringLiteral("Foreign Curr"));
    footer.addField(amountCell.translated(0, paymentRow(foreignRow)), QStringLiteral("sale.Trxh_fc1"),
                    TextStyle().right());
    footer.addLabel(QRectF(PaymentLabelX, paymentRow(foreignRow + 1), PaymentLabelWidth, PaymentLineHeight),
                    QStringLiteral("Your Change"));
    footer.addField(amountCell.translated(0, paymentRow(foreignRow + 1)), QStringLiteral("sale.Trxh_change"),
                    TextStyle().right())
        ->setNumberFormat(NumberFormat::currency());
    footer.addRule(0, paymentRow(foreignRow + 2) + 4, width, 1);
    footer.setHeight(paymentRow(foreignRow + 2) + 8);
}

void TForm17::setSale(const SaleRecord &sale)
{
    SaleRecord shown = sale;
    // A training sale is never posted: it shows the change it would be
    // posted with.
    if (sale.training)
        shown.header.setValue(QStringLiteral("Trxh_change"), sale.figures.registerChange().toDouble());
    SaleDocument::setSale(shown);
    invoiceNumber_->setEnabled(!sale.training);
}

void TForm17::setPaymentLineEnabled(int mode, bool enabled)
{
    paymentNames_[mode - 1]->setEnabled(enabled);
    paymentAmounts_[mode - 1]->setEnabled(enabled);
}

bool TForm17::paymentLineEnabled(int mode) const
{
    return paymentAmounts_[mode - 1]->enabled();
}

void TForm17::showNamedPaymentModesOnly()
{
    for (int mode = 1; mode <= PaymentCount; ++mode)
        setPaymentLineEnabled(mode, !dm.Control.field(numbered("Ctrl_pmt", mode)).asString().isEmpty());
}

void TForm17::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("INVOICE"), QStringLiteral("FACTURE")},
                     {QStringLiteral("Invoice Number"), QStringLiteral("Numéro Facture")},
                     {QStringLiteral("Cashier"), QStringLiteral("Caissier")},
                     {QStringLiteral("UPC Code"), QStringLiteral("Code UPC")},
                     {QStringLiteral("Quantity"), QStringLiteral("Quantité")},
                     {QStringLiteral("Price"), QStringLiteral("Prix")},
                     {QStringLiteral("Discount"), QStringLiteral("Escompte")},
                     {QStringLiteral("Sub Total"), QStringLiteral("Sous Total")},
                     {QStringLiteral("Your Change"), QStringLiteral("Votre Change")},
                     {QStringLiteral("Foreign Curr"), QStringLiteral("Devise étrangère")}});
}
