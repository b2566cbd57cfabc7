#pragma once

#include "reports/report_range_controls.h"

#include <QDialog>
#include <functional>

class TDataModule2;
class TForm13;

// "Print Sales Register": the range of days of the sales register. Preview
// and Print run the register over the range, and the window stays open for
// another range until Close.
class TForm14 : public QDialog, public ReportRangeControls {
    Q_OBJECT
public:
    TForm14(TDataModule2 &dm, TForm13 &report, QWidget *parent = nullptr);

    // Both pickers on today, then the window, modally.
    void showForToday();
    void BitBtn1Click(); // Preview
    void BitBtn2Click(); // Print
    void applyFrenchCaptions();

private:
    // The register filtered on the range while `run` shows or prints it.
    void runOverRange(const std::function<void()> &run);

    TDataModule2 &dm_;
    TForm13 &report_;
};
