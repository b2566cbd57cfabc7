#pragma once

#include "sale_window_hooks.h"

#include "common/amount_families.h"
#include "sale_engine/line_entry.h"
#include "sale_engine/sale_modes.h"

#include <QWidget>

class DBEdit;
class DBGrid;
class DBText;
class DeviceOperations;
class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class TDataModule2;
class Table;
class QHBoxLayout;
class TForm16;
struct AppSettings;
struct DeviceNames;

// The sale window: the transaction in progress (work header and lines),
// the four entry fields in which lines are rung, the buttons of the sale
// operations with their function keys, and the main menu.
//
// The window sees every key before its fields: F2 to F12 run their
// operation, and Enter, Tab, Up and Down move between the entry fields as
// the navigation rules of each field say. Moving the focus into the UPC
// field from another control creates the next entry line when the current
// line is finished.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(TDataModule2 &dm, AppSettings &settings, DeviceOperations &devices, DeviceNames &deviceNames,
           QWidget *parent = nullptr);
    ~TForm1() override;

    // --- state other parts of the program read and set ---
    SaleModes modes;
    bool ShuttingDown = false; // set when the sign-in dialog is closed
    SaleWindowHooks hooks;

    // The main menu is attached while a manager is signed in.
    void setManagerMenu(bool attached);
    bool managerMenuAttached() const;
    // "Training Mode" shows while a training cashier is signed in.
    void setTrainingMode(bool on);
    // The signed-in cashier's name shows beside it.
    void setCashierName(const QString &name);
    // A status of the program's own (a lane's sending) at the end of the
    // row that shows the cashier.
    void addStatus(QWidget *status);
    void applyFrenchCaptions();

    AppSettings &settings() { return settings_; }
    TForm16 &lookupWindow() { return *Form16; }

    // Two or more work lines: at least one rung line besides the entry line.
    bool transactionInProgress();

    // Puts the focus in the UPC field. Coming from another control this is
    // entering the field, which creates the entry line when it is needed;
    // when the focus is already there nothing more happens.
    void FocusUpcField();
    // Creates the entry line if the current line is finished (focus entering the UPC field).
    void DBEdit1Enter();
    // Checkout, before payment: removes the current line when it is still
    // the unfinished entry line, and every line without a product.
    void RemoveLinesNotToPost();
    // Void-item mode off and a new entry line (a payment window cancelled).
    void AppendEntryLine();
    // Shows the change box with an amount already formatted.
    void ShowChange(const QString &amountText);
    // A new work header for the signed-in cashier (ZeroMaster), the modes
    // off.
    void StartWorkHeader();

    // --- operations of the buttons and function keys ---
    void BitBtn1Click(); // Total <F2>
    void CancelTransaction(); // Cancel <F3>
    void VoidTransaction();   // Void trans <F4>
    void VoidItem();          // Void item <F5>
    void ClearLine();         // Clear <F6>
    void BitBtn7Click(); // End of Day <F7>
    void StartReceiving();    // Receiving <F8>
    // F9 from the UPC field processes the chosen code; the button does not.
    void LookupProduct(bool processChosenCode);
    void BitBtn6Click(); // Re-Print <F11>
    void BitBtn5Click(); // In/Out <F12>

    // --- main menu entries ---
    void Editgeneralparameters1Click();
    void Devices1Click();
    void Createeditproducts1Click();
    void Createeditcashiers1Click();
    void CreateEditDepartments1Click();
    void Importproducts1Click();
    void PrintCashierreport1Click();
    void PrintFinancialreport1Click();
    void PrintProductreport1Click();
    void PrintDepartmentsalesreport1Click();
    void Printsalesregister1Click();
    void Printstockcount1Click();
    // "Store reports...", shown on a lane only.
    void Storereports1Click();
    void Zeroperiodtotals1Click();
    void Purgeperiodtodatesalesregister1Click();
    void Helpfiles1Click();
    void Helponline1Click();
    void Purchasesourcecode1Click();

    // --- controls ---
    DBText *DateText, *TimeText;
    DBText *CompanyName, *CompanyAddress1, *CompanyAddress2, *CompanyTelephone;
    DBText *SlipMessage1, *SlipMessage2, *SlipMessage3;
    DBGrid *DBGrid1;
    QLabel *SubTotalLabel, *TransactionTotalLabel;
    DBText *TaxNames[TaxCount];
    DBText *SubTotal, *TaxAmounts[TaxCount], *TransactionTotal;
    QLabel *TrainLabel;
    QLabel *ModeLabel;    // return, void item, receiving: whichever are on
    QLabel *CashierLabel; // the signed-in cashier
    QGroupBox *ChangeBox;
    QLabel *ChangeLabel;

    QLabel *UpcCaption, *DescriptionCaption, *QuantityCaption, *DiscountCaption, *UnitPriceCaption;
    DBEdit *DBEdit1; // UPC
    DBEdit *DBEdit2; // Description (mouse only)
    DBEdit *DBEdit3; // Quantity
    DBEdit *DBEdit4; // Discount %
    DBEdit *DBEdit5; // Unit Price

    QPushButton *BitBtn1;  // Total <F2>
    QPushButton *BitBtn2;  // Cancel <F3>
    QPushButton *BitBtn3;  // Void trans <F4>
    QPushButton *BitBtn4;  // Void item <F5>
    QPushButton *BitBtn8;  // Clear <F6>
    QPushButton *BitBtn7;  // End of Day <F7>
    QPushButton *BitBtn9;  // Receiving <F8>
    QPushButton *BitBtn6;  // Re-Print <F11>
    QPushButton *BitBtn5;  // In/Out <F12>
    QPushButton *BitBtn10; // F9 Lookup

    QMenuBar *MainMenu1;
    QMenu *Parameters1, *Reports1, *EndofPeriod1, *Help1;
    QAction *Editgeneralparameters1, *Devices1, *Createeditproducts1, *Createeditcashiers1, *CreateEditDepartments1,
        *Importproducts1;
    QAction *PrintCashierreport1, *PrintFinancialreport1, *PrintProductreport1, *PrintDepartmentsalesreport1,
        *Printsalesregister1, *Printstockcount1;
    QAction *Storereports1; // hidden unless the till is a lane of a store server
    QAction *Zeroperiodtotals1, *Purgeperiodtodatesalesregister1;
    QAction *Helpfiles1, *Helponline1, *Purchasesourcecode1;

    TForm16 *Form16;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Only the shutdown closes the window; a window manager's close is refused.
    void closeEvent(QCloseEvent *event) override;

private:
    QHBoxLayout *statusRow_ = nullptr;
    // Layout (sale_window_layout.cpp)
    void buildLayout();
    QWidget *buildHeaderStrip();
    QWidget *buildTotals();
    QWidget *buildEntryPanel();
    void buildButtons(QGridLayout *grid);
    void buildMenu();

    // Keys (sale_window_keys.cpp)
    bool FormKeyDown(QObject *target, int key);
    bool DBEdit1KeyDown(int key);
    bool DBEdit3KeyDown(int key);
    bool DBEdit4KeyDown(int key);
    bool DBEdit5KeyDown(int key);
    bool OtherControlKeyDown(QObject *control, int key);
    QWidget *nextEntryField(QObject *from, bool forward) const;
    bool moveFocus(QObject *from, bool forward);
    void focusEntered(QObject *control, Qt::FocusReason reason);

    // Line entry. Every operation of the window ends by putting the focus
    // somewhere, so that is where the mode indicator is brought up to date.
    void SetFocusTo(QWidget *control);
    // Appends the next entry line after saved work; a failure says what
    // is kept.
    void startNextEntryLine();
    void showModes();
    void ProcessCode();
    // A quantity above 999, either way, is rung only when the cashier
    // says Yes to "Quantity 1002?"; Enter means No.
    bool quantityConfirmed(double quantity);
    void PriceLine();
    void recomputeTotals(bool computeTaxes);

    // Guards
    bool refusedDuringTransaction(const QString &english, const QString &french);
    void runHook(const std::function<void()> &hook);
    void runBetweenTransactions(const std::function<void()> &hook);
    void runWithTableClosed(Table &table, const std::function<void()> &hook);

    TDataModule2 &dm_;
    AppSettings &settings_;
    DeviceOperations &devices_;
    DeviceNames &deviceNames_;
    LineEntry entry_;
    QObject *focusTarget_ = nullptr; // the control the focus was last put in
    bool menuAttached_ = true;
};
