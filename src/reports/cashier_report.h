#pragma once

#include "reports/page_report.h"

// Cashier page report: one block of running totals per cashier, in the
// cashier table's order.
class TForm9 : public PageReport {
public:
    explicit TForm9(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
