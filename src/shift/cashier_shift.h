#pragma once

class MoneyCount;
class TDataModule2;
class TMoneyCountDlg;
class TPasswordDlg;

// What the In/Out action needs of the main window.
class ShiftHost {
public:
    virtual ~ShiftHost() = default;
    virtual void focusUpcField() = 0;
    virtual void setManagerMenu(bool attached) = 0;
    virtual void setTrainingMode(bool shown) = 0;
    // Closes the tables, disconnects and closes the main window.
    virtual void shutDown() = 0;
};

// Cashier sign-in and sign-out: the In/Out action of the main window (F12,
// start-up, End of day, the cashier editor, Zero period totals). A cashier
// is signed in exactly while the code field of the sign-in dialog holds
// the code that was accepted.
class CashierShift {
public:
    CashierShift(TDataModule2 &dm, TPasswordDlg &signIn, TMoneyCountDlg &countQuestion, MoneyCount &count,
                 ShiftHost &host);

    void inOut();

    bool signedIn() const;
    int cashierId() const { return cashierId_; }
    bool shuttingDown() const { return shuttingDown_; }

    // Makes the signed-in cashier the current cashier record again; false
    // when that cashier no longer exists.
    bool findSignedInCashier();

private:
    bool signInLoop();
    void nameCashierOnWaitingHeader();

    TDataModule2 &dm_;
    TPasswordDlg &signIn_;
    TMoneyCountDlg &countQuestion_;
    MoneyCount &count_;
    ShiftHost &host_;
    int cashierId_ = 0;
    bool shuttingDown_ = false;
};
