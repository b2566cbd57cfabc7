// The ESC/POS service objects against a fake network printer on loopback,
// a plain file standing for a device file, and a pseudo terminal standing
// for a serial customer display.
#include "fake_escpos_printer.h"
#include "device_test_bench.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/device_layer.h"
#include "devices/escpos_code_page.h"
#include "devices/opos_devices.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const QByteArray Init("\x1b@\x1bt\x10", 5); // ESC @, ESC t 16 (Windows-1252)
const QByteArray PartialCut("\x1dV\x01", 3);
}

class TestEscPosDevices : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void codePagesEncodeAccentsAndDropControls_data();
    void codePagesEncodeAccentsAndDropControls();
    void printoutGoesOutAsEscPos();
    void codePageAndTableAreConfigurable();
    void offLinePrinterRefusesLineUntilBackOnLine();
    void silentPrinterGivesResultWithinSeconds();
    void refusedConnectionFailsWithinFiveSeconds();
    void droppedConnectionIsMadeAgainWithSetUp();
    void cutterlessPrinterRefusesCut();
    void drawerKickAndWaitUntilShut_data();
    void drawerKickAndWaitUntilShut();
    void drawerWaitEndsWhenPrinterIsLost();
    void deviceFileReceivesBytes();
    void deviceFileProblemsGiveResultCodes();
    void serialDisplayClearsThenShowsText();

private:
    DeviceLayer &layer() { return bench_->layer(); }
    // An escpos device with these values.
    void configure(const QString &deviceClass, const QString &name, QMap<QString, QString> values)
    {
        values.insert(QStringLiteral("Service"), QStringLiteral("escpos"));
        bench_->configure(deviceClass, name, values);
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<FakeEscPosPrinter> fake_;
    AppSettings settings_;
    std::unique_ptr<DeviceTestBench> bench_;
};

void TestEscPosDevices::init()
{
    setLanguageSetting(QStringLiteral("0"));
    db_ = std::make_unique<TestDatabase>();
    db_->setControl(QStringLiteral("Ctrl_slip"), true);
    settings_ = AppSettings();
    bench_ = std::make_unique<DeviceTestBench>(db_->dm(), settings_);
    fake_ = std::make_unique<FakeEscPosPrinter>();
}

void TestEscPosDevices::cleanup()
{
    bench_.reset();
    fake_.reset();
    db_.reset();
}

void TestEscPosDevices::codePagesEncodeAccentsAndDropControls_data()
{
    QTest::addColumn<QString>("codePage");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("table");
    QTest::newRow("1252") << "1252" << "Crème brûlée 5€" << QByteArray("Cr\xe8me br\xfbl\xe9" "e 5\x80") << 16;
    QTest::newRow("858") << "858" << "Crème 5€" << QByteArray("Cr\x8ame 5\xd5") << 19;
    QTest::newRow("850 has no euro") << "850" << "é€" << QByteArray("\x82?") << 2;
    QTest::newRow("437") << "437" << "Ça" << QByteArray("\x80" "a") << 0;
    QTest::newRow("unknown is 1252") << "utf8" << "ç" << QByteArray("\xe7") << 16;
    QTest::newRow("commands from the tables are dropped")
        << "1252" << QString::fromLatin1("A\x1b" "p\x00\x19\tB\r\n", 9) << QByteArray("A?p???B\r\n") << 16;
}

void TestEscPosDevices::codePagesEncodeAccentsAndDropControls()
{
    QFETCH(QString, codePage);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(int, table);
    const EscPosCodePage page = EscPosCodePage::named(codePage);
    QCOMPARE(page.encode(text), bytes);
    QCOMPARE(page.tableNumber(), table);
}

void TestEscPosDevices::printoutGoesOutAsEscPos()
{
    configure("POSPrinter", "Printer", {{"Port", fake_->portSetting()}, {"RecLinesToPaperCut", "2"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().PrintLine(QStringLiteral("Café crème"));
    layer().PrintLine(QStringLiteral("Total"));
    layer().EndPrintout();

    QTRY_COMPARE(fake_->printed(),
                 Init + QByteArray("Caf\xe9 cr\xe8me\r\nTotal\r\n\n\r\n\r\n\r") + PartialCut);
    QCOMPARE(fake_->statusRequests(), 5); // one before every line and feed line
    QVERIFY(bench_->dialogs.log.isEmpty());
}

void TestEscPosDevices::codePageAndTableAreConfigurable()
{
    configure("POSPrinter", "Printer",
              {{"Port", fake_->portSetting()}, {"CodePage", "858"}, {"CodeTable", "44"}, {"StatusCheck", "N"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().PrintLine(QStringLiteral("5€"));
    QTRY_COMPARE(fake_->printed(), QByteArray("\x1b@\x1bt\x2c" "5\xd5\r\n"));
    QCOMPARE(fake_->statusRequests(), 0);
}

void TestEscPosDevices::offLinePrinterRefusesLineUntilBackOnLine()
{
    configure("POSPrinter", "Printer", {{"Port", fake_->portSetting()}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().PrintLine(QStringLiteral("one"));
    fake_->setOfflineForRequests(2); // paper out, then loaded
    bench_->dialogs.answerQuestions({true, true});
    QVERIFY(layer().PrintLine(QStringLiteral("two")));
    QTRY_COMPARE(fake_->printed(), Init + QByteArray("one\r\ntwo\r\n"));
    QCOMPARE(bench_->dialogs.questions().size(), 2);
}

void TestEscPosDevices::silentPrinterGivesResultWithinSeconds()
{
    configure("POSPrinter", "Printer", {{"Port", fake_->portSetting()}});
    OposPosPrinter printer(bench_->store);
    QCOMPARE(printer.Open("Printer"), Opos::Success);
    QCOMPARE(printer.ClaimDevice(10), Opos::Success);
    printer.setDeviceEnabled(true);
    fake_->setSilent(true);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(printer.PrintNormal(2, "line\r\n") != Opos::Success);
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
}

void TestEscPosDevices::refusedConnectionFailsWithinFiveSeconds()
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    configure("POSPrinter", "Printer", {{"Port", QStringLiteral("tcp://127.0.0.1:%1").arg(closedPort)}});
    bench_->dialogs.answerQuestions({false});
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QString());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(bench_->dialogs.questions(), QStringList{"There is a problem opening the printer.  Try again?"});
}

void TestEscPosDevices::droppedConnectionIsMadeAgainWithSetUp()
{
    configure("POSPrinter", "Printer", {{"Port", fake_->portSetting()}, {"StatusCheck", "N"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().PrintLine(QStringLiteral("one"));
    QTRY_COMPARE(fake_->printed(), Init + "one\r\n");
    fake_->dropConnection();
    QTest::qWait(50);
    layer().PrintLine(QStringLiteral("two"));
    QTRY_COMPARE(fake_->printed(), Init + "one\r\n" + Init + "two\r\n");
    QCOMPARE(fake_->connections(), 2);
}

void TestEscPosDevices::cutterlessPrinterRefusesCut()
{
    configure("POSPrinter", "Printer",
              {{"Port", fake_->portSetting()}, {"Cutter", "N"}, {"RecLinesToPaperCut", "0"}, {"StatusCheck", "n"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().EndPrintout();
    QTRY_COMPARE(fake_->printed(), Init + "\n\r");
    QCOMPARE(bench_->dialogs.messages(), QStringList{"There is a problem with the printer"});
}

void TestEscPosDevices::drawerKickAndWaitUntilShut_data()
{
    QTest::addColumn<QString>("openLevel");
    QTest::addColumn<bool>("openPinHigh");
    QTest::newRow("open reads high") << "High" << true;
    QTest::newRow("open reads low") << "low" << false;
}

void TestEscPosDevices::drawerKickAndWaitUntilShut()
{
    QFETCH(QString, openLevel);
    QFETCH(bool, openPinHigh);
    fake_->setOpenDrawerPinHigh(openPinHigh);
    fake_->setDrawerOpenForRequests(3);
    configure("POSPrinter", "Printer", {{"Port", fake_->portSetting()}, {"StatusCheck", "N"}});
    configure("CashDrawer", "Drawer",
              {{"Port", fake_->portSetting()}, {"OpenLevel", openLevel}, {"PollInterval", "20"}, {"PulseOn", "100"},
               {"PulseOff", "400"}, {"DrawerPin", "5"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("Drawer")), QStringLiteral("Drawer"));

    layer().OpenCashDrawer();
    layer().PrintLine(QStringLiteral("receipt"));
    layer().WaitCashDrawerClosed();

    QCOMPARE(fake_->statusRequests(), 4); // three open, then shut
    QCOMPARE(fake_->printed(), Init + QByteArray("\x1bp\x01\x32\xc8", 5) + "receipt\r\n");
    QCOMPARE(fake_->connections(), 1); // the drawer shares its printer's connection
    QVERIFY(bench_->dialogs.log.isEmpty());
}

void TestEscPosDevices::drawerWaitEndsWhenPrinterIsLost()
{
    configure("CashDrawer", "Drawer", {{"Port", fake_->portSetting()}});
    fake_->setDrawerOpenForRequests(1000);
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("Drawer")), QStringLiteral("Drawer"));
    layer().OpenCashDrawer();
    fake_->setSilent(true);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(bench_->devices().CashDrawer1.WaitForDrawerClose(0, 0, 0, 0), Opos::Offline);
    QVERIFY(clock.elapsed() < 5000);
}

void TestEscPosDevices::deviceFileReceivesBytes()
{
    const QString path = bench_->path(QStringLiteral("lp0"));
    QFile(path).open(QIODevice::WriteOnly);
    configure("POSPrinter", "Printer", {{"Port", path}, {"StatusCheck", "N"}, {"RecLinesToPaperCut", "0"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), QStringLiteral("Printer"));
    layer().PrintLine(QStringLiteral("Reçu"));
    layer().EndPrintout();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Init + QByteArray("Re\xe7u\r\n\n\r") + PartialCut);
}

void TestEscPosDevices::deviceFileProblemsGiveResultCodes()
{
    // A device held by another program.
    const QString busy = bench_->path(QStringLiteral("busy"));
    QFile(busy).open(QIODevice::WriteOnly);
    const int holder = ::open(QFile::encodeName(busy).constData(), O_RDWR);
    QVERIFY(::flock(holder, LOCK_EX) == 0);

    const QStringList ports{bench_->path(QStringLiteral("missing/lp0")), busy, bench_->path(QStringLiteral(".")), QStringLiteral("tcp://nohost")};
    const QList<int> expected{Opos::NoHardware, Opos::Claimed, Opos::Failure, Opos::NoHardware};
    for (int i = 0; i < ports.size(); ++i) {
        configure("POSPrinter", QStringLiteral("P%1").arg(i), {{"Port", ports[i]}});
        OposPosPrinter printer(bench_->store);
        const int open = printer.Open(QStringLiteral("P%1").arg(i));
        const int result = open != Opos::Success ? open : printer.ClaimDevice(10);
        QCOMPARE(result, expected[i]);
    }
    ::close(holder);
}

void TestEscPosDevices::serialDisplayClearsThenShowsText()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
    configure("LineDisplay", "Display", {{"Port", QString::fromLocal8Bit(name)}, {"Baud", "9600"}});
    QCOMPARE(layer().StartLineDisplay(QStringLiteral("Display")), QStringLiteral("Display"));
    layer().ShowOnLineDisplay(QStringLiteral("Total           5,00 €"));

    QByteArray received;
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    QTRY_VERIFY([&] {
        char buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, n);
        return received.size() >= 28;
    }());
    QCOMPARE(received, Init + "\x0c" + QByteArray("Total           5,00 \x80"));
    ::close(slave);
    ::close(master);
}

QTEST_MAIN(TestEscPosDevices)
#include "test_escpos_devices.moc"
