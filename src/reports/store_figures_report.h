#pragma once

#include "reports/store_report.h"

// The store's financial report (a column per lane, then the store's) and
// its cashier report (for each cashier, a column per lane it sold on,
// then its total when it sold on several): the figures of the lanes' own
// financial report, one per row. Five columns side by side at most; more
// lanes continue in a second block of columns below.
class StoreFiguresReport : public StoreReport {
public:
    StoreFiguresReport(TDataModule2 &dm, StoreReportData data);

private:
    struct Figure {
        QString caption;
        QString column; // of the server's table
        bool count = false;
    };
    QList<Figure> figures() const;
    void addBlocks(const QList<int> &columns);
    QString columnHeading(int block, int column) const;
    QString value(int block, int column, int figure) const;

    const StoreReportTable &table_;
    bool cashiers_;
    QList<Figure> figures_;
    QList<int> figureColumns_;
    QList<QList<int>> blocks_; // each block's table rows, left to right
};
