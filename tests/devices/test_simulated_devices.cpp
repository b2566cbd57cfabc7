// The control objects with the simulated service objects: what lands in
// the output files, the scripted failures, the drawer's window.
#include "device_test_bench.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/device_layer.h"
#include "devices/opos_devices.h"

#include <QDialog>
#include <QPushButton>
#include <QtTest>

class TestSimulatedDevices : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void printerAppendsDataFeedAndFormFeed();
    void feedLinesFollowItsSetting_data();
    void feedLinesFollowItsSetting();
    void failOpenAndClaimCountCallsAcrossRetries_data();
    void failOpenAndClaimCountCallsAcrossRetries();
    void failPrintRefusesLinesThenResumes();
    void unusableConfigurationFailsToStart_data();
    void unusableConfigurationFailsToStart();
    void controlRefusesCallsOutOfOrder();
    void drawerClosesAtOnceWithAutoClose();
    void drawerWaitsForTheUserOtherwise();
    void displayAppendsEachText();

private:
    DeviceLayer &layer() { return bench_->layer(); }
    void configure(const QString &deviceClass, const QString &name, const QMap<QString, QString> &values)
    {
        bench_->configure(deviceClass, name, values);
    }

    std::unique_ptr<TestDatabase> db_;
    AppSettings settings_;
    std::unique_ptr<DeviceTestBench> bench_;
};

void TestSimulatedDevices::init()
{
    setLanguageSetting(QStringLiteral("0"));
    db_ = std::make_unique<TestDatabase>();
    db_->setControl(QStringLiteral("Ctrl_slip"), true);
    settings_ = AppSettings();
    bench_ = std::make_unique<DeviceTestBench>(db_->dm(), settings_);
}

void TestSimulatedDevices::cleanup()
{
    bench_.reset();
    db_.reset();
}

void TestSimulatedDevices::printerAppendsDataFeedAndFormFeed()
{
    configure("POSPrinter", "ReceiptPrinter",
              {{"Service", "simulated"}, {"Output", bench_->path("printer.txt")}, {"RecLinesToPaperCut", "2"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("ReceiptPrinter")), QStringLiteral("ReceiptPrinter"));
    layer().PrintLine(QStringLiteral("Café"));
    layer().PrintLine(QStringLiteral("  trailing  "));
    layer().EndPrintout();
    layer().PrintLine(QStringLiteral("next"));

    QCOMPARE(bench_->fileContents("printer.txt"), QByteArray("Caf\xc3\xa9\r\n  trailing  \r\n\n\r\n\r\n\r\fnext\r\n"));
    QVERIFY(bench_->dialogs.log.isEmpty());
}

void TestSimulatedDevices::feedLinesFollowItsSetting_data()
{
    QTest::addColumn<QString>("setting"); // empty: not written
    QTest::addColumn<QString>("paperCut");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("default 4") << "" << "Y" << QByteArray("\n\r\n\r\n\r\n\r\n\r\f");
    QTest::newRow("0") << "0" << "y" << QByteArray("\n\r\f");
    QTest::newRow("-1, no cut") << "-1" << "N" << QByteArray();
}

void TestSimulatedDevices::feedLinesFollowItsSetting()
{
    QFETCH(QString, setting);
    QFETCH(QString, paperCut);
    QFETCH(QByteArray, expected);
    QMap<QString, QString> values{{"Service", "Simulated"}, {"Output", bench_->path("p.txt")}};
    if (!setting.isEmpty())
        values.insert("RecLinesToPaperCut", setting);
    configure("POSPrinter", "P", values);
    settings_.paperCut = paperCut;
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    layer().EndPrintout();
    QCOMPARE(bench_->fileContents("p.txt"), expected);
}

void TestSimulatedDevices::failOpenAndClaimCountCallsAcrossRetries_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("FailOpen=2") << "FailOpen";
    QTest::newRow("FailClaim=2") << "FailClaim";
}

void TestSimulatedDevices::failOpenAndClaimCountCallsAcrossRetries()
{
    QFETCH(QString, failure);
    configure("POSPrinter", "P", {{"Service", "simulated"}, {"Output", bench_->path("p.txt")}, {failure, "2"}});
    bench_->dialogs.answerQuestions({true, true});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    QCOMPARE(bench_->dialogs.questions().size(), 2);
    layer().PrintLine(QStringLiteral("works"));
    QCOMPARE(bench_->fileContents("p.txt"), QByteArray("works\r\n"));
}

void TestSimulatedDevices::failPrintRefusesLinesThenResumes()
{
    configure("POSPrinter", "P",
              {{"Service", "simulated"}, {"Output", bench_->path("p.txt")}, {"FailPrint", "3"}, {"FailPrintFrom", "2"},
               {"RecLinesToPaperCut", "-1"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    bench_->dialogs.answerQuestions({true, true, true});
    for (const char *line : {"one", "two", "three"})
        QVERIFY(layer().PrintLine(QLatin1String(line)));
    layer().EndPrintout();
    QCOMPARE(bench_->fileContents("p.txt"), QByteArray("one\r\ntwo\r\nthree\r\n\f"));
    QCOMPARE(bench_->dialogs.questions().size(), 3);
}

void TestSimulatedDevices::unusableConfigurationFailsToStart_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("output"); // relative to the temporary folder
    QTest::newRow("unknown service") << "opos" << "p.txt";
    QTest::newRow("no output") << "simulated" << "";
    QTest::newRow("output is a folder") << "simulated" << ".";
    QTest::newRow("output folder missing") << "simulated" << "missing/p.txt";
}

void TestSimulatedDevices::unusableConfigurationFailsToStart()
{
    QFETCH(QString, service);
    QFETCH(QString, output);
    configure("POSPrinter", "P", {{"Service", service}, {"Output", output.isEmpty() ? QString() : bench_->path(output)}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QString());
    QCOMPARE(bench_->dialogs.questions().size(), 1);
}

void TestSimulatedDevices::controlRefusesCallsOutOfOrder()
{
    configure("POSPrinter", "P", {{"Service", "simulated"}, {"Output", bench_->path("p.txt")}});
    OposPosPrinter printer(bench_->store);
    QCOMPARE(printer.PrintNormal(2, "x"), Opos::Closed);
    QCOMPARE(printer.Open("Unknown"), Opos::NoService);
    QCOMPARE(printer.Open("P"), Opos::Success);
    QCOMPARE(printer.PrintNormal(2, "x"), Opos::NotClaimed);
    QCOMPARE(printer.ClaimDevice(10), Opos::Success);
    QCOMPARE(printer.PrintNormal(2, "x"), Opos::Disabled);
    printer.setDeviceEnabled(true);
    QCOMPARE(printer.PrintNormal(1, "journal"), Opos::Illegal);
    QCOMPARE(printer.PrintNormal(2, "x"), Opos::Success);
    QCOMPARE(printer.Close(), Opos::Success);
    QCOMPARE(printer.PrintNormal(2, "x"), Opos::Closed);
    QCOMPARE(bench_->fileContents("p.txt"), QByteArray("x"));
}

void TestSimulatedDevices::drawerClosesAtOnceWithAutoClose()
{
    configure("CashDrawer", "D", {{"Service", "simulated"}, {"Output", bench_->path("d.txt")}, {"AutoClose", "y"}});
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("D")), QStringLiteral("D"));
    layer().WaitCashDrawerClosed(); // shut already: nothing happens
    layer().OpenCashDrawer();
    layer().WaitCashDrawerClosed();
    QCOMPARE(bench_->fileContents("d.txt"), QByteArray("open\nclosed\n"));
    QVERIFY(bench_->dialogs.log.isEmpty());
}

void TestSimulatedDevices::drawerWaitsForTheUserOtherwise()
{
    configure("CashDrawer", "D", {{"Service", "simulated"}, {"Output", bench_->path("d.txt")}, {"AutoClose", "N"}});
    QByteArray whileOpen;
    bench_->dialogs.onModal(QStringLiteral("DrawerClosePrompt"), [&](QDialog &prompt) {
        whileOpen = bench_->fileContents("d.txt");
        prompt.reject(); // Escape does not count as shut
        if (prompt.isVisible())
            prompt.findChild<QPushButton *>(QStringLiteral("drawerShutButton"))->click();
        return -1;
    });
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("D")), QStringLiteral("D"));
    layer().OpenCashDrawer();
    layer().WaitCashDrawerClosed();
    QCOMPARE(whileOpen, QByteArray("open\n"));
    QCOMPARE(bench_->fileContents("d.txt"), QByteArray("open\nclosed\n"));
    QCOMPARE(bench_->dialogs.log, QStringList{"exec: DrawerClosePrompt"});
}

void TestSimulatedDevices::displayAppendsEachText()
{
    configure("LineDisplay", "L", {{"Service", "simulated"}, {"Output", bench_->path("l.txt")}});
    QCOMPARE(layer().StartLineDisplay(QStringLiteral("L")), QStringLiteral("L"));
    layer().ShowOnLineDisplay(QStringLiteral("Pommes          1.99"));
    layer().ShowOnLineDisplay(QStringLiteral("Total           5.00"));
    QCOMPARE(bench_->fileContents("l.txt"), QByteArray("Pommes          1.99\nTotal           5.00\n"));
}

QTEST_MAIN(TestSimulatedDevices)
#include "test_simulated_devices.moc"
