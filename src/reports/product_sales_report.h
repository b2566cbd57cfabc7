#pragma once

#include "reports/page_report.h"

// Product sales page report: one line per product the product table
// presents (the caller may filter it), day and period-to-date figures.
class TForm6 : public PageReport {
public:
    explicit TForm6(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
