#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The cashier sign-in dialog: one code field that shows a star for every
// character typed, OK (the default button) and Close.
class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget *parent = nullptr);

    QLineEdit *Password;
    QLabel *Label1;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

    void applyFrenchCaptions();

protected:
    void showEvent(QShowEvent *event) override;
};
