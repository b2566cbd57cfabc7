#pragma once

#include "reports/invoice_frame.h"

// Stock receipt page report: the received lines with the cashier, date
// and total of the receiving. Its captions stay English in both languages.
class TForm26 : public SaleDocument {
public:
    explicit TForm26(TDataModule2 &dm);
};
