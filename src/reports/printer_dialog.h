#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

// "Select printer": whether a report goes to the receipt printer (item 0,
// chosen at start) or to the standard printer (item 1). The dialog lives
// as long as the program, so the last choice is the next one offered.
class TPrinterDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPrinterDialog(QWidget *parent = nullptr);

    // The radio group's chosen item: 0 receipt printer, 1 standard printer.
    int ItemIndex() const;
    void applyFrenchCaptions();

    QGroupBox *RadioGroup1; // "Print Report"
    QRadioButton *ReceiptPrinterItem;
    QRadioButton *StandardPrinterItem;
    QPushButton *OKBtn;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QButtonGroup *items_;
};
