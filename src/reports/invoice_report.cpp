#include "invoice_report.h"

#include "reports/invoice_frame.h"
#include "store/data_module.h"
#include "store/sale_records.h"

using namespace InvoiceFrame;

namespace {

constexpr qreal TotalsColumnWidth = 104;
constexpr qreal TotalsColumnStep = 109;
constexpr qreal PaymentLabelX = 300;
constexpr qreal PaymentLabelWidth = 120;
constexpr qreal PaymentLineHeight = 13;

}

TForm17::TForm17(TDataModule2 &dm) : PageReport(dm, QStringLiteral("INVOICE"))
{
    setDataSet(&dm.tmpdetail);
    const qreal width = PageGeometry::ContentWidth;

    ReportBand &header = band(BandType::PageHeader);
    addTitleAndCompany(header, documentName());
    invoiceNumber_ = addCaptionedBox(header, 0, 30, 110, QStringLiteral("Invoice Number"), QStringLiteral("tranmaster.Trxh_id"));
    saleFields_.append(addCaptionedBox(header, 0, 66, 110, QStringLiteral("Cashier"), QStringLiteral("tranmaster.Trxh_cashier")));
    saleFields_.append(addDateAndPage(header, QStringLiteral("tranmaster.Trxh_date"), 82));
    header.addLabel(QRectF(RightX, 66, 60, LabelHeight), QStringLiteral("Terminal ID"));
    header.addField(QRectF(RightX + 62, 66, RightWidth - 62, LabelHeight), QStringLiteral("Control.Ctrl_terminal_id"));
    header.setHeight(112);

    addLineHeadings(band(BandType::Title));
    addLine(band(BandType::Detail));

    ReportBand &footer = band(BandType::PageFooter);
    footer.addRule(0, 2, width, 1);
    const TextStyle heading = TextStyle().strong();
    const QStringList totals{"Trxh_total", "Trxh_tx1", "Trxh_tx2", "Trxh_tx3", "Trxh_grand_total"};
    for (int i = 0; i < totals.size(); ++i) {
        const QRectF caption(i * TotalsColumnStep, 6, TotalsColumnWidth, LabelHeight);
        if (i == 0)
            footer.addLabel(caption, QStringLiteral("Sub Total"), heading);
        else if (i == 4)
            footer.addLabel(caption, QStringLiteral("Total"), heading);
        else
            footer.addField(caption, QStringLiteral("Control.Ctrl_tx%1").arg(i), heading);
        saleFields_.append(addBoxedField(footer, QRectF(i * TotalsColumnStep, 19, TotalsColumnWidth, BoxHeight),
                                         QStringLiteral("tranmaster.") + totals[i], TextStyle().right()));
    }

    for (int i = 0; i < 3; ++i)
        footer.addField(QRectF(0, 46 + i * RowHeight, 280, RowHeight),
                        QStringLiteral("Control.Ctrl_slip_mess") + (i ? QString::number(i + 1) : QString()), heading);

    const auto paymentRow = [](int row) { return 46 + row * PaymentLineHeight; };
    const QRectF amountCell(PaymentLabelX + PaymentLabelWidth, 0, width - PaymentLabelX - PaymentLabelWidth,
                            PaymentLineHeight);
    for (int i = 0; i < 5; ++i) {
        const qreal y = paymentRow(i);
        paymentNames_[i] = footer.addField(QRectF(PaymentLabelX, y, PaymentLabelWidth, PaymentLineHeight),
                                           QStringLiteral("Control.Ctrl_pmt%1").arg(i + 1));
        paymentAmounts_[i] = footer.addField(amountCell.translated(0, y), QStringLiteral("tranmaster.Trxh_pmt%1").arg(i + 1),
                                             TextStyle().right());
        saleFields_.append(paymentAmounts_[i]);
    }
    footer.addLabel(QRectF(PaymentLabelX, paymentRow(5), PaymentLabelWidth, PaymentLineHeight), QStringLiteral("Foreign Curr"));
    saleFields_.append(footer.addField(amountCell.translated(0, paymentRow(5)), QStringLiteral("tranmaster.Trxh_fc1"),
                                       TextStyle().right()));
    footer.addLabel(QRectF(PaymentLabelX, paymentRow(6), PaymentLabelWidth, PaymentLineHeight), QStringLiteral("Your Change"));
    footer.addComputed(
        amountCell.translated(0, paymentRow(6)),
        [this] {
            // A training sale shows the change it would be posted with.
            return source_ == HeaderSource::WorkSale
                ? saleFiguresOf(this->dm.tmpmaster, this->dm.Control).registerChange().toDouble()
                : this->dm.tranmaster.field(QStringLiteral("Trxh_change")).asFloat();
        },
        NumberFormat::currency(), TextStyle().right());
    footer.addRule(0, paymentRow(7) + 4, width, 1);
    footer.setHeight(paymentRow(7) + 8);
}

void TForm17::setHeaderSource(HeaderSource source)
{
    source_ = source;
    Table &table = source == HeaderSource::WorkSale ? dm.tmpmaster : dm.tranmaster;
    for (FieldItem *item : saleFields_)
        item->setTable(table);
    invoiceNumber_->setEnabled(source == HeaderSource::PostedSale);
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
    for (int mode = 1; mode <= 5; ++mode)
        setPaymentLineEnabled(mode, !dm.Control.field(QStringLiteral("Ctrl_pmt%1").arg(mode)).asString().isEmpty());
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
