#pragma once

#include "common/amount_families.h"
#include "reports/invoice_frame.h"

// Invoice page report of one sale: its header, lines and totals. A sale
// rung in training is never posted: its invoice has no number.
class TForm17 : public SaleDocument {
public:
    explicit TForm17(TDataModule2 &dm);
    void applyFrenchCaptions() override;
    void setSale(const SaleRecord &sale) override;

    // The label and amount of payment mode 1, 2 ..
    void setPaymentLineEnabled(int mode, bool enabled);
    bool paymentLineEnabled(int mode) const;
    // Shows the payment lines whose mode has a name in the control record
    // and hides the others, as checkout does before printing.
    void showNamedPaymentModesOnly();

private:
    FieldItem *invoiceNumber_;
    FieldItem *paymentNames_[PaymentCount];
    FieldItem *paymentAmounts_[PaymentCount];
};
