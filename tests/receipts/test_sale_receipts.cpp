// The sale and stock receipts line by line, in both layouts and both
// languages, normal and training mode.
#include "receipt_fixture.h"

#include "common/language.h"

#include <QtTest>

using HeaderValues = QList<QPair<QString, double>>;

class TestSaleReceipts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void wholeSaleReceipt_data();
    void wholeSaleReceipt();
    void columns30Setting_data();
    void columns30Setting();
    void companyNameIndent_data();
    void companyNameIndent();
    void emptyAddressPrintsEmptySlipMessageDoesNot();
    void amountLines_data();
    void amountLines();
    void trainingChange_data();
    void trainingChange();
    void trainingReceiptUsesWorkHeader();
    void wholeStockReceipt_data();
    void wholeStockReceipt();
    void stockReceiptLeavesOutTaxesAndTenders();
    void nothingPrintedWithoutPrinter();

private:
    std::unique_ptr<ReceiptFixture> shop_;
};

void TestSaleReceipts::init()
{
    setLanguageSetting(QStringLiteral("0"));
    shop_ = std::make_unique<ReceiptFixture>();
}

void TestSaleReceipts::cleanup()
{
    shop_.reset();
}

void TestSaleReceipts::wholeSaleReceipt_data()
{
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("40 columns, English") << "N" << "0" << QStringList{
        "3/9/26                       2:05:03 PM",
        "          Tillano Corner Store",
        "             12 Main Street",
        "              Springfield",
        "                555-0100",
        "               Thank you!",
        "               Come again",
        "",
        "UPC           Description   Qty      Total",
        "12345678901   Apples          2      $4.98",
        "42            Chocolate bar deluxe    1      $1.25",
        "7             Return         -1    ($3.00)",
        "                          Total      $3.23",
        "                            GST      $0.16",
        "                            PST      $0.26",
        "                          Total      $3.65",
        "                           Cash      $5.00",
        "                         Change      $1.35",
        "Cashier    7   ",
        "Transaction     1005        ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
    QTest::newRow("40 columns, French") << "n" << "1" << QStringList{
        "3/9/26                       2:05:03 PM",
        "          Tillano Corner Store",
        "             12 Main Street",
        "              Springfield",
        "                555-0100",
        "               Thank you!",
        "               Come again",
        "",
        "UPC           Description   Qte      Total",
        "12345678901   Apples          2      $4.98",
        "42            Chocolate bar deluxe    1      $1.25",
        "7             Return         -1    ($3.00)",
        "                          Total      $3.23",
        "                            GST      $0.16",
        "                            PST      $0.26",
        "                          Total      $3.65",
        "                           Cash      $5.00",
        "                         Change      $1.35",
        "Caissier   7   ",
        "Transaction     1005        ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
    QTest::newRow("30 columns, English") << "Y" << "0" << QStringList{
        "3/9/26                       2:05:03 PM",
        "     Tillano Corner Store",
        "        12 Main Street",
        "         Springfield",
        "           555-0100",
        "          Thank you!",
        "          Come again",
        "",
        "Description      Qty      Total",
        "Apples             2      $4.98",
        "Chocolate bar deluxe    1      $1.25",
        "Return            -1    ($3.00)",
        "               Total      $3.23",
        "                 GST      $0.16",
        "                 PST      $0.26",
        "               Total      $3.65",
        "                Cash      $5.00",
        "              Change      $1.35",
        "Cashier    7   ",
        "Transaction     1005        ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
    QTest::newRow("30 columns, French") << "y" << "2" << QStringList{
        "3/9/26                       2:05:03 PM",
        "     Tillano Corner Store",
        "        12 Main Street",
        "         Springfield",
        "           555-0100",
        "          Thank you!",
        "          Come again",
        "",
        "Description      Qte      Total",
        "Apples             2      $4.98",
        "Chocolate bar deluxe    1      $1.25",
        "Return            -1    ($3.00)",
        "               Total      $3.23",
        "                 GST      $0.16",
        "                 PST      $0.26",
        "               Total      $3.65",
        "                Cash      $5.00",
        "              Change      $1.35",
        "Caissier   7   ",
        "Transaction     1005        ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
}

void TestSaleReceipts::wholeSaleReceipt()
{
    QFETCH(QString, columns30);
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    shop_->settings.columns30 = columns30;
    setLanguageSetting(language);
    QCOMPARE(shop_->print(&ReceiptPrinting::print_receipt_sale), expected);
}

void TestSaleReceipts::columns30Setting_data()
{
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<int>("itemLineLength");
    QTest::newRow("y") << "y" << 36;
    QTest::newRow("Y") << "Y" << 36;
    QTest::newRow("Yes") << "Yes" << 50;
    QTest::newRow("N") << "N" << 50;
}

void TestSaleReceipts::columns30Setting()
{
    QFETCH(QString, columns30);
    QFETCH(int, itemLineLength);
    shop_->settings.columns30 = columns30;
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_sale);
    // The line of the 20-character description.
    QCOMPARE(lines.at(10).size(), itemLineLength);
}

void TestSaleReceipts::companyNameIndent_data()
{
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<QString>("expected");
    const QString name = QStringLiteral("The Thirty Character Shop Name");
    QTest::newRow("40 columns") << "N" << "     " + name;
    QTest::newRow("30 columns") << "Y" << name;
}

void TestSaleReceipts::companyNameIndent()
{
    QFETCH(QString, columns30);
    QFETCH(QString, expected);
    shop_->db.setControl(QStringLiteral("Ctrl_company_name"), QStringLiteral("The Thirty Character Shop Name"));
    shop_->settings.columns30 = columns30;
    QCOMPARE(shop_->print(&ReceiptPrinting::print_receipt_sale).at(1), expected);
    QCOMPARE(shop_->print(&ReceiptPrinting::PrintMoneyCount).at(2), expected);
}

void TestSaleReceipts::emptyAddressPrintsEmptySlipMessageDoesNot()
{
    for (const char *field : {"Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_slip_mess", "Ctrl_slip_mess3"})
        shop_->db.setControl(QLatin1String(field), QString());
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_sale);
    QCOMPARE(lines.mid(0, 7), (QStringList{"3/9/26                       2:05:03 PM", "          Tillano Corner Store",
                                           QString(20, ' '), QString(20, ' '), "                555-0100", "",
                                           "UPC           Description   Qty      Total"}));
}

void TestSaleReceipts::amountLines_data()
{
    QTest::addColumn<HeaderValues>("posted"); // fields of the posted header
    QTest::addColumn<QStringList>("expected");                // the lines after the items

    const QString tail1 = "Cashier    7   ";
    QTest::newRow("no tax: one Total, paid exactly")
        << HeaderValues{{"Trxh_tx1", 0}, {"Trxh_tx2", 0}, {"Trxh_grand_total", 3.23},
                                         {"Trxh_pmt1", 3.23}, {"Trxh_change", 0}}
        << QStringList{"                          Total      $3.23", "                           Cash      $3.23", tail1};
    QTest::newRow("20.00 cash on 17.25")
        << HeaderValues{{"Trxh_total", 16}, {"Trxh_tx1", 1.25}, {"Trxh_tx2", 0},
                                         {"Trxh_grand_total", 17.25}, {"Trxh_pmt1", 20}, {"Trxh_change", -2.75}}
        << QStringList{"                          Total     $16.00", "                            GST      $1.25",
                       "                          Total     $17.25", "                           Cash     $20.00",
                       "                         Change      $2.75", tail1};
    QTest::newRow("tax 3 only, every tender kind, negative amounts")
        << HeaderValues{{"Trxh_tx1", 0},         {"Trxh_tx2", 0},        {"Trxh_tx3", 0.5},
                                         {"Trxh_grand_total", 3.73}, {"Trxh_pmt1", -1},    {"Trxh_pmt3", 1},
                                         {"Trxh_pmt5", 1},         {"Trxh_cpn1", 0.5},     {"Trxh_cpn3", 0.25},
                                         {"Trxh_fc1", 2},          {"Trxh_change", 0.02}}
        << QStringList{"                          Total      $3.23", "                                     $0.50",
                       "                          Total      $3.73", "                           Cash    ($1.00)",
                       "                                     $1.00",       "                                     $1.00",
                       "                         Coupon      $0.50", "                                     $0.25",
                       "                       For Curr      $2.00", "                         Change    ($0.02)",
                       tail1};
}

void TestSaleReceipts::amountLines()
{
    QFETCH(HeaderValues, posted);
    QFETCH(QStringList, expected);
    for (const auto &[field, value] : posted)
        shop_->setHeader(shop_->dm().tranmaster, field, value);
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_sale);
    QCOMPARE(lines.mid(12, expected.size()), expected);
}

void TestSaleReceipts::trainingChange_data()
{
    QTest::addColumn<double>("cash");
    QTest::addColumn<double>("coupon");
    QTest::addColumn<double>("foreign");
    QTest::addColumn<QString>("changeLine"); // empty: none
    QTest::newRow("cash 8, coupon 5: cash alone short") << 8.0 << 5.0 << 0.0 << "";
    QTest::newRow("cash 12, coupon 5") << 12.0 << 5.0 << 0.0 << "                         Change      $7.00";
    QTest::newRow("exact") << 10.0 << 0.0 << 0.0 << "";
    QTest::newRow("foreign 6 at 1.25 and cash 3") << 3.0 << 0.0 << 6.0
                                                  << "                         Change      $0.50";
}

void TestSaleReceipts::trainingChange()
{
    QFETCH(double, cash);
    QFETCH(double, coupon);
    QFETCH(double, foreign);
    QFETCH(QString, changeLine);
    shop_->signIn(9);
    Table &work = shop_->dm().tmpmaster;
    const HeaderValues header{{"Trxh_total", 10}, {"Trxh_tx1", 0},      {"Trxh_tx2", 0},
                                               {"Trxh_grand_total", 10}, {"Trxh_pmt1", cash}, {"Trxh_cpn1", coupon},
                                               {"Trxh_fc1", foreign}};
    for (const auto &[field, value] : header)
        shop_->setHeader(work, field, value);
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_sale);
    const int cashierLine = int(lines.indexOf("Cashier    9   "));
    QVERIFY(cashierLine > 0);
    QCOMPARE(lines.at(cashierLine - 1).contains("Change"), !changeLine.isEmpty());
    if (!changeLine.isEmpty())
        QCOMPARE(lines.at(cashierLine - 1), changeLine);
}

void TestSaleReceipts::trainingReceiptUsesWorkHeader()
{
    shop_->signIn(9);
    shop_->setHeader(shop_->dm().tmpmaster, "Trxh_pmt1", 10.0);
    shop_->settings.columns30 = QStringLiteral("Y");
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_sale);
    QCOMPARE(lines, (QStringList{
                        "3/9/26                       2:05:03 PM",
                        "     Tillano Corner Store",
                        "        12 Main Street",
                        "         Springfield",
                        "           555-0100",
                        "          Thank you!",
                        "          Come again",
                        "        TRAINING MODE",
                        "",
                        "Description      Qty      Total",
                        "Apples             2      $4.98",
                        "Chocolate bar deluxe    1      $1.25",
                        "Return            -1    ($3.00)",
                        "               Total      $3.23",
                        "                 GST      $0.16",
                        "                 PST      $0.26",
                        "               Total      $3.65",
                        "                Cash     $10.00",
                        "              Change      $6.35",
                        "Cashier    9   ",
                        "Transaction     0   ",
                        "Terminal ID     3   ",
                        "<EndPrintout>"}));
}

void TestSaleReceipts::wholeStockReceipt_data()
{
    QTest::addColumn<int>("cashier");
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("40 columns, English, normal") << 7 << "N" << "0" << QStringList{
        "3/9/26                       2:05:03 PM",
        "             STOCK RECEIPT",
        "          Tillano Corner Store",
        "             12 Main Street",
        "              Springfield",
        "                555-0100",
        "               Thank you!",
        "               Come again",
        "",
        "UPC           Description   Qty      Total",
        "12345678901   Apples          2      $4.98",
        "42            Chocolate bar deluxe    1      $1.25",
        "7             Return         -1    ($3.00)",
        "                          Total      $3.23",
        "Cashier    7   ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
    QTest::newRow("30 columns, French, training") << 9 << "Y" << "1" << QStringList{
        "3/9/26                       2:05:03 PM",
        "        STOCK RECEIPT",
        "     Tillano Corner Store",
        "        12 Main Street",
        "         Springfield",
        "           555-0100",
        "          Thank you!",
        "          Come again",
        "        TRAINING MODE",
        "",
        "Description      Qte      Total",
        "Apples             2      $4.98",
        "Chocolate bar deluxe    1      $1.25",
        "Return            -1    ($3.00)",
        "               Total      $3.23",
        "Caissier   9   ",
        "Transaction     0   ",
        "Terminal ID     3   ",
        "<EndPrintout>"};
}

void TestSaleReceipts::wholeStockReceipt()
{
    QFETCH(int, cashier);
    QFETCH(QString, columns30);
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    shop_->signIn(cashier);
    shop_->settings.columns30 = columns30;
    setLanguageSetting(language);
    QCOMPARE(shop_->print(&ReceiptPrinting::print_receipt_stock), expected);
}

void TestSaleReceipts::stockReceiptLeavesOutTaxesAndTenders()
{
    // The work header's cashier, not the posted sale's, is printed.
    shop_->setHeader(shop_->dm().tmpmaster, "Trxh_cashier", 12);
    shop_->setHeader(shop_->dm().tmpmaster, "Trxh_total", 99.5);
    const QStringList lines = shop_->print(&ReceiptPrinting::print_receipt_stock);
    QCOMPARE(lines.mid(13), (QStringList{"                          Total     $99.50", "Cashier    12  ",
                                         "Terminal ID     3   ", "<EndPrintout>"}));
}

void TestSaleReceipts::nothingPrintedWithoutPrinter()
{
    shop_->names.printer.clear();
    QCOMPARE(shop_->print(&ReceiptPrinting::print_receipt_sale), QStringList());
    QCOMPARE(shop_->print(&ReceiptPrinting::print_receipt_stock), QStringList());
}

QTEST_MAIN(TestSaleReceipts)
#include "test_sale_receipts.moc"
