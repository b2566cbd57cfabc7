#pragma once

#include "master_data_editor.h"

#include "widgets/new_pin_dialog.h"

#include <functional>

class DBCheckBox;
class DBEdit;
class QLabel;
class TDataModule2;

// "Create/Edit Cashier": the cashier records. The code of an existing
// cashier cannot be changed, only that of a new one; the window closes
// only while there is at least one cashier and one manager.
class TForm4 : public MasterDataEditor {
    Q_OBJECT
public:
    explicit TForm4(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();
    void DBNavigator1Click(DBNavigator::Button button) override;
    bool FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers) override;
    // "Set PIN <F5>": the PIN of the cashier shown.
    void SetPinClick();

    // The cashier signed in, who sets a PIN of their own without the
    // must-change box.
    std::function<int()> signedInCashier;

    QLabel *Label1, *Label2;
    DBEdit *DBEdit1;           // Cashier Id, reached by the navigator's reaction only
    DBEdit *DBEdit2;           // Cashier name
    DBCheckBox *DBCheckBox1;   // Manager rights
    DBCheckBox *DBCheckBox2;   // Training mode
    QPushButton *SetPin;
    QLabel *PinState;          // whether the cashier shown has a PIN

protected:
    bool isFocusStop(QWidget *control) const override;
    QString closeRefusal() override;

private:
    void showPinState();

    Database &db_;
    NewPinDialog newPin_; // not a child: the fields' switching leaves it alone
};
