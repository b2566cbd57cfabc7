#pragma once

#include "common/pin_secret.h"

#include <QDialog>
#include <optional>

class Database;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// An entry field for a PIN: digits only, at most eight, a star shown for each.
QLineEdit *createPinField(const char *name, QWidget *parent);

// Asks for a new PIN twice: a cashier choosing their own at sign-in, or a
// manager giving one in the cashier editor (ticked by default: the
// cashier replaces it at the next sign-in). A PIN has 4 to 8 digits, is
// not the cashier code (printed on every receipt) and, when one was given
// to be replaced, is not that one. Enter in the first field moves to the
// second. The fields show a star for each digit and are emptied whenever
// the dialog closes; the PIN is kept only as its hash.
class NewPinDialog : public QDialog {
    Q_OBJECT
public:
    enum class Chooser { Self, Manager };

    explicit NewPinDialog(QWidget *parent = nullptr);

    // Asks for the PIN of a cashier and keeps its secret in the database;
    // false when cancelled. `given` is the secret to be replaced, if any.
    bool askAndKeep(Database &db, int cashierId, const QString &name, Chooser chooser,
                    const std::optional<PinSecret> &given = std::nullopt);

    QLabel *Intro;
    QLabel *NewPinLabel, *ConfirmationLabel;
    QLineEdit *NewPin, *Confirmation;
    QCheckBox *MustChange;
    QLabel *Problem;
    QPushButton *OKBtn, *CancelBtn;

public slots:
    // Refused, with the reason in the dialog, until the PIN is acceptable.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepare(int cashierId, const QString &name, Chooser chooser);
    void clearEntries();

    int cashierId_ = 0;
    std::optional<PinSecret> given_;
};
