#pragma once

#include "widgets/new_pin_dialog.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <functional>

class DBCheckBox;
class DBEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SettingsStore;
class TDataModule2;
struct AppSettings;

// "Edit General Parameters": the control record (the shop's name and
// address, tender, coupon and tax names, tax rates, printing and device
// switches, end-of-day reports, counters, messages) and the three printing
// settings "POD", "PaperCut" and "Columns30". The new values count from
// the next printout, checkout and report on.
//
// Enter and Down move to the next entry field or bound check box, Up to
// the previous one; the three settings boxes and the buttons are reached
// with Tab. An entry field whose text is not a value it can hold keeps the
// focus with a message.
//
// "Secret codes required", a switch of the shop kept beside the control
// record, makes every sign-in ask for the cashier's PIN. The manager who
// turns it on chooses a PIN first when they have none, so that no one
// else can take their code.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(TDataModule2 &dm, AppSettings &settings, SettingsStore &store, QWidget *parent = nullptr);

    // The menu entry: the control record is put in edit and the window
    // shown; "Ok" saves, anything else drops the changes.
    void EditParameters();
    // "Ok": posts the control record, then takes the three settings into
    // memory and into the settings file, and closes. A record the table
    // refuses keeps the window open, in edit, with a message naming the
    // field; a settings file that cannot be written is reported, and the
    // new settings apply until the program ends.
    void OKBtnClick();
    void applyFrenchCaptions();

    DBEdit *TerminalId, *CompanyName, *CompanyAddress1, *CompanyAddress2, *CompanyTelephone;
    QList<DBEdit *> PaymentModes;    // 1 to 5
    QList<DBCheckBox *> CashTypes;   // beside each payment mode
    QList<DBEdit *> Coupons;         // 1 to 3
    QList<DBEdit *> TaxNames;        // 1 to 3
    QList<DBEdit *> TaxRates;        // 1 to 3
    QList<DBCheckBox *> TaxOnTax;    // taxes 2 and 3
    DBCheckBox *PrintInvoices, *PrintSlips;
    DBEdit *ForeignCurrencyRate;
    DBCheckBox *ExportTransactions;
    DBEdit *NextInvoiceNumber;
    QGroupBox *EndOfDayReports;
    DBCheckBox *PrintCashierReport, *PrintFinancialReport, *PrintProductReport;
    QGroupBox *Messages;
    QList<DBEdit *> SlipMessages;    // 1 to 3
    QCheckBox *PrintOnDemand, *PaperCut, *Columns30;
    QCheckBox *SecretCodes;
    QPushButton *OKBtn, *CancelBtn;

    // The cashier signed in, who turns secret codes on.
    std::function<int()> signedInCashier;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FormKeyDown(QWidget *target, int key);
    void saveSettings();
    // False when secret codes are being turned on by a manager without a
    // PIN who does not choose one.
    bool secretCodesReady();
    void saveSecretCodes();
    // Names the fields for the messages that refuse them and fits the
    // window to its captions.
    void nameFields();

    TDataModule2 &dm_;
    AppSettings &settings_;
    SettingsStore &store_;
    QLabel *taxRatesTitle_;
    // Every caption that changes in French, with its French text.
    QList<QPair<QObject *, QString>> frenchCaptions_;
    NewPinDialog newPin_;
};
