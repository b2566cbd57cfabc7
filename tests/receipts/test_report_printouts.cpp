// The money count and the four reports on the receipt printer.
#include "receipt_fixture.h"

#include "common/language.h"

#include <QtTest>

class TestReportPrintouts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void wholeMoneyCount_data();
    void wholeMoneyCount();
    void wholeFinancialReport();
    void reportTitles_data();
    void reportTitles();
    void cashierReportWalksAllAndReturnsToSignedIn();
    void productReport();
    void departmentReportInFrench();
    void emptyTablesGiveHeaderAndZeroTotal();

private:
    void fill(Table &table, const QList<QPair<QString, QVariant>> &values);
    std::unique_ptr<ReceiptFixture> shop_;
};

void TestReportPrintouts::init()
{
    setLanguageSetting(QStringLiteral("0"));
    shop_ = std::make_unique<ReceiptFixture>();
}

void TestReportPrintouts::cleanup()
{
    shop_.reset();
}

void TestReportPrintouts::fill(Table &table, const QList<QPair<QString, QVariant>> &values)
{
    if (table.isEmpty())
        table.append();
    else
        table.edit();
    for (const auto &[field, value] : values)
        table.field(field).setValue(value);
    table.post();
}

void TestReportPrintouts::wholeMoneyCount_data()
{
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("40 columns, English") << "N" << "0" << QStringList{
        "3/9/26                       2:05:03 PM",
        "Terminal ID     3   ",
        "          Tillano Corner Store",
        "             12 Main Street",
        "              Springfield",
        "                555-0100",
        "         M O N E Y   C O U N T",
        "",
        "Cashier    7    Ann                 ",
        "",
        "Description          Count     System",
        "Float              $100.00",
        "Sales                         $300.00",
        "Cash               $250.50    $255.75",
        "Visa                 $0.00     $44.25",
        "                     $0.00      $0.00",
        "                     $0.00      $0.00",
        "                     $0.00      $0.00",
        "Coupon               $5.00      $5.00",
        "                     $0.00      $0.00",
        "                     $0.00      $0.00",
        "Foreign Curr.       $20.00     $20.00",
        "Change                       ($10.25)",
        "<EndPrintout>"};
    QTest::newRow("30 columns, French") << "y" << "2" << QStringList{
        "3/9/26                       2:05:03 PM",
        "Terminal ID     3   ",
        "     Tillano Corner Store",
        "        12 Main Street",
        "         Springfield",
        "           555-0100",
        "       D E C O M P T E",
        "",
        "Caissier   7    Ann                 ",
        "",
        "Description       Compte   Systeme",
        "Depart       $100.00",
        "Ventes                $300.00",
        "Cash         $250.50  $255.75",
        "Visa           $0.00   $44.25",
        "               $0.00    $0.00",
        "               $0.00    $0.00",
        "               $0.00    $0.00",
        "Coupon         $5.00    $5.00",
        "               $0.00    $0.00",
        "               $0.00    $0.00",
        "Devise etrange   $20.00   $20.00",
        "Change               ($10.25)",
        "<EndPrintout>"};
}

void TestReportPrintouts::wholeMoneyCount()
{
    QFETCH(QString, columns30);
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    fill(shop_->dm().Moneytb, {{"Money_float", 100}, {"Money_pmt1", 250.5}, {"Money_cpn1", 5}, {"Money_fc1", 20}});
    fill(shop_->dm().cashiertb, {{"Cashier_mc_sales", 300}, {"Cashier_mc_pmt1", 255.75}, {"Cashier_mc_pmt2", 44.25},
                                 {"Cashier_mc_cpn1", 5}, {"Cashier_mc_fc1", 20}, {"Cashier_mc_change", -10.25}});
    shop_->settings.columns30 = columns30;
    setLanguageSetting(language);
    QCOMPARE(shop_->print(&ReceiptPrinting::PrintMoneyCount), expected);
}

void TestReportPrintouts::wholeFinancialReport()
{
    fill(shop_->dm().fintb, {{"Fin_sales", 1234.5}, {"Fin_tx1", 61.73}, {"Fin_tx2", 98.76}, {"Fin_no_trx", 42},
                             {"Fin_pmt1", 1000}, {"Fin_pmt2", 395}, {"Fin_cpn1", 5}, {"Fin_fc1", 20},
                             {"Fin_change", -15.25}, {"Fin_voids", -12}, {"Fin_no_voids", 2}, {"Fin_sales_pdt", 999}});
    QCOMPARE(shop_->print(&ReceiptPrinting::PrintFinancialReport), (QStringList{
        "3/9/26                       2:05:03 PM",
        "Terminal ID     3   ",
        "          Tillano Corner Store",
        "             12 Main Street",
        "              Springfield",
        "                555-0100",
        "    F I N A N C I A L   R E P O R T",
        "",
        "Description          Total",
        "Sales            $1,234.50",
        "GST                 $61.73",
        "PST                 $98.76",
        "                     $0.00",
        "Total            $1,394.99",
        "No. transaction         42",
        "Cash             $1,000.00",
        "Visa               $395.00",
        "                     $0.00",
        "                     $0.00",
        "                     $0.00",
        "Coupon               $5.00",
        "                     $0.00",
        "                     $0.00",
        "Foreign Curr.       $20.00",
        "Change            ($15.25)",
        "Voids             ($12.00)",
        "No. Voids                2",
        "",
        "",
        "<EndPrintout>"}));
}

void TestReportPrintouts::reportTitles_data()
{
    QTest::addColumn<QString>("printout");
    QTest::addColumn<QString>("columns30");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("cashier 40 en") << "cashier" << "N" << "0" << "      C A S H I E R   R E P O R T";
    QTest::newRow("cashier 30 en") << "cashier" << "Y" << "0" << " C A S H I E R   R E P O R T";
    QTest::newRow("cashier 40 fr") << "cashier" << "N" << "1" << "    R A P P O R T   C A I S S I E R";
    QTest::newRow("cashier 30 fr") << "cashier" << "Y" << "1" << "R A P P O R T   C A I S S I E R";
    QTest::newRow("financial 30 en") << "financial" << "Y" << "0" << "F I N A N C I A L   R E P O R T";
    QTest::newRow("financial 40 fr") << "financial" << "N" << "2" << "   R A P P O R T   F I N A N C I E R";
    QTest::newRow("financial 30 fr") << "financial" << "y" << "2" << "R A P P O R T   F I N A N C I E R";
    QTest::newRow("sales 40 en") << "product" << "N" << "0" << "        S A L E S   R E P O R T";
    QTest::newRow("sales 30 en") << "product" << "Y" << "0" << "   S A L E S   R E P O R T";
    QTest::newRow("sales 40 fr") << "product" << "N" << "1" << "  R A P P O R T   D E S   V E N T E S";
    QTest::newRow("sales 30 fr") << "product" << "Y" << "1" << "R A P P O R T   D E S   V E N T E S";
    QTest::newRow("dept 40 en") << "department" << "N" << "0" << "         D E P T   R E P O R T";
    QTest::newRow("dept 30 en") << "department" << "Y" << "0" << "    D E P T   R E P O R T";
    QTest::newRow("dept 40 fr") << "department" << "N" << "1" << "        R A P P O R T   D E P T.";
    QTest::newRow("dept 30 fr") << "department" << "Y" << "1" << "   R A P P O R T   D E P T.";
    QTest::newRow("money count 30 en") << "money" << "Y" << "0" << "    M O N E Y   C O U N T";
    QTest::newRow("money count 40 fr") << "money" << "N" << "1" << "            D E C O M P T E";
}

void TestReportPrintouts::reportTitles()
{
    QFETCH(QString, printout);
    QFETCH(QString, columns30);
    QFETCH(QString, language);
    QFETCH(QString, title);
    const QHash<QString, void (ReceiptPrinting::*)()> printouts{
        {"cashier", &ReceiptPrinting::PrintCashierReport},   {"financial", &ReceiptPrinting::PrintFinancialReport},
        {"product", &ReceiptPrinting::PrintProductReport},   {"department", &ReceiptPrinting::PrintDepartmentReport}};
    shop_->settings.columns30 = columns30;
    setLanguageSetting(language);
    const QStringList lines = printout == "money" ? shop_->print(&ReceiptPrinting::PrintMoneyCount)
                                                  : shop_->print(printouts.value(printout));
    QCOMPARE(lines.at(6), title);
}

void TestReportPrintouts::cashierReportWalksAllAndReturnsToSignedIn()
{
    fill(shop_->dm().cashiertb, {{"Cashier_sales", 20}, {"Cashier_tx1", 1}, {"Cashier_no_trx", 3},
                                 {"Cashier_pmt1", 21}, {"Cashier_voids", -2.5}, {"Cashier_no_voids", 1}});
    setLanguageSetting(QStringLiteral("1"));
    const QStringList lines = shop_->print(&ReceiptPrinting::PrintCashierReport);

    const QStringList ann{"Caissier   7    Ann                 ",
                          "",
                          "Description          Total",
                          "Ventes              $20.00",
                          "GST                  $1.00",
                          "PST                  $0.00",
                          "                     $0.00",
                          "Total               $21.00",
                          "No. transaction          3",
                          "Cash                $21.00",
                          "Visa                 $0.00",
                          "                     $0.00",
                          "                     $0.00",
                          "                     $0.00",
                          "Coupon               $0.00",
                          "                     $0.00",
                          "                     $0.00",
                          "Devise etrange       $0.00",
                          "Change               $0.00",
                          "Voids              ($2.50)",
                          "No. Voids                1",
                          "",
                          ""};
    QCOMPARE(lines.mid(7, 1), QStringList{""});
    QCOMPARE(lines.mid(8, ann.size()), ann);
    // The training cashier, with nothing sold, gets a full block of zeros.
    const QStringList tom = lines.mid(8 + ann.size(), ann.size());
    QCOMPARE(tom.at(0), QStringLiteral("Caissier   9    Tom                 "));
    QCOMPARE(tom.at(3), QStringLiteral("Ventes               $0.00"));
    QCOMPARE(tom.at(20), QStringLiteral("No. Voids                0"));
    QCOMPARE(lines.size(), 8 + 2 * ann.size() + 1);
    QCOMPARE(lines.last(), RecordingDevices::End);
    QCOMPARE(shop_->dm().cashiertb.field("Cashier_id").asInteger(), 7);
}

void TestReportPrintouts::productReport()
{
    Table &products = shop_->dm().producttb;
    const QList<QList<QVariant>> rows{{111, "Pears", 2.75, 1.005},
                                      {222, "A long product description", 1.0, 1.005},
                                      {333, "Returned", -1.5, -0.5}};
    for (const QList<QVariant> &row : rows) {
        products.append();
        products.field("Product_upc").setValue(row[0]);
        products.field("Product_desc").setValue(row[1]);
        products.field("Product_qty_sales").setValue(row[2]);
        products.field("Product_sales").setValue(row[3]);
        products.post();
    }
    const QStringList lines = shop_->print(&ReceiptPrinting::PrintProductReport);
    QCOMPARE(lines.mid(7), (QStringList{"",
                                        "Description    Qty      Total",
                                        "Pears            2      $1.00",
                                        "A long product description    1      $1.00",
                                        "Returned        -1    ($0.50)",
                                        "",
                                        // 1.0050 + 1.0050 - 0.5000, rounded only here
                                        "Total                   $1.51",
                                        "<EndPrintout>"}));
}

void TestReportPrintouts::departmentReportInFrench()
{
    shop_->db.addDepartment(2, QStringLiteral("Fruits et légumes"));
    shop_->db.addDepartment(1, QStringLiteral("Épicerie"));
    Table &depts = shop_->dm().DeptTb;
    depts.first();
    fill(depts, {{"Dept_sales", 12.5}});
    depts.next();
    fill(depts, {{"Dept_sales", 1234.56}});
    shop_->settings.columns30 = QStringLiteral("Y");
    setLanguageSetting(QStringLiteral("1"));
    QCOMPARE(shop_->print(&ReceiptPrinting::PrintDepartmentReport).mid(6),
             (QStringList{"   R A P P O R T   D E P T.", "", "Description          Total", "Épicerie            $12.50",
                          "Fruits et légumes  $1,234.56", "", "Total            $1,247.06", "<EndPrintout>"}));
}

void TestReportPrintouts::emptyTablesGiveHeaderAndZeroTotal()
{
    Table &products = shop_->dm().producttb;
    shop_->db.addProduct(1, QStringLiteral("Unsold"), 1.0);
    products.setFiltered(true);
    QCOMPARE(shop_->print(&ReceiptPrinting::PrintProductReport).mid(7),
             (QStringList{"", "Description    Qty      Total", "", "Total                   $0.00", "<EndPrintout>"}));
    products.setFiltered(false);
}

QTEST_MAIN(TestReportPrintouts)
#include "test_report_printouts.moc"
