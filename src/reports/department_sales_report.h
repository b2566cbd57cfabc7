#pragma once

#include "reports/page_report.h"

// Department sales page report: one line per department the department
// table presents (the caller may filter it), day and period-to-date sales.
class TForm19 : public PageReport {
public:
    explicit TForm19(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
