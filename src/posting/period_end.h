#pragma once

class QWidget;
class TDataModule2;
class TForm20;

// The End of Period menu: Zero period totals and the purge of the sales
// register. The main window refuses Zero period totals during a
// transaction before it comes here.
class PeriodEnd {
public:
    PeriodEnd(TDataModule2 &dm, TForm20 &purgeWindow, QWidget *parent);

    // Asks first, in every language, then zeroes the period-to-date totals
    // and says when it is done. Returns false when the answer was No.
    bool Zeroperiodtotals1Click();
    void Purgeperiodtodatesalesregister1Click();

private:
    TDataModule2 &dm_;
    TForm20 &purgeWindow_;
    QWidget *parent_;
};
