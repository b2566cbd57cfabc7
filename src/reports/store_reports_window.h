#pragma once

#include "lanes/store_report_data.h"
#include "reports/report_range_controls.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class TDataModule2;

// "Store reports", on a lane: the store's financial, cashier, product
// sales, department sales report or sales register for a range of days,
// as the store server computes them from the sales of every lane.
// Preview and Print ask the server each time; the window stays open for
// another report or range until Close. When the server cannot give the
// report, a message says why and nothing else happens.
class StoreReportsWindow : public QDialog, public ReportRangeControls {
    Q_OBJECT
public:
    // Asks the store server for a report's data; throws ServerError.
    using Reader = std::function<StoreReportData(StoreReportKind, const QDate &from, const QDate &to)>;

    StoreReportsWindow(TDataModule2 &dm, Reader reader, QWidget *parent = nullptr);

    // Both pickers on today, then the window, modally.
    void showForToday();
    void PreviewClick();
    void PrintClick();
    void applyFrenchCaptions();

    QGroupBox *ReportGroup;
    QRadioButton *FinancialItem, *CashiersItem, *ProductsItem, *DepartmentsItem, *RegisterItem;

private:
    StoreReportKind chosenKind() const;
    // The chosen report over the range, handed to `show`; a message
    // instead when the range is backwards or the server cannot give it.
    void runChosen(const std::function<void(class StoreReport &)> &show);

    TDataModule2 &dm_;
    Reader reader_;
    QButtonGroup *kinds_;
};
