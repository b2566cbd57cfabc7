#pragma once

#include "reports/page_report.h"

// Stock levels page report: every product with its quantity on hand,
// average cost and their product, and the total value of the inventory.
// On a lane of a store server the quantities are the store's, and the
// report says up to when each lane's sales are counted in them.
class TForm15 : public PageReport {
public:
    explicit TForm15(TDataModule2 &dm);
    void applyFrenchCaptions() override;
    // Reads how far the store's stock goes, before a run.
    void noteStoreStock();

    // Two decimals, thousands separators, negatives in parentheses.
    static inline const QString ValueMask = QStringLiteral("###,##0.00;(###,##0.00)");

private:
    QList<LabelItem *> storeLines_;
};
