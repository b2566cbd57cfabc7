#pragma once

#include <QDialog>

class DeviceBox;
class QPushButton;
class SettingsStore;
class TDataModule2;
struct AppSettings;

// "Devices...": the receipt printer, the cash drawer and the customer
// display, each none, simulated (written to an output file) or ESC/POS on
// a port, with the values of its settings section. "Test print", "Open
// drawer" and "Test display" try a device with what the window shows,
// before it is saved, and say what the device answered. "Ok" writes the
// sections of the devices that changed; the caller restarts the devices.
class DevicesWindow : public QDialog {
    Q_OBJECT
public:
    DevicesWindow(TDataModule2 &dm, SettingsStore &store, const AppSettings &settings, QWidget *parent = nullptr);

    // Shows the window with the settings as they are; true when it was
    // closed with "Ok".
    bool edit();
    void OKBtnClick();
    void TestPrintClick();
    void OpenDrawerClick();
    void TestDisplayClick();

    DeviceBox *Printer, *Drawer, *Display;
    QPushButton *TestPrintBtn, *OpenDrawerBtn, *TestDisplayBtn, *OKBtn, *CancelBtn;

private:
    void addPrinterValues();
    void addDrawerValues();
    void addDisplayValues();
    QStringList testReceipt() const;
    // Offers to turn "Print Slip Receipts" on when devices are chosen but
    // would not be used.
    void offerSlipReceipts();

    TDataModule2 &dm_;
    SettingsStore &store_;
    const AppSettings &settings_;
};
