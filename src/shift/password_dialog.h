#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

// The cashier sign-in dialog: one code field that shows a star for every
// character typed, OK (the default button) and Close. In a shop that
// requires secret codes a PIN field follows the code field: Enter in the
// code field moves on to it, Enter there signs in.
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
    // Shown only while secret codes are required.
    QLabel *PinLabel;
    QLineEdit *Pin;

    void applyFrenchCaptions();

    // Shows or hides the PIN field; with secret codes every refusal says
    // that the code or the PIN was wrong, never which.
    void setSecretCodes(bool required);
    bool secretCodes() const { return secretCodes_; }

    // Keeps the code field and OK shut until `seconds` after `from`,
    // counting them down in the dialog (0: no wait). Close stays open.
    void holdOff(int seconds, const QDateTime &from);
    bool holdingOff() const;
    // The last try was refused (said only with secret codes, where the
    // refusal must not be silent, and while there is no wait to show).
    void setRefused(bool refused);

public slots:
    // Refused while the next try must wait.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showWait();
    void fitSize();
    // The refusal that counts down a wait.
    QString waitText(int seconds) const;

    QDateTime holdUntil_;
    int holdSeconds_ = 0;
    bool secretCodes_ = false;
    bool refused_ = false;
    QTimer countdown_;
};
