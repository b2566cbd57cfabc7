// The Reports menu clicked on the real main window of a running program:
// the receipt printer's output file byte for byte, the PDF text of the
// page versions printed from the preview, and the refusal during a sale.
#include "report_test_support.h"
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"
#include "reports/printer_dialog.h"
#include "reports/report_preview_window.h"
#include "reports/sales_register_window.h"
#include "sale/sale_window.h"

#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

namespace {

const QDateTime Now(QDate(2026, 3, 9), QTime(14, 5, 3));

// Writes the fields of the current (or a new) record and posts it.
void write(Table &table, const QList<QPair<const char *, QVariant>> &values, bool append = false)
{
    append ? table.append() : table.edit();
    for (const auto &[field, value] : values)
        table.field(QLatin1String(field)).setValue(value);
    table.post();
}

// A shop with running totals, two products and departments of which one
// sold something, and one sale in the register.
void fillShop(const QString &dataDir)
{
    TDataModule2 dm;
    dm.connectTo(dataDir);
    for (Table *t : dm.tables())
        t->open();
    dm.Control.first();
    write(dm.Control, {{"Ctrl_company_name", "Corner Market"}, {"Ctrl_company_adr1", "125 Main Street"},
                       {"Ctrl_company_adr2", "Springfield"}, {"Ctrl_company_tel", "613-555-0142"},
                       {"Ctrl_terminal_id", 2}, {"Ctrl_slip", true}, {"Ctrl_tx1", "GST"}, {"Ctrl_tx2", "PST"},
                       {"Ctrl_pmt1", "Cash"}, {"Ctrl_pmt2", "Debit"}, {"Ctrl_pmt3", "Visa"}, {"Ctrl_cpn1", "Coupon"}});
    dm.cashiertb.emptyTable();
    write(dm.cashiertb, {{"Cashier_id", 1}, {"Cashier_name", "Marie Tremblay"}, {"Cashier_type", true},
                         {"Cashier_sales", 125.5}, {"Cashier_tx1", 6.28}, {"Cashier_tx2", 8.79}, {"Cashier_no_trx", 4},
                         {"Cashier_pmt1", 100.0}, {"Cashier_pmt3", 40.57}, {"Cashier_change", 3.2},
                         {"Cashier_voids", 2.5}, {"Cashier_no_voids", 1}}, true);
    write(dm.cashiertb, {{"Cashier_id", 2}, {"Cashier_name", "Luc Gagnon"}, {"Cashier_sales", 10.0},
                         {"Cashier_tx1", 0.5}, {"Cashier_no_trx", 1}, {"Cashier_pmt1", 10.5}}, true);
    dm.fintb.first();
    write(dm.fintb, {{"Fin_sales", 135.5}, {"Fin_tx1", 6.78}, {"Fin_tx2", 8.79}, {"Fin_no_trx", 5},
                     {"Fin_pmt1", 110.5}, {"Fin_pmt3", 40.57}, {"Fin_change", 3.2}, {"Fin_voids", 2.5},
                     {"Fin_no_voids", 1}, {"Fin_sales_pdt", 1490.25}});
    write(dm.DeptTb, {{"Dept_code", 10}, {"Dept_desc", "Grocery"}, {"Dept_sales", 135.5}}, true);
    write(dm.DeptTb, {{"Dept_code", 40}, {"Dept_desc", "Household"}}, true);
    write(dm.producttb, {{"Product_upc", 62813100018.0}, {"Product_desc", "Dark roast beans 1 kg"},
                         {"Product_short_desc", "Dark roast"}, {"Product_qty_sales", 5.0}, {"Product_sales", 135.5},
                         {"Product_qty", 12.0}, {"Product_avg_cost", 8.25}}, true);
    write(dm.producttb, {{"Product_upc", 62813400019.0}, {"Product_desc", "Dish soap 500 ml"},
                         {"Product_short_desc", "Soap"}, {"Product_qty", 3.0}, {"Product_avg_cost", 1.5}}, true);
    write(dm.tranmaster, {{"Trxh_id", 1001.0}, {"Trxh_date", Now.date()}, {"Trxh_time", QTime(9, 30)},
                          {"Trxh_cashier", 1}, {"Trxh_total", 27.1}, {"Trxh_grand_total", 27.1}}, true);
    write(dm.trandetail, {{"Trx_id", 1001.0}, {"Trx_upc", 62813100018.0}, {"Trx_desc", "Dark roast beans 1 kg"},
                          {"Trx_qty", 1.0}, {"Trx_price", 27.1}, {"Trx_total", 27.1}}, true);
}

int clickButton(QDialog &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QToolButton *>(QLatin1String(name)), Qt::LeftButton);
    return -1;
}

}

class TestReportsMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { shop_.reset(); }
    void entriesPrint_data();
    void entriesPrint();
    void refusedDuringSale_data();
    void refusedDuringSale();

private:
    void start(const QString &language);
    void clickEntry(int entry) { shop_->clickMenuEntry(shop_->shell().mainWindow().Reports1, entry); }

    std::unique_ptr<RunningShop> shop_;
};

void TestReportsMenu::initTestCase()
{
    Clock::setFixed(Now);
}

void TestReportsMenu::start(const QString &language)
{
    shop_ = std::make_unique<RunningShop>(language);
    fillShop(shop_->dataDirectory());
    shop_->start();
    QVERIFY(shop_->shell().mainWindow().managerMenuAttached());
    shop_->dialogs.log.clear();
}

void TestReportsMenu::entriesPrint_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("entry"); // in the order of the menu
    QTest::addColumn<int>("choice"); // in "Select printer"; -1 when it is not asked
    QTest::addColumn<QString>("receipt"); // expected printer output file beside this test
    QTest::addColumn<QStringList>("pdfTexts");
    QTest::addColumn<QStringList>("notInPdf");

    QTest::newRow("cashier, receipt printer") << "0" << 0 << 0 << "reports_menu_cashier.txt" << QStringList() << QStringList();
    QTest::newRow("financial, receipt printer") << "0" << 1 << 0 << "reports_menu_financial.txt" << QStringList()
                                                << QStringList();
    QTest::newRow("financial, receipt printer, French")
        << "1" << 1 << 0 << "reports_menu_financial_fr.txt" << QStringList() << QStringList();
    QTest::newRow("cashier page") << "0" << 0 << 1 << QString()
                                  << QStringList{"Cashier Report", "Cashier Id:", "Marie Tremblay", "$125.50", "Luc Gagnon"}
                                  << QStringList();
    QTest::newRow("cashier page, French") << "1" << 0 << 1 << QString()
                                          << QStringList{"Rapport Caissier", "Code caissier:", "Ventes", "Void mnt"}
                                          << QStringList{"Cashier Report"};
    QTest::newRow("financial page") << "0" << 1 << 1 << QString()
                                    << QStringList{"Financial Report", "Period to date", "$135.50", "$1,490.25"}
                                    << QStringList();
    QTest::newRow("product page") << "0" << 2 << 1 << QString()
                                  << QStringList{"Product Sales Report", "Dark roast beans 1 kg", "$135.50"}
                                  << QStringList{"Dish soap"};
    QTest::newRow("department page") << "0" << 3 << 1 << QString()
                                     << QStringList{"Department Sales Report", "Grocery", "Sales PTD"}
                                     << QStringList{"Household"};
    QTest::newRow("sales register") << "0" << 4 << -1 << QString()
                                    << QStringList{"Sales Register Report", "1001", "Dark roast beans 1 kg", "$27.10"}
                                    << QStringList();
    QTest::newRow("stock levels, French") << "1" << 5 << -1 << QString()
                                          << QStringList{"Rapport Niveau des Stocks", "Dish soap 500 ml", "103.50"}
                                          << QStringList();
}

void TestReportsMenu::entriesPrint()
{
    QFETCH(QString, language);
    QFETCH(int, entry);
    QFETCH(int, choice);
    QFETCH(QString, receipt);
    QFETCH(QStringList, pdfTexts);
    QFETCH(QStringList, notInPdf);
    start(language);
    const bool french = language == QLatin1String("1");

    QString dialogTitle, firstItem;
    shop_->dialogs.onModal("TPrinterDialog", [&](QDialog &d) {
        auto &dialog = static_cast<TPrinterDialog &>(d);
        dialogTitle = dialog.windowTitle();
        firstItem = dialog.ReceiptPrinterItem->text();
        QTest::mouseClick(choice == 0 ? dialog.ReceiptPrinterItem : dialog.StandardPrinterItem, Qt::LeftButton);
        QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
        return -1;
    });
    shop_->dialogs.onModal("ReportPreviewWindow", [](QDialog &d) { return clickButton(d, "printButton"); });
    QString rangeTitle;
    shop_->dialogs.onModal("TForm14", [&](QDialog &d) {
        auto &window = static_cast<TForm14 &>(d);
        rangeTitle = window.windowTitle();
        QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
        return -1;
    });
    clickEntry(entry);
    QVERIFY(shop_->dialogs.messages().isEmpty());

    if (choice >= 0) {
        QCOMPARE(dialogTitle, french ? QStringLiteral("Choisir l'imprimante") : QStringLiteral("Select printer"));
        QCOMPARE(firstItem, french ? QStringLiteral("Imprimer à l'imprimante reçu") : QStringLiteral("Print to Receipt printer"));
    }
    if (entry == 4)
        QCOMPARE(rangeTitle, QStringLiteral("Print Sales Register"));

    const QByteArray printed = shop_->printerOutput();
    if (!receipt.isEmpty()) {
        QCOMPARE(printed, fileBytes(QStringLiteral(TEST_DATA_DIR "/") + receipt));
        QCOMPARE(shop_->dialogs.log, QStringList{"exec: TPrinterDialog"});
        return;
    }
    QCOMPARE(printed, QByteArray()); // the page versions leave the receipt printer alone
    const QStringList files = QDir(shop_->printedDirectory()).entryList({"*.pdf"});
    QCOMPARE(files.size(), 1);
    const QString text = pdfText(shop_->printedDirectory() + QStringLiteral("/") + files[0]);
    for (const QString &expected : pdfTexts)
        QVERIFY2(text.contains(expected), qPrintable(expected + " missing from:\n" + text));
    for (const QString &absent : notInPdf)
        QVERIFY2(!text.contains(absent), qPrintable(absent + " found in:\n" + text));
}

void TestReportsMenu::refusedDuringSale_data()
{
    QTest::addColumn<int>("workLines");
    QTest::newRow("no line") << 0;
    QTest::newRow("the entry line") << 1;
    QTest::newRow("a sale in progress") << 2;
}

void TestReportsMenu::refusedDuringSale()
{
    QFETCH(int, workLines);
    start(QStringLiteral("0"));
    shop_->leaveWorkLines(workLines);
    // Each window shown is closed at once; "Select printer" closed keeps
    // the receipt printer.
    const QStringList firstWindows{"exec: TPrinterDialog", "exec: TPrinterDialog", "exec: TPrinterDialog",
                                   "exec: TPrinterDialog", "exec: TForm14", "exec: ReportPreviewWindow"};
    for (int entry = 0; entry < 6; ++entry) {
        shop_->dialogs.log.clear();
        clickEntry(entry);
        if (workLines < 2)
            QCOMPARE(shop_->dialogs.log, QStringList{firstWindows[entry]});
        else
            QCOMPARE(shop_->dialogs.log, QStringList{"message: This operation can not be done durring a transaction"});
    }
    QCOMPARE(shop_->shell().dataModule().tmpdetail.recordCount(), workLines);
}

QTEST_MAIN(TestReportsMenu)
#include "test_reports_menu.moc"
