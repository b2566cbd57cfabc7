#pragma once

#include "reports/page_report.h"

// Financial page report: the store-wide totals of the day and, below
// them, of the period to date.
class TForm10 : public PageReport {
public:
    explicit TForm10(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
