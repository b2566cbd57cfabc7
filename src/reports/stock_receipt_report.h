#pragma once

#include "reports/page_report.h"

// Stock receipt page report: the received lines of the work lines with
// the cashier, date and total of the work header. Its captions stay
// English in both languages.
class TForm26 : public PageReport {
public:
    explicit TForm26(TDataModule2 &dm);
};
