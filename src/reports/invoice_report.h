#pragma once

#include "common/amount_families.h"
#include "reports/page_report.h"

class FieldItem;
class LabelItem;
class ComputedItem;

// Invoice page report: the lines of the sale still in the work lines,
// with the header and totals of the sale. The header and totals normally
// come from the sale just posted (the current sales-register record); a
// training sale is never posted, so its invoice takes them from the work
// header instead, or it would show the figures of an older sale.
class TForm17 : public PageReport {
public:
    enum class HeaderSource { PostedSale, WorkSale };

    explicit TForm17(TDataModule2 &dm);
    void applyFrenchCaptions() override;

    // A work sale has no invoice number yet: its box stays empty.
    void setHeaderSource(HeaderSource source);
    HeaderSource headerSource() const { return source_; }

    // The label and amount of payment mode 1, 2 ..
    void setPaymentLineEnabled(int mode, bool enabled);
    bool paymentLineEnabled(int mode) const;
    // Shows the payment lines whose mode has a name in the control record
    // and hides the others, as checkout does before printing.
    void showNamedPaymentModesOnly();

private:
    HeaderSource source_ = HeaderSource::PostedSale;
    FieldItem *invoiceNumber_;
    QList<FieldItem *> saleFields_;
    FieldItem *paymentNames_[PaymentCount];
    FieldItem *paymentAmounts_[PaymentCount];
};
