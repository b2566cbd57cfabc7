// The Reports menu's work: where each report goes ("Select printer", the
// receipt printer, the preview), the product and department filters around
// their report, and the date range window of the sales register.
#include "report_fixture.h"
#include "report_test_support.h"
#include "scripted_dialogs.h"

#include "common/clock.h"
#include "reports/cashier_report.h"
#include "reports/department_sales_report.h"
#include "reports/financial_report.h"
#include "reports/print_target.h"
#include "reports/printer_dialog.h"
#include "reports/product_sales_report.h"
#include "reports/report_menu.h"
#include "reports/report_preview_window.h"
#include "reports/sales_register_report.h"
#include "reports/sales_register_window.h"
#include "reports/stock_levels_report.h"
#include "store/store_error.h"

#include <QDateEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

const QDate Today(2026, 3, 9);

// The menu over a test shop, with the receipt-printer versions recorded.
struct MenuBench {
    explicit MenuBench(TDataModule2 &dm)
        : cashier(dm), financial(dm), product(dm), department(dm), stock(dm), register_(dm),
          window(dm, register_),
          menu(ReportMenuParts{dm, [this] { return printerAvailable; },
                               {[this] { receipt("cashier"); }, [this] { receipt("financial"); },
                                [this] { receipt("product"); }, [this] { receipt("department"); }},
                               printerDialog, window, cashier, financial, product, department, stock})
    {
    }
    void receipt(const QString &which)
    {
        printed.append(which);
        if (onReceipt)
            onReceipt();
    }
    void run(const QString &entry)
    {
        const QHash<QString, void (ReportMenu::*)()> entries{
            {"cashier", &ReportMenu::printCashierReport},       {"financial", &ReportMenu::printFinancialReport},
            {"product", &ReportMenu::printProductReport},       {"department", &ReportMenu::printDepartmentReport},
            {"sales register", &ReportMenu::printSalesRegister}, {"stock levels", &ReportMenu::printStockLevels}};
        (menu.*entries.value(entry))();
    }

    bool printerAvailable = true;
    QStringList printed;
    std::function<void()> onReceipt;
    TForm9 cashier;
    TForm10 financial;
    TForm6 product;
    TForm19 department;
    TForm15 stock;
    TForm13 register_;
    TPrinterDialog printerDialog;
    TForm14 window;
    ReportMenu menu;
};

// A key typed into the dialog, where its focus is.
void press(QDialog &dialog, Qt::Key key)
{
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
}

// Picks an item of "Select printer" with the arrow keys and presses Enter.
ScriptedDialogs::ModalHandler choosePrinter(int item)
{
    return [item](QDialog &dialog) {
        press(dialog, item == 0 ? Qt::Key_Up : Qt::Key_Down);
        press(dialog, Qt::Key_Return);
        return -1;
    };
}

}

class TestReportMenu : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reportGoesWhereChosen_data();
    void reportGoesWhereChosen();
    void choiceStaysForNextReport();
    void filterOffAfterReport_data();
    void filterOffAfterReport();
    void salesRegisterOverRange_data();
    void salesRegisterOverRange();

private:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<QTemporaryDir> out_;
    QStringList previewed_;
};

void TestReportMenu::init()
{
    db_ = std::make_unique<TestDatabase>();
    ReportFixture::configureControl(*db_);
    dialogs_ = std::make_unique<ScriptedDialogs>();
    out_ = std::make_unique<QTemporaryDir>();
    setPrintTarget({out_->path(), db_->directory()});
    Clock::setFixed(QDateTime(Today, QTime(14, 5, 3)));
    previewed_.clear();
    dialogs_->onModal("ReportPreviewWindow", [this](QDialog &d) {
        auto &preview = static_cast<ReportPreviewWindow &>(d);
        previewed_.append(preview.report()->documentName());
        for (int i = 0; i < preview.report()->pageCount(); ++i)
            previewed_ += preview.report()->page(i).texts();
        return int(QDialog::Rejected);
    });
}

void TestReportMenu::cleanup()
{
    setPrintTarget({});
    Clock::useSystemClock();
    dialogs_.reset();
    db_.reset();
}

void TestReportMenu::reportGoesWhereChosen_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("preview"); // the report previewed, if any
    for (const auto &[entry, title] : QList<QPair<QString, QString>>{{"cashier", "Cashier Report"},
                                                                      {"financial", "Financial Report"},
                                                                      {"product", "Product Sales Report"},
                                                                      {"department", "Department Sales Report"}}) {
        QTest::addRow("%s, no receipt printer", qPrintable(entry)) << entry << false << -1 << title;
        QTest::addRow("%s, receipt printer chosen", qPrintable(entry)) << entry << true << 0 << QString();
        QTest::addRow("%s, standard printer chosen", qPrintable(entry)) << entry << true << 1 << title;
    }
    QTest::newRow("stock levels, straight to the preview") << "stock levels" << true << -1 << "Stock Level Report";
}

void TestReportMenu::reportGoesWhereChosen()
{
    QFETCH(QString, entry);
    QFETCH(bool, printer);
    QFETCH(int, choice);
    QFETCH(QString, preview);
    MenuBench bench(db_->dm());
    bench.printerAvailable = printer;
    dialogs_->onModal("TPrinterDialog", choosePrinter(choice));
    bench.run(entry);

    QStringList shown;
    if (choice >= 0)
        shown << "exec: TPrinterDialog";
    if (!preview.isEmpty())
        shown << "exec: ReportPreviewWindow";
    QCOMPARE(dialogs_->log, shown);
    QCOMPARE(previewed_.value(0), preview);
    QCOMPARE(bench.printed, choice == 0 ? QStringList{entry} : QStringList());
}

void TestReportMenu::choiceStaysForNextReport()
{
    MenuBench bench(db_->dm());
    QCOMPARE(bench.printerDialog.ItemIndex(), 0);
    // Chosen once, then the dialog closed by its title bar: that counts as OK.
    dialogs_->onModalOnce("TPrinterDialog", [](QDialog &d) {
        press(d, Qt::Key_Down);
        d.close();
        return -1;
    });
    bench.run("cashier");
    bool preselected = false;
    dialogs_->onModalOnce("TPrinterDialog", [&](QDialog &d) {
        preselected = static_cast<TPrinterDialog &>(d).StandardPrinterItem->isChecked();
        press(d, Qt::Key_Return);
        return -1;
    });
    bench.run("financial");
    QVERIFY(preselected);
    QVERIFY(bench.printed.isEmpty());
    QCOMPARE(dialogs_->log, (QStringList{"exec: TPrinterDialog", "exec: ReportPreviewWindow", "exec: TPrinterDialog",
                                         "exec: ReportPreviewWindow"}));
}

void TestReportMenu::filterOffAfterReport_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("fails");
    QTest::newRow("product on the receipt printer") << "product" << 0 << false;
    QTest::newRow("product, the printout fails") << "product" << 0 << true;
    QTest::newRow("product, the preview fails") << "product" << 1 << true;
    QTest::newRow("department on the receipt printer") << "department" << 0 << false;
    QTest::newRow("department, the printout fails") << "department" << 0 << true;
    QTest::newRow("department, the preview fails") << "department" << 1 << true;
}

void TestReportMenu::filterOffAfterReport()
{
    QFETCH(QString, entry);
    QFETCH(int, choice);
    QFETCH(bool, fails);
    // Two of three products and one of two departments sold something.
    db_->addProduct(1001, "Cola", 1.99);
    db_->addProduct(1002, "Chips", 2.49);
    db_->addProduct(1003, "Soap", 3.10);
    db_->addDepartment(1, "Drinks");
    db_->addDepartment(2, "Household");
    const auto sell = [](Table &table, const QVariant &key, const char *field) {
        QVERIFY(table.findKey(key));
        table.edit();
        table.field(QLatin1String(field)).setFloat(12.5);
        table.post();
    };
    Table &products = db_->dm().producttb;
    Table &departments = db_->dm().DeptTb;
    sell(products, 1001.0, "Product_sales");
    sell(products, 1003.0, "Product_sales");
    sell(departments, 1, "Dept_sales");
    Table &table = entry == "product" ? products : departments;
    const int all = table.recordCount();

    MenuBench bench(db_->dm());
    dialogs_->onModal("TPrinterDialog", choosePrinter(choice));
    int seen = -1;
    const auto duringReport = [&] {
        seen = table.recordCount();
        if (fails)
            throw StoreError(QStringLiteral("disk I/O error"));
    };
    bench.onReceipt = duringReport;
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &) {
        duringReport();
        return int(QDialog::Rejected);
    });
    if (fails)
        QVERIFY_THROWS_EXCEPTION(StoreError, bench.run(entry));
    else
        bench.run(entry);

    QCOMPARE(seen, all - 1); // the one without sales was hidden during the report
    QVERIFY(!table.filtered());
    QCOMPARE(table.recordCount(), all);
    QVERIFY(entry == "product" ? products.findKey(1002.0) : departments.findKey(2)); // lookup sees it again
}

void TestReportMenu::salesRegisterOverRange_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("sales");
    QTest::newRow("today, as the window opens") << QDate() << QDate() << QStringList{"1003"};
    QTest::newRow("two days, both included") << Today.addDays(-2) << Today.addDays(-1) << QStringList{"1001", "1002"};
    QTest::newRow("starting after ending") << Today << Today.addDays(-2) << QStringList();
}

void TestReportMenu::salesRegisterOverRange()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, sales);
    for (int day = 0; day < 3; ++day)
        ReportFixture::postSale(db_->dm(), ReportFixture::sampleSale(1001 + day, Today.addDays(day - 2), 1));
    MenuBench bench(db_->dm());

    // Preview, then Print, in one showing of the window, then Close.
    QDate opened;
    bool stayedOpen = false;
    dialogs_->onModal("TForm14", [&](QDialog &d) {
        auto &window = static_cast<TForm14 &>(d);
        opened = window.DateTimePicker1->date();
        if (from.isValid()) {
            window.DateTimePicker1->setDate(from);
            window.DateTimePicker2->setDate(to);
        }
        QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
        stayedOpen = window.isVisible();
        QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
        return -1;
    });
    bench.run("sales register");
    QCOMPARE(opened, Today);
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs_->log, (QStringList{"exec: TForm14", "exec: ReportPreviewWindow"}));

    const QStringList files = QDir(out_->path()).entryList({"*.pdf"});
    QCOMPARE(files.size(), 1);
    const QString printed = pdfText(out_->filePath(files[0]));
    for (const char *heading : {"Sales Register Report", "Terminal ID"}) {
        QVERIFY2(printed.contains(heading), qPrintable(printed));
        QVERIFY(previewed_.contains(heading));
    }
    for (int id = 1001; id <= 1003; ++id) {
        const QString line = QStringLiteral("Item 1 of sale %1").arg(id);
        const bool listed = sales.contains(QString::number(id));
        QCOMPARE(printed.contains(line), listed);
        QCOMPARE(previewed_.contains(line), listed);
    }
    QVERIFY(!db_->dm().tranmaster.filtered());
    QCOMPARE(db_->dm().tranmaster.recordCount(), 3);
}

QTEST_MAIN(TestReportMenu)
#include "test_report_menu.moc"
