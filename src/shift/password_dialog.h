#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimer>

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
    // Says how long the next try must wait after wrong codes.
    QLabel *WaitLabel;

    void applyFrenchCaptions();

    // Keeps the code field and OK shut for the seconds given, counting
    // them down in the dialog (0: no wait). Close stays open.
    void holdOff(int seconds);
    bool holdingOff() const;

public slots:
    // Refused while the next try must wait.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showWait();

    QDateTime holdUntil_;
    int holdSeconds_ = 0;
    QTimer countdown_;
};
