// "Devices..." on a running program: each test button against a real
// ESC/POS byte stream (a printer listening on loopback), a refused port
// and a simulated device, with the device's answer in words; Ok writing
// the settings sections and restarting the devices at once; the refusal
// during a sale; and the word, told once, to a manager of a shop without
// a receipt printer.
#include "fake_escpos_printer.h"
#include "menu_click.h"
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "backoffice/device_box.h"
#include "backoffice/devices_window.h"
#include "common/app_settings.h"
#include "common/clock.h"
#include "common/settings_store.h"
#include "devices/device_files.h"
#include "sale/sale_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

namespace {

// A port on loopback where nothing listens.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// What a test does in the window before its buttons are pressed.
using Setting = std::function<void(DevicesWindow &)>;

Setting escPos(DeviceBox *DevicesWindow::*box, const QString &port)
{
    return [box, port](DevicesWindow &w) {
        (w.*box)->KindBox->setCurrentIndex(DeviceBox::EscPos);
        (w.*box)->PortBox->setCurrentText(port);
    };
}

// The control of a value in a device's part of the window, by its caption.
template <class Control>
Control *valueControl(DeviceBox *box, const QString &caption)
{
    for (Control *control : box->findChildren<Control *>())
        if (control->accessibleName() == caption)
            return control;
    qFatal("no control %s", qPrintable(caption));
}

}

class TestDevicesWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5))); }
    void cleanup() { Clock::useSystemClock(); }
    void testButtons_data();
    void testButtons();
    void okWritesTheSections();
    void okRestartsTheDevices();
    void refusedDuringASale();
    void portsPresentListed();
    void shopWithoutPrinterToldOnce();

private:
    // Opens the window from the menu; `work` runs in it, then it closes
    // with its button (Ok or Cancel).
    void inWindow(RunningShop &shop, const std::function<QPushButton *(DevicesWindow &)> &work);
};

void TestDevicesWindow::inWindow(RunningShop &shop, const std::function<QPushButton *(DevicesWindow &)> &work)
{
    shop.dialogs.onModalOnce(QStringLiteral("DevicesWindow"), [&](QDialog &dialog) {
        auto &window = static_cast<DevicesWindow &>(dialog);
        work(window)->click();
        return -1;
    });
    TForm1 &main = shop.shell().mainWindow();
    clickMenuEntry(main.MainMenu1, main.Parameters1, main.Devices1);
}

void TestDevicesWindow::testButtons_data()
{
    QTest::addColumn<Setting>("setting");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");   // %1: the fake printer's port, %2 the shop's data directory
    QTest::addColumn<QByteArray>("bytes"); // received by the fake printer; a file name beside the test

    const auto printer = &DevicesWindow::Printer;
    QTest::newRow("test print, ESC/POS") << escPos(printer, "tcp://127.0.0.1:%1") << "TestPrintBtn"
                                         << "The printer at 127.0.0.1:%1 took the test receipt."
                                         << QByteArray("test_print.escpos");
    QTest::newRow("test print, a listener that never answers: state not asked")
        << Setting([=](DevicesWindow &w) {
               escPos(printer, "tcp://127.0.0.1:%1")(w);
               valueControl<QCheckBox>(w.Printer, "State")->setChecked(false);
           })
        << "TestPrintBtn" << "The printer at 127.0.0.1:%1 took the test receipt." << QByteArray("test_print.escpos");
    QTest::newRow("test print, a listener that never answers: state asked")
        << escPos(printer, "tcp://127.0.0.1:%1") << "TestPrintBtn"
        << "The printer did not answer in time. If it cannot tell its state (a one-way connection), untick \"Ask the "
           "printer's state\"."
        << QByteArray("\x1b@\x1bt\x10", 5);
    QTest::newRow("test print, no cutter") << Setting([=](DevicesWindow &w) {
        escPos(printer, "tcp://127.0.0.1:%1")(w);
        valueControl<QCheckBox>(w.Printer, "Cutter")->setChecked(false);
    }) << "TestPrintBtn"
                                           << "The printer at 127.0.0.1:%1 took the test receipt. It refused to cut the "
                                              "paper: with no cutter, untick \"Activate Paper Cut\" in the general "
                                              "parameters, or every receipt ends with a printer problem."
                                           << QByteArray();
    const quint16 refusing = closedPort();
    QTest::newRow("test print, a port that refuses")
        << escPos(printer, QStringLiteral("tcp://127.0.0.1:%1").arg(refusing)) << "TestPrintBtn"
        << QStringLiteral("127.0.0.1:%1 cannot be reached: Connection refused.").arg(refusing) << QByteArray();
    QTest::newRow("test print, no such device file") << escPos(printer, "/dev/usb/lp97") << "TestPrintBtn"
                                                     << "/dev/usb/lp97 cannot be opened: No such file or directory."
                                                     << QByteArray();
    QTest::newRow("test print, simulated") << Setting() << "TestPrintBtn"
                                           << "The test receipt was written to %2/ReceiptPrinter.txt." << QByteArray();
    QTest::newRow("test print, simulated, a full output file")
        << Setting([](DevicesWindow &w) {
               valueControl<QLineEdit>(w.Printer, "Output file")->setText("/dev/full");
           })
        << "TestPrintBtn"
        << "The simulated device failed: its output file /dev/full cannot be written (No space left on device)."
        << QByteArray();
    QTest::newRow("open drawer, ESC/POS pin 5") << Setting([](DevicesWindow &w) {
        escPos(&DevicesWindow::Drawer, "tcp://127.0.0.1:%1")(w);
        valueControl<QComboBox>(w.Drawer, "Drawer pin")->setCurrentIndex(1);
    }) << "OpenDrawerBtn"
                                                << "The pulse went to the drawer through 127.0.0.1:%1 (pin 5, 120 ms): the "
                                                   "drawer should be open now."
                                                << QByteArray("\x1bp\x01<x", 5);
    QTest::newRow("open drawer, simulated") << Setting() << "OpenDrawerBtn"
                                            << "The simulated drawer wrote \"open\" to %2/CashDrawer.txt." << QByteArray();
    QTest::newRow("test display, none chosen yet: simulated")
        << Setting([](DevicesWindow &w) { w.Display->KindBox->setCurrentIndex(DeviceBox::Simulated); })
        << "TestDisplayBtn" << "The text was written to %2/line-display.txt." << QByteArray();
}

void TestDevicesWindow::testButtons()
{
    QFETCH(Setting, setting);
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(QByteArray, bytes);
    FakeEscPosPrinter fake;
    fake.setSilent(QString(QTest::currentDataTag()).contains("never answers"));
    RunningShop shop;
    shop.start();
    shop.dialogs.log.clear();
    inWindow(shop, [&](DevicesWindow &w) {
        if (setting)
            setting(w);
        for (DeviceBox *box : {w.Printer, w.Drawer})
            box->PortBox->setCurrentText(box->PortBox->currentText().replace("%1", QString::number(fake.port())));
        w.findChild<QPushButton *>(button)->click();
        return w.CancelBtn;
    });
    const QString expected = QString(answer).replace("%1", QString::number(fake.port())).replace("%2", shop.dataDirectory());
    QCOMPARE(shop.dialogs.log, (QStringList{"exec: DevicesWindow", "message: " + expected}));
    if (bytes.endsWith(".escpos"))
        bytes = fileBytes(QStringLiteral(TEST_DATA_DIR "/") + QString::fromLatin1(bytes));
    if (!bytes.isEmpty())
        QTRY_COMPARE(fake.printed(), bytes); // written without waiting for an answer
    QCOMPARE(SettingsStore(shop.settingsPath()).subkeys(OposRoot + "\\POSPrinter"), QStringList{"ReceiptPrinter"});
}

// Ok writes what changed, in the settings' own form; the rest of the file
// stays as it was.
void TestDevicesWindow::okWritesTheSections()
{
    RunningShop shop;
    shop.start();
    const QByteArray before = fileBytes(shop.settingsPath());
    inWindow(shop, [](DevicesWindow &w) { // a look, then Cancel
        w.Printer->KindBox->setCurrentIndex(DeviceBox::None);
        return w.CancelBtn;
    });
    QCOMPARE(fileBytes(shop.settingsPath()), before);

    shop.dialogs.answerQuestions({false}); // Print Slip Receipts stays off
    inWindow(shop, [](DevicesWindow &w) {
        escPos(&DevicesWindow::Printer, "tcp://192.168.1.50:9100")(w);
        valueControl<QComboBox>(w.Printer, "Code page")->setCurrentIndex(1);
        valueControl<QCheckBox>(w.Printer, "Cutter")->setChecked(false);
        w.Drawer->KindBox->setCurrentIndex(DeviceBox::None);
        w.Display->KindBox->setCurrentIndex(DeviceBox::EscPos);
        w.Display->PortBox->setCurrentText("/dev/ttyUSB0");
        return w.OKBtn;
    });
    const QString written = QString::fromUtf8(fileBytes(shop.settingsPath())).replace(shop.directory(), "DIR");
    QCOMPARE(written, QString::fromUtf8(fileBytes(QStringLiteral(TEST_DATA_DIR "/devices_settings.ini"))));
    QCOMPARE(shop.dialogs.questions(),
             QStringList{"\"Print Slip Receipts\" is off in the general parameters, so Tillano does not use these "
                         "devices. Turn it on?"});
}

// The new settings count at once: the next receipt goes to the new file.
void TestDevicesWindow::okRestartsTheDevices()
{
    DemoShop shop;
    shop.start();
    const QString moved = shop.dataDirectory() + "/moved.txt";
    inWindow(shop, [&](DevicesWindow &w) {
        valueControl<QLineEdit>(w.Printer, "Output file")->setText(moved);
        return w.OKBtn;
    });
    QCOMPARE(shop.shell().deviceNames().printer, QStringLiteral("ReceiptPrinter"));
    shop.activateMainWindow();
    shop.ring(QStringLiteral("062813100018"));
    shop.totalPaidExactly();
    QVERIFY(fileBytes(moved).endsWith('\f')); // a whole receipt, cut
    QCOMPARE(shop.printerOutput(), QByteArray());
}

void TestDevicesWindow::refusedDuringASale()
{
    RunningShop shop;
    shop.start();
    shop.leaveWorkLines(2);
    shop.dialogs.log.clear();
    TForm1 &main = shop.shell().mainWindow();
    clickMenuEntry(main.MainMenu1, main.Parameters1, main.Devices1);
    QCOMPARE(shop.dialogs.log, QStringList{"message: This operation can not be done durring a transaction"});
}

// USB printers, USB serial adapters and their lasting names, and the
// serial ports with a chip behind them; not the other terminals.
void TestDevicesWindow::portsPresentListed()
{
    QTemporaryDir root;
    for (const char *file : {"dev/usb/lp0", "dev/ttyUSB0", "dev/ttyACM0", "dev/serial/by-id/usb-Printer-if00", "dev/ttyS0",
                             "dev/ttyS1", "dev/tty0", "sys/class/tty/ttyS0/type", "sys/class/tty/ttyS1/type"})
        writeFileBytes(root.filePath(file), QByteArray(file).endsWith("ttyS1/type") ? "0\n" : "4\n");
    QStringList expected;
    for (const char *port : {"usb/lp0", "ttyACM0", "ttyUSB0", "serial/by-id/usb-Printer-if00", "ttyS0"})
        expected << root.filePath(QStringLiteral("dev/") + port);
    QCOMPARE(devicePortsPresent(root.path()), expected);
}

void TestDevicesWindow::shopWithoutPrinterToldOnce()
{
    RunningShop shop;
    SettingsStore(shop.settingsPath()).write(PrintingSection, QStringLiteral("NoReceiptPrinterNotice"), QString());
    const QString told = QStringLiteral("This till has no receipt printer: the receipt of each sale is an invoice "
                                        "page. Invoices and reports are written as numbered PDF files into the "
                                        "folder\n%1\n\nA receipt printer is set up under Parameters > Devices…")
                             .arg(shop.printedDirectory());
    shop.start();
    QCOMPARE(shop.dialogs.messages(), QStringList{told});
    shop.start(); // and at the next sign-in, nothing
    QCOMPARE(shop.dialogs.messages(), QStringList{told});
}

QTEST_MAIN(TestDevicesWindow)
#include "test_devices_window.moc"
