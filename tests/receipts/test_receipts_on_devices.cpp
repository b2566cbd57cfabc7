// A sale receipt sent through the device layer to the simulated printer
// (with paper running out in the middle) and to an ESC/POS printer.
#include "device_test_bench.h"
#include "fake_escpos_printer.h"
#include "receipt_fixture.h"

#include "common/language.h"
#include "devices/escpos_code_page.h"
#include "receipts/sale_receipt.h"

#include <QtTest>

class TestReceiptsOnDevices : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void paperOutInTheMiddleResumesAtRefusedLine();
    void escposPrinterGetsTheReceiptBytes();

private:
    void startPrinter(const QMap<QString, QString> &values);
    QByteArray receiptText(const QByteArray &lineEnd, const std::function<QByteArray(const QString &)> &encode);

    std::unique_ptr<ReceiptFixture> shop_;
    std::unique_ptr<DeviceTestBench> bench_;
    std::unique_ptr<ReceiptPrinting> printing_;
};

void TestReceiptsOnDevices::init()
{
    setLanguageSetting(QStringLiteral("1"));
    shop_ = std::make_unique<ReceiptFixture>();
    shop_->db.setControl(QStringLiteral("Ctrl_slip"), true);
    shop_->db.setControl(QStringLiteral("Ctrl_slip_mess"), QStringLiteral("Merci, à bientôt!"));
    bench_ = std::make_unique<DeviceTestBench>(shop_->dm(), shop_->settings);
}

void TestReceiptsOnDevices::cleanup()
{
    printing_.reset();
    bench_.reset();
    shop_.reset();
}

void TestReceiptsOnDevices::startPrinter(const QMap<QString, QString> &values)
{
    bench_->configure("POSPrinter", "ReceiptPrinter", values);
    printing_ = std::make_unique<ReceiptPrinting>(shop_->dm(), bench_->layer(), shop_->settings, shop_->names);
    QCOMPARE(bench_->layer().StartPrinter(QStringLiteral("ReceiptPrinter")), QStringLiteral("ReceiptPrinter"));
}

QByteArray TestReceiptsOnDevices::receiptText(const QByteArray &lineEnd,
                                              const std::function<QByteArray(const QString &)> &encode)
{
    QByteArray text;
    for (const QString &line : saleReceiptLines(shop_->shop(), shop_->sale(), false))
        text += encode(line) + lineEnd;
    return text;
}

void TestReceiptsOnDevices::paperOutInTheMiddleResumesAtRefusedLine()
{
    const QString output = bench_->path(QStringLiteral("receipt-printer.txt"));
    startPrinter({{"Service", "simulated"}, {"Output", output}, {"FailPrint", "3"}, {"FailPrintFrom", "10"},
                  {"RecLinesToPaperCut", "1"}});
    bench_->dialogs.answerQuestions({true, true, true});
    printing_->print_receipt_sale(shop_->sale());

    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = receiptText("\r\n", [](const QString &s) { return s.toUtf8(); }) + "\n\r\n\r\f";
    QCOMPARE(file.readAll(), expected);
    QVERIFY(expected.contains("Merci, \xc3\xa0 bient\xc3\xb4t!\r\n"));
    QCOMPARE(bench_->dialogs.questions(),
             QStringList(3, QStringLiteral("Il y a un problème avec l'imprimante.\n\nLa vente est enregistrée : si ce "
                                           "reçu est arrêté maintenant, il peut être imprimé de nouveau avec Re-Print "
                                           "<F11>.\n\nEssayer à nouveau? (Non arrête cette impression.)")));
}

void TestReceiptsOnDevices::escposPrinterGetsTheReceiptBytes()
{
    FakeEscPosPrinter printer;
    startPrinter({{"Service", "escpos"}, {"Port", printer.portSetting()}, {"RecLinesToPaperCut", "3"}});
    printing_->print_receipt_sale(shop_->sale());

    const EscPosCodePage windows1252 = EscPosCodePage::named(QStringLiteral("1252"));
    const QByteArray expected = QByteArray("\x1b@\x1bt\x10", 5)
        + receiptText("\r\n", [&](const QString &s) { return windows1252.encode(s); })
        + QByteArray("\n\r\n\r\n\r\n\r") + QByteArray("\x1dV\x01", 3);
    QTRY_COMPARE(printer.printed(), expected);
    QVERIFY(expected.contains("Merci, \xe0 bient\xf4t!\r\n"));
    QVERIFY(bench_->dialogs.log.isEmpty());
}

QTEST_MAIN(TestReceiptsOnDevices)
#include "test_receipts_on_devices.moc"
