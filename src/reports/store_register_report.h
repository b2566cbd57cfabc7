#pragma once

#include "reports/store_report.h"

// The store's sales register: a section per lane with each of its sales
// of the range laid out as in the lane's own register (number, cashier,
// date and time, the amounts, the lines), closed by the lane's number of
// sales and totals; the store's totals at the end.
class StoreRegisterReport : public StoreReport {
public:
    StoreRegisterReport(TDataModule2 &dm, StoreReportData data);

private:
    // The detail bands, in the order of their numbers: a line, a lane's
    // heading and a lane's totals (the heading is returned), a sale.
    void addLineBand();
    ReportBand &addTotalsBands();
    const ReportBand &addSaleBand();
    QString saleText(const QString &column) const;

    const StoreReportTable &sales_;
    const StoreReportTable &lines_;
    const StoreReportTable &totals_;
};
