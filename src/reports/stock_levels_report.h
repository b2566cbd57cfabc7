#pragma once

#include "reports/page_report.h"

// Stock levels page report: every product with its quantity on hand,
// average cost and their product, and the total value of the inventory.
class TForm15 : public PageReport {
public:
    explicit TForm15(TDataModule2 &dm);
    void applyFrenchCaptions() override;

    // Two decimals, thousands separators, negatives in parentheses.
    static inline const QString ValueMask = QStringLiteral("###,##0.00;(###,##0.00)");
};
