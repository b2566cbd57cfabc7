#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asked at every sign-out: count the money and close? Yes (the default,
// accepted) or No.
class TMoneyCountDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMoneyCountDlg(QWidget *parent = nullptr);

    QLabel *Label1;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

    void applyFrenchCaptions();
};
