#pragma once

#include "reports/store_report.h"

// The store's product and department sales reports: a section per lane,
// then the store's, each listing what sold in the range (code,
// description, quantity, sales) above its total.
class StoreSalesListing : public StoreReport {
public:
    StoreSalesListing(TDataModule2 &dm, StoreReportData data);

private:
    QString text(int column) const;

    const StoreReportTable &listing_;
    const StoreReportTable &totals_;
    bool products_;
    int key_, description_, quantity_, sales_;
    int totalTerminal_, totalQuantity_, totalSales_;
};
