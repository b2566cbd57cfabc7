// One whole sale typed on the real windows: two lines rung in the sale
// window, a coupon and a quick tender in the payment window, then what the
// simulated printer, drawer and display received, the sales register,
// the running totals and the export journal, byte for byte.
#include "keyboard.h"
#include "scripted_dialogs.h"
#include "test_database.h"
#include "test_files.h"

#include "common/app_settings.h"
#include "common/clock.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "devices/device_layer.h"
#include "devices/opos_devices.h"
#include "reports/print_target.h"
#include "sale/checkout.h"
#include "sale/sale_window.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

class TestWholeSale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void saleTypedOnTheWindows();
    void lineClearedFromTheGridLeavesNoGhost();

private:
    void prepareShop();
    void openSaleWindow();
    void configureDevice(const QString &deviceClass, const QString &name, const QMap<QString, QString> &values);
    // What the simulated devices and the journal wrote, by file name.
    QByteArray written(const QString &name) const { return fileBytes(dir.filePath(name)); }

    QTemporaryDir dir;
    QString previousDirectory;
    TestDatabase db;
    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsStore> settingsFile;
    AppSettings settings;
    DeviceNames names;
    std::unique_ptr<OposDevices> controls;
    std::unique_ptr<DeviceLayer> devices;
    std::unique_ptr<TForm1> saleWindow;
    std::unique_ptr<Checkout> checkout;
};

void TestWholeSale::initTestCase()
{
    setLanguageSetting(QStringLiteral("0"));
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(14, 5, 3)));
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir.path()); // where the export journal is written
    setPrintTarget(PrintTarget{dir.filePath("pdf"), db.directory()});
    prepareShop();
}

void TestWholeSale::cleanupTestCase()
{
    checkout.reset();
    saleWindow.reset();
    QDir::setCurrent(previousDirectory);
    Clock::useSystemClock();
}

void TestWholeSale::configureDevice(const QString &deviceClass, const QString &name,
                                    const QMap<QString, QString> &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        QVERIFY(settingsFile->write(oposDeviceSection(deviceClass, name), it.key(), it.value()));
}

void TestWholeSale::prepareShop()
{
    db.setControl("Ctrl_company_name", "Corner Store");
    db.setControl("Ctrl_company_adr1", "12 Main Street");
    db.setControl("Ctrl_company_adr2", "Springfield");
    db.setControl("Ctrl_company_tel", "555-0100");
    db.setControl("Ctrl_slip_mess", "Thank you!");
    db.setControl("Ctrl_terminal_id", 3);
    db.setControl("Ctrl_tx1", "GST");
    db.setControl("Ctrl_tx1_rate", 0.05);
    db.setControl("Ctrl_tx2", "PST");
    db.setControl("Ctrl_tx2_rate", 0.07);
    db.setControl("Ctrl_pmt1", "Cash");
    db.setControl("Ctrl_pmt1_type", true);
    db.setControl("Ctrl_pmt2", "Card");
    db.setControl("Ctrl_cpn1", "Coupon");
    db.setControl("Ctrl_invoice_no", 1000);
    db.setControl("Ctrl_invoice", false);
    db.setControl("Ctrl_export", true);
    db.setControl("Ctrl_slip", true); // the devices are used
    db.addCashier(7, "Ann");
    db.addDepartment(1, "Drinks");
    db.addDepartment(2, "Snacks");
    db.addProduct(1001, "Cola", 1.99, true, true, false, 1);
    db.addProduct(1002, "Chips", 2.00, false, false, false, 2);
    Table &products = db.dm().producttb;
    const QList<std::tuple<double, const char *, int, double>> details{{1001, "Cola, 355 ml can", 4100, 0.80},
                                                                       {1002, "Chips", 4200, 1.10}};
    for (const auto &[code, description, account, cost] : details) {
        QVERIFY(products.findKey(code));
        products.edit();
        products.field("Product_desc").setString(description);
        products.field("Product_accnt").setInteger(account);
        products.field("Product_avg_cost").setFloat(cost);
        products.field("Product_qty").setFloat(24);
        products.post();
    }
    QVERIFY(db.dm().cashiertb.findKey(7));

    settingsFile = std::make_unique<SettingsStore>(dir.filePath("settings.ini"));
    configureDevice("POSPrinter", "ReceiptPrinter",
                    {{"Service", "simulated"}, {"Output", dir.filePath("printer.txt")}, {"RecLinesToPaperCut", "2"}});
    configureDevice("CashDrawer", "Drawer",
                    {{"Service", "simulated"}, {"Output", dir.filePath("drawer.txt")}, {"AutoClose", "Y"}});
    configureDevice("LineDisplay", "Display", {{"Service", "simulated"}, {"Output", dir.filePath("display.txt")}});
    controls = std::make_unique<OposDevices>(*settingsFile);
    devices = std::make_unique<DeviceLayer>(db.dm(), settings, controls->Printer1, controls->CashDrawer1,
                                            controls->Linedisp1);
    names.printer = devices->StartPrinter(oposDeviceName(*settingsFile, "POSPrinter"));
    names.drawer = devices->StartCashDrawer(oposDeviceName(*settingsFile, "CashDrawer"));
    names.display = devices->StartLineDisplay(oposDeviceName(*settingsFile, "LineDisplay"));
    QCOMPARE(names.printer, QString("ReceiptPrinter"));
    QCOMPARE(names.drawer, QString("Drawer"));
    QCOMPARE(names.display, QString("Display"));
}

void TestWholeSale::openSaleWindow()
{
    TDataModule2 &dm = db.dm();
    checkout.reset();
    saleWindow = std::make_unique<TForm1>(dm, settings, *devices, names);
    checkout = std::make_unique<Checkout>(dm, *saleWindow, *devices, names, settings, [] { return 7; });
    saleWindow->show();
    saleWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(saleWindow.get()));
    saleWindow->StartWorkHeader();
    saleWindow->FocusUpcField();
}

void TestWholeSale::saleTypedOnTheWindows()
{
    TDataModule2 &dm = db.dm();
    openSaleWindow();

    // Three cans of cola at 10 % off, and a bag of chips.
    type("1001");
    press(Qt::Key_Return);
    type("3");
    press(Qt::Key_Return);
    type("10");
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type("1002");
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Return);
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 8.023);

    // The customer hands over a 1.00 coupon and a ten.
    QStringList seen;
    dialogs.onModalOnce("TForm8", [&](QDialog &) {
        seen << checkout->paymentWindow.amountText();
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Down); // Card, Foreign Currency, Coupon
        seen << QApplication::focusWidget()->objectName();
        type("1");
        press(Qt::Key_F3);
        return -1;
    });
    press(Qt::Key_F2);
    QCOMPARE(seen, (QStringList{"$8.02", "Trxh_cpn1"}));
    QCOMPARE(dialogs.log, QStringList{"exec: TForm8"});

    QCOMPARE(written("printer.txt"), fileBytes(QStringLiteral(TEST_DATA_DIR "/whole_sale_receipt.txt")));
    QCOMPARE(written("drawer.txt"), QByteArray("open\nclosed\n"));
    QCOMPARE(written("display.txt"), QByteArray("Cola           $5.37\n"
                                                  "Chips          $2.00\n"
                                                  "Total          $8.02\n"
                                                  "Change       ($2.98)\n"));
    QCOMPARE(written("Exportjrnl"),
             QByteArray("0,1000,3/5/26,\"2:05:03 PM\",7,7.373,0.27,0.38,0,10,0,0,0,0,0,1,0,0,8.023,-1.977,3\r\n"
                        "1,1000,1001,\"Cola, 355 ml can\",3,1.99,0.597,5.373,10,0.8,True,True,False,4100\r\n"
                        "1,1000,1002,Chips,1,2,0,2,0,1.1,False,False,False,4200\r\n"));
    QVERIFY(!QDir(dir.filePath("pdf")).exists()); // no invoice with a receipt printer

    // The sales register.
    Table &header = dm.tranmaster;
    QCOMPARE(header.recordCount(), 1);
    QVERIFY(header.findKey(1000.0));
    const QList<std::pair<const char *, double>> posted{
        {"Trxh_total", 7.373}, {"Trxh_tx1", 0.27},  {"Trxh_tx2", 0.38},          {"Trxh_pmt1", 10.0},
        {"Trxh_cpn1", 1.0},    {"Trxh_fc1", 0.0},   {"Trxh_grand_total", 8.023}, {"Trxh_change", -1.977},
        {"Trxh_cashier", 7},   {"Trxh_terminal_id", 3}};
    for (const auto &[field, value] : posted)
        QVERIFY2(qFuzzyCompare(1 + header.field(field).asFloat(), 1 + value), field);
    QCOMPARE(header.field("Trxh_date").asDate(), QDate(2026, 3, 5));
    Table &lines = dm.trandetail;
    QStringList postedLines;
    for (lines.first(); !lines.eof(); lines.next())
        postedLines << QStringLiteral("%1 %2 %3 %4")
                           .arg(lines.field("Trx_id").asFloat())
                           .arg(lines.field("Trx_upc").asFloat())
                           .arg(lines.field("Trx_qty").asFloat())
                           .arg(lines.field("Trx_total").asFloat());
    QCOMPARE(postedLines, (QStringList{"1000 1001 3 5.373", "1000 1002 1 2"}));
    dm.Control.first();
    QCOMPARE(dm.Control.field("Ctrl_invoice_no").asFloat(), 1001.0);

    // The running totals.
    dm.fintb.first();
    QCOMPARE(dm.fintb.field("Fin_sales").asFloat(), 7.373);
    QCOMPARE(dm.fintb.field("Fin_no_trx").asInteger(), 1);
    QCOMPARE(dm.fintb.field("Fin_change").asFloat(), -2.977);
    QVERIFY(dm.cashiertb.findKey(7));
    QCOMPARE(dm.cashiertb.field("Cashier_change").asFloat(), -1.977);
    QCOMPARE(dm.cashiertb.field("Cashier_mc_pmt1").asFloat(), 10.0);
    QVERIFY(dm.producttb.findKey(1001.0));
    QCOMPARE(dm.producttb.field("Product_qty").asFloat(), 21.0);
    QCOMPARE(dm.producttb.field("Product_sales").asFloat(), 5.373);
    QVERIFY(dm.DeptTb.findKey(2));
    QCOMPARE(dm.DeptTb.field("Dept_sales").asFloat(), 2.0);

    // Ready for the next customer, the change still shown.
    QCOMPARE(saleWindow->ChangeLabel->text(), QString("($2.98)"));
    QVERIFY(saleWindow->ChangeBox->isVisible());
    QCOMPARE(dm.tmpdetail.recordCount(), 0);
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0);
    QCOMPARE(saleWindow->focusWidget(), saleWindow->DBEdit1);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestWholeSale::lineClearedFromTheGridLeavesNoGhost()
{
    TDataModule2 &dm = db.dm();
    const qint64 printedBefore = written("printer.txt").size();
    const qint64 journalBefore = written("Exportjrnl").size();
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(14, 20, 0)));
    saleWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(saleWindow.get()));

    // A cola and chips; the cashier clicks the cola line and clears it,
    // which leaves the old entry line behind the chips.
    for (const char *code : {"1001", "1002"}) {
        type(code);
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Return);
    }
    QCoreApplication::processEvents();
    const QRect cola = saleWindow->DBGrid1->visualRect(saleWindow->DBGrid1->model()->index(0, 1));
    QTest::mouseClick(saleWindow->DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, cola.center());
    press(Qt::Key_F6);
    QCOMPARE(dm.tmpdetail.recordCount(), 3);
    dialogs.onModalOnce("TForm8", [this](QDialog &) {
        press(Qt::Key_F5); // the exact amount in cash
        return -1;
    });
    press(Qt::Key_F2);

    QCOMPARE(written("printer.txt").mid(printedBefore),
             fileBytes(QStringLiteral(TEST_DATA_DIR "/line_cleared_receipt.txt")));
    QCOMPARE(written("Exportjrnl").mid(journalBefore),
             QByteArray("0,1001,3/5/26,\"2:20:00 PM\",7,2,0,0,0,2,0,0,0,0,0,0,0,0,2,0,3\r\n"
                        "1,1001,1002,Chips,1,2,0,2,0,1.1,False,False,False,4200\r\n"));
    int postedLines = 0;
    for (dm.trandetail.first(); !dm.trandetail.eof(); dm.trandetail.next())
        postedLines += dm.trandetail.field("Trx_id").asFloat() == 1001;
    QCOMPARE(postedLines, 1);
}

QTEST_MAIN(TestWholeSale)
#include "test_whole_sale.moc"
