#pragma once

#include "reports/page_report.h"

// Sales register page report: every posted sale the sales register
// presents (the caller switches its date filter on), each with its lines.
class TForm13 : public PageReport {
public:
    explicit TForm13(TDataModule2 &dm);
    void applyFrenchCaptions() override;
};
