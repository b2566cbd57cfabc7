#pragma once

#include "reports/page_report.h"

// Blind money count page report: what the signed-in cashier counted
// (the record of the money table) beside what the system expected (the
// money-count totals of the cashier's record, the current cashier record).
class TForm12 : public PageReport {
public:
    explicit TForm12(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
