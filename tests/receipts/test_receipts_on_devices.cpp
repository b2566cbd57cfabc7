// A sale receipt sent through the device layer to the simulated printer
// (with paper running out in the middle) and to an ESC/POS printer.
#include "fake_escpos_printer.h"
#include "receipt_fixture.h"
#include "scripted_dialogs.h"

#include "common/language.h"
#include "devices/device_layer.h"
#include "devices/escpos_code_page.h"
#include "devices/opos_devices.h"
#include "receipts/sale_receipt.h"

#include <QtTest>

class TestReceiptsOnDevices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void paperOutInTheMiddleResumesAtRefusedLine();
    void escposPrinterGetsTheReceiptBytes();

private:
    void startPrinter(const QMap<QString, QString> &values);
    QByteArray receiptText(const QByteArray &lineEnd, const std::function<QByteArray(const QString &)> &encode);

    std::unique_ptr<ReceiptFixture> shop_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<OposDevices> devices_;
    std::unique_ptr<DeviceLayer> layer_;
    std::unique_ptr<ReceiptPrinting> printing_;
};

void TestReceiptsOnDevices::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestReceiptsOnDevices::init()
{
    setLanguageSetting(QStringLiteral("1"));
    shop_ = std::make_unique<ReceiptFixture>();
    shop_->db.setControl(QStringLiteral("Ctrl_slip"), true);
    shop_->db.setControl(QStringLiteral("Ctrl_slip_mess"), QStringLiteral("Merci, à bientôt!"));
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<SettingsStore>(dir_->filePath(QStringLiteral("settings.ini")));
    dialogs_ = std::make_unique<ScriptedDialogs>();
}

void TestReceiptsOnDevices::cleanup()
{
    printing_.reset();
    layer_.reset();
    devices_.reset();
    dialogs_.reset();
    store_.reset();
    dir_.reset();
    shop_.reset();
}

void TestReceiptsOnDevices::startPrinter(const QMap<QString, QString> &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        QVERIFY(store_->write(oposDeviceSection("POSPrinter", "ReceiptPrinter"), it.key(), it.value()));
    devices_ = std::make_unique<OposDevices>(*store_);
    layer_ = std::make_unique<DeviceLayer>(shop_->dm(), shop_->settings, devices_->Printer1, devices_->CashDrawer1,
                                           devices_->Linedisp1);
    printing_ = std::make_unique<ReceiptPrinting>(shop_->dm(), *layer_, shop_->settings, shop_->names);
    QCOMPARE(layer_->StartPrinter(QStringLiteral("ReceiptPrinter")), QStringLiteral("ReceiptPrinter"));
}

QByteArray TestReceiptsOnDevices::receiptText(const QByteArray &lineEnd,
                                              const std::function<QByteArray(const QString &)> &encode)
{
    QByteArray text;
    for (const QString &line : saleReceiptLines(shop_->dm(), false))
        text += encode(line) + lineEnd;
    return text;
}

void TestReceiptsOnDevices::paperOutInTheMiddleResumesAtRefusedLine()
{
    const QString output = dir_->filePath(QStringLiteral("receipt-printer.txt"));
    startPrinter({{"Service", "simulated"}, {"Output", output}, {"FailPrint", "3"}, {"FailPrintFrom", "10"},
                  {"RecLinesToPaperCut", "1"}});
    printing_->print_receipt_sale();

    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = receiptText("\r\n", [](const QString &s) { return s.toUtf8(); }) + "\n\r\n\r\f";
    QCOMPARE(file.readAll(), expected);
    QVERIFY(expected.contains("Merci, \xc3\xa0 bient\xc3\xb4t!\r\n"));
    QCOMPARE(dialogs_->messages(), QStringList(3, QStringLiteral("Il y a un problème avec l'imprimante")));
}

void TestReceiptsOnDevices::escposPrinterGetsTheReceiptBytes()
{
    FakeEscPosPrinter printer;
    startPrinter({{"Service", "escpos"}, {"Port", printer.portSetting()}, {"RecLinesToPaperCut", "3"}});
    printing_->print_receipt_sale();

    const EscPosCodePage windows1252 = EscPosCodePage::named(QStringLiteral("1252"));
    const QByteArray expected = QByteArray("\x1b@\x1bt\x10", 5)
        + receiptText("\r\n", [&](const QString &s) { return windows1252.encode(s); })
        + QByteArray("\n\r\n\r\n\r\n\r") + QByteArray("\x1dV\x01", 3);
    QTRY_COMPARE(printer.printed(), expected);
    QVERIFY(expected.contains("Merci, \xe0 bient\xf4t!\r\n"));
    QVERIFY(dialogs_->log.isEmpty());
}

QTEST_MAIN(TestReceiptsOnDevices)
#include "test_receipts_on_devices.moc"
