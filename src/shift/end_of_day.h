#pragma once

#include <functional>

class CashierShift;
class TDataModule2;

struct EndOfDayParts {
    TDataModule2 &dm;
    CashierShift &shift;
    // The page versions of the cashier, financial and product sales
    // reports in the preview; each returns when the preview is closed.
    std::function<void()> previewCashierReport;
    std::function<void()> previewFinancialReport;
    std::function<void()> previewProductReport;
    // A new work header for the signed-in cashier.
    std::function<void()> startWorkHeader;
    // The main window's In/Out action.
    std::function<void()> signOutAndIn;
};

// End of Day <F7>, once the sale window has checked that no transaction
// is in progress: the end-of-day reports the control record asks for, shown
// before anything changes so that they show the day being closed; every
// day total zeroed (all or none); a new work header; then the sign-out
// with its money count, and the sign-in of the next cashier or the end of
// the program.
class EndOfDay {
public:
    explicit EndOfDay(EndOfDayParts parts) : p_(std::move(parts)) {}

    void BitBtn7Click();

private:
    EndOfDayParts p_;
};
