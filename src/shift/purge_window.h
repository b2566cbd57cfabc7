#pragma once

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class TDataModule2;

// End of Period, Zero period totals (the main window refuses it during a
// transaction before it comes here): asks first, in every language, then
// zeroes the period-to-date totals and says when it is done. Returns false
// when the answer was No.
bool Zeroperiodtotals1Click(TDataModule2 &dm, QWidget *parent);

// End of Period, "Purge period to date sales register": the day up to
// which the sales register is purged. Proceed purges, says so and closes;
// Close closes.
class TForm20 : public QDialog {
    Q_OBJECT
public:
    explicit TForm20(TDataModule2 &dm, QWidget *parent = nullptr);

    // The picker on today, then the window, modally.
    void showForToday();
    void BitBtn1Click(); // Proceed
    void applyFrenchCaptions();

    QLabel *Label1;
    QDateEdit *DateTimePicker1;
    QPushButton *BitBtn1; // Proceed
    QPushButton *BitBtn2; // Close

private:
    TDataModule2 &dm_;
};
