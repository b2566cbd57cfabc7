#pragma once

#include "sign_in_wait.h"

#include "widgets/new_pin_dialog.h"

#include <QString>

class MoneyCount;
class TDataModule2;
class TMoneyCountDlg;
class TPasswordDlg;

// What the In/Out action needs of the main window.
class ShiftHost {
public:
    virtual ~ShiftHost() = default;
    virtual void setManagerMenu(bool attached) = 0;
    virtual void setTrainingMode(bool shown) = 0;
    // The name of the cashier who has just signed in.
    virtual void showCashierName(const QString &name) = 0;
    // Sets the main window's ShuttingDown, closes the tables, disconnects
    // and closes the main window.
    virtual void shutDown() = 0;
};

// Cashier sign-out and sign-in: the work of the main window's In/Out
// action (F12, start-up, End of day, the cashier editor, Zero period
// totals) once its guard has let it through. A cashier is signed in
// exactly while the code field of the sign-in dialog holds the code that
// was accepted. After three wrong codes in a row, each further try
// waits longer (1, 2, 4 ... 30 s), shown in the dialog, also after a
// restart. A shop that requires secret codes asks for the cashier's PIN
// with the code; a cashier without a PIN, or with one given by a manager,
// chooses one before signing in.
class CashierShift {
public:
    CashierShift(TDataModule2 &dm, TPasswordDlg &signIn, TMoneyCountDlg &countQuestion, MoneyCount &count,
                 ShiftHost &host);

    // Removes the blank entry line, offers the money count to the cashier
    // signed in, then asks for a cashier until one signs in or the dialog
    // is closed, which shuts the program down.
    void signOutAndIn();

    bool signedIn() const;
    int cashierId() const { return cashierId_; }

    // Makes the signed-in cashier the current cashier record again; false
    // when that cashier no longer exists.
    bool findSignedInCashier();

private:
    enum class Admission { In, Refused, NotYet };

    void signInLoop();
    // Whether the code (and the PIN, with secret codes) lets the cashier
    // in; NotYet when the cashier did not choose the PIN asked for.
    Admission admit(int code, const QString &pin, bool secretCodes);
    void nameCashierOnWaitingHeader();

    TDataModule2 &dm_;
    TPasswordDlg &signIn_;
    TMoneyCountDlg &countQuestion_;
    MoneyCount &count_;
    ShiftHost &host_;
    int cashierId_ = 0;
    SignInWait wait_;
    NewPinDialog newPin_;
};
