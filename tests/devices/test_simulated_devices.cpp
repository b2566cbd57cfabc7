// The control objects with the simulated service objects: what lands in
// the output files, the scripted failures, the drawer's window.
#include "scripted_dialogs.h"
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
    void configure(const QString &deviceClass, const QString &name, const QMap<QString, QString> &values);
    QString outputPath(const QString &file) const { return dir_->filePath(file); }
    QByteArray output(const QString &file) const;
    DeviceLayer &layer();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<OposDevices> devices_;
    AppSettings settings_;
    std::unique_ptr<DeviceLayer> layer_;
};

void TestSimulatedDevices::init()
{
    setLanguageSetting(QStringLiteral("0"));
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<SettingsStore>(dir_->filePath(QStringLiteral("settings.ini")));
    db_ = std::make_unique<TestDatabase>();
    db_->setControl(QStringLiteral("Ctrl_slip"), true);
    dialogs_ = std::make_unique<ScriptedDialogs>();
    settings_ = AppSettings();
}

void TestSimulatedDevices::cleanup()
{
    layer_.reset();
    devices_.reset();
    dialogs_.reset();
    db_.reset();
    store_.reset();
    dir_.reset();
}

void TestSimulatedDevices::configure(const QString &deviceClass, const QString &name,
                                     const QMap<QString, QString> &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        QVERIFY(store_->write(oposDeviceSection(deviceClass, name), it.key(), it.value()));
}

QByteArray TestSimulatedDevices::output(const QString &file) const
{
    QFile f(outputPath(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

DeviceLayer &TestSimulatedDevices::layer()
{
    if (!layer_) {
        devices_ = std::make_unique<OposDevices>(*store_);
        layer_ = std::make_unique<DeviceLayer>(db_->dm(), settings_, devices_->Printer1, devices_->CashDrawer1,
                                               devices_->Linedisp1);
    }
    return *layer_;
}

void TestSimulatedDevices::printerAppendsDataFeedAndFormFeed()
{
    configure("POSPrinter", "ReceiptPrinter",
              {{"Service", "simulated"}, {"Output", outputPath("printer.txt")}, {"RecLinesToPaperCut", "2"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("ReceiptPrinter")), QStringLiteral("ReceiptPrinter"));
    layer().PrintLine(QStringLiteral("Café"));
    layer().PrintLine(QStringLiteral("  trailing  "));
    layer().EndPrintout();
    layer().PrintLine(QStringLiteral("next"));

    QCOMPARE(output("printer.txt"), QByteArray("Caf\xc3\xa9\r\n  trailing  \r\n\n\r\n\r\n\r\fnext\r\n"));
    QVERIFY(dialogs_->log.isEmpty());
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
    QMap<QString, QString> values{{"Service", "Simulated"}, {"Output", outputPath("p.txt")}};
    if (!setting.isEmpty())
        values.insert("RecLinesToPaperCut", setting);
    configure("POSPrinter", "P", values);
    settings_.paperCut = paperCut;
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    layer().EndPrintout();
    QCOMPARE(output("p.txt"), expected);
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
    configure("POSPrinter", "P", {{"Service", "simulated"}, {"Output", outputPath("p.txt")}, {failure, "2"}});
    dialogs_->answerQuestions({true, true});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    QCOMPARE(dialogs_->questions().size(), 2);
    layer().PrintLine(QStringLiteral("works"));
    QCOMPARE(output("p.txt"), QByteArray("works\r\n"));
}

void TestSimulatedDevices::failPrintRefusesLinesThenResumes()
{
    configure("POSPrinter", "P",
              {{"Service", "simulated"}, {"Output", outputPath("p.txt")}, {"FailPrint", "3"}, {"FailPrintFrom", "2"},
               {"RecLinesToPaperCut", "-1"}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    for (const char *line : {"one", "two", "three"})
        layer().PrintLine(QLatin1String(line));
    layer().EndPrintout();
    QCOMPARE(output("p.txt"), QByteArray("one\r\ntwo\r\nthree\r\n\f"));
    QCOMPARE(dialogs_->messages(), QStringList(3, QStringLiteral("There is a problem with the printer")));
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
    configure("POSPrinter", "P", {{"Service", service}, {"Output", output.isEmpty() ? QString() : outputPath(output)}});
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QString());
    QCOMPARE(dialogs_->questions().size(), 1);
}

void TestSimulatedDevices::controlRefusesCallsOutOfOrder()
{
    configure("POSPrinter", "P", {{"Service", "simulated"}, {"Output", outputPath("p.txt")}});
    OposPosPrinter printer(*store_);
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
    QCOMPARE(output("p.txt"), QByteArray("x"));
}

void TestSimulatedDevices::drawerClosesAtOnceWithAutoClose()
{
    configure("CashDrawer", "D", {{"Service", "simulated"}, {"Output", outputPath("d.txt")}, {"AutoClose", "y"}});
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("D")), QStringLiteral("D"));
    layer().WaitCashDrawerClosed(); // shut already: nothing happens
    layer().OpenCashDrawer();
    layer().WaitCashDrawerClosed();
    QCOMPARE(output("d.txt"), QByteArray("open\nclosed\n"));
    QVERIFY(dialogs_->log.isEmpty());
}

void TestSimulatedDevices::drawerWaitsForTheUserOtherwise()
{
    configure("CashDrawer", "D", {{"Service", "simulated"}, {"Output", outputPath("d.txt")}, {"AutoClose", "N"}});
    QByteArray whileOpen;
    dialogs_->onModal(QStringLiteral("DrawerClosePrompt"), [&](QDialog &prompt) {
        whileOpen = output("d.txt");
        prompt.reject(); // Escape does not count as shut
        if (prompt.isVisible())
            prompt.findChild<QPushButton *>(QStringLiteral("drawerShutButton"))->click();
        return -1;
    });
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("D")), QStringLiteral("D"));
    layer().OpenCashDrawer();
    layer().WaitCashDrawerClosed();
    QCOMPARE(whileOpen, QByteArray("open\n"));
    QCOMPARE(output("d.txt"), QByteArray("open\nclosed\n"));
    QCOMPARE(dialogs_->log, QStringList{"exec: DrawerClosePrompt"});
}

void TestSimulatedDevices::displayAppendsEachText()
{
    configure("LineDisplay", "L", {{"Service", "simulated"}, {"Output", outputPath("l.txt")}});
    QCOMPARE(layer().StartLineDisplay(QStringLiteral("L")), QStringLiteral("L"));
    layer().ShowOnLineDisplay(QStringLiteral("Pommes          1.99"));
    layer().ShowOnLineDisplay(QStringLiteral("Total           5.00"));
    QCOMPARE(output("l.txt"), QByteArray("Pommes          1.99\nTotal           5.00\n"));
}

QTEST_MAIN(TestSimulatedDevices)
#include "test_simulated_devices.moc"
