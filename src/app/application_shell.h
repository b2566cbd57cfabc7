#pragma once

#include "program_files.h"

#include "backoffice/cashier_editor.h"
#include "backoffice/department_editor.h"
#include "backoffice/general_parameters_window.h"
#include "backoffice/product_editor.h"
#include "common/app_settings.h"
#include "common/settings_store.h"
#include "devices/device_layer.h"
#include "devices/opos_devices.h"
#include "shift/purge_window.h"
#include "reports/cashier_report.h"
#include "reports/department_sales_report.h"
#include "reports/financial_report.h"
#include "reports/money_count_report.h"
#include "reports/printer_dialog.h"
#include "reports/product_sales_report.h"
#include "reports/report_menu.h"
#include "reports/sales_register_window.h"
#include "reports/sales_register_report.h"
#include "reports/stock_levels_report.h"
#include "reports/store_reports_window.h"
#include "sale/checkout.h"
#include "shift/cashier_shift.h"
#include "shift/end_of_day.h"
#include "shift/money_count.h"
#include "shift/money_count_question.h"
#include "shift/money_count_window.h"
#include "shift/password_dialog.h"
#include "shift/re_print.h"
#include "store/data_directory_lock.h"
#include "store/data_module.h"

#include <QObject>
#include <memory>

class LaneStatusLabel;
class LaneSyncProcess;
class TForm1;
class TTipsDlg;

// How the program was started, beside its settings.
struct StartOptions {
    // Where the tips and the help page are found.
    ProgramFiles files = ProgramFiles::ofThisProgram();
    // Work in the data directory named by the settings (the desktop entry's
    // way), so the export journal lands there.
    bool inDataDirectory = false;
};

// The running program: every window created once, in start-up order, the
// settings, the data module and the devices. The main window's first
// activation runs the start-up (settings, device names, tables, tips,
// sign-in, devices, a new work header); the only way out is Close in the
// sign-in dialog, which shuts the program down.
class ApplicationShell : public QObject, public ShiftHost {
    Q_OBJECT
public:
    explicit ApplicationShell(const QString &settingsPath, StartOptions options = {});
    ~ApplicationShell() override;

    TForm1 &mainWindow() { return *Form1; }
    TDataModule2 &dataModule() { return DataModule2; }
    const DeviceNames &deviceNames() const { return names_; }
    CashierShift &shift() { return *shift_; }
    bool startUpFailed() const { return startUpFailed_; }

    // Shows the main window; its first activation starts the program.
    void show();
    // The main window's activation: only the first one does anything.
    void FormActivate();

    // Caption set 1 is French; set 2 changes nothing; others leave the
    // captions as designed.
    void applyCaptionSet(int set);

    // ShiftHost
    void setManagerMenu(bool attached) override;
    void setTrainingMode(bool shown) override;
    void showCashierName(const QString &name) override;
    void shutDown() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireMainWindow();
    void wireReportMenu();
    void wireDayAndPeriodEnd();
    void wireBackOffice();
    bool shopPrepared();
    bool settingsFileReadable(const QString &path, const QString &named);
    void startDevices();
    void stopDevices();
    void tellWhereReceiptsGo();
    bool slipReceiptsOn();
    bool lockDataDirectory();
    void offerInterruptedSaleReceipt();
    bool openDataDirectory();
    void startLaneSync();
    void writeQueuedJournal();
    bool refuseStartUp(const QString &message);
    void showTips();
    void printMoneyCount();

    SettingsStore store_;
    StartOptions options_;
    // Held from before the tables are opened until the program ends.
    std::unique_ptr<DataDirectoryLock> dataDirectoryLock_;
    AppSettings settings_;
    DeviceNames names_;
    TDataModule2 DataModule2;
    OposDevices controls_;
    std::unique_ptr<DeviceLayer> devices_;

    // The windows, in the order they are created.
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TPasswordDlg> PasswordDlg;
    std::unique_ptr<Checkout> checkout_; // with Form8, Form17 and Form26
    std::unique_ptr<TForm9> Form9;
    std::unique_ptr<TForm10> Form10;
    std::unique_ptr<TForm6> Form6;
    std::unique_ptr<TForm11> Form11;
    std::unique_ptr<TForm12> Form12;
    std::unique_ptr<TForm13> Form13;
    std::unique_ptr<TForm14> Form14;
    std::unique_ptr<TForm15> Form15;
    std::unique_ptr<TForm19> Form19;
    std::unique_ptr<TForm20> Form20;
    std::unique_ptr<TPrinterDialog> PrinterDialog;
    std::unique_ptr<TMoneyCountDlg> MoneyCountDlg;
    std::unique_ptr<TTipsDlg> TipsDlg;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TForm18> Form18;
    std::unique_ptr<StoreReportsWindow> StoreReports;

    std::unique_ptr<MoneyCount> moneyCount_;
    std::unique_ptr<CashierShift> shift_;
    std::unique_ptr<ReportMenu> reportMenu_;
    std::unique_ptr<EndOfDay> endOfDay_;
    std::unique_ptr<RePrint> rePrint_;
    // A lane of a store server: its sending process and what it shows.
    std::unique_ptr<LaneSyncProcess> laneSync_;
    LaneStatusLabel *laneStatus_ = nullptr;
    bool startUpFailed_ = false;
    bool startedUp_ = false; // signed in and devices started
};
