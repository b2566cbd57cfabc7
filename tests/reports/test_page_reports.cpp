// The nine page reports, read as text and positions.
#include "report_fixture.h"
#include "report_test_support.h"

#include "common/clock.h"
#include "common/formats.h"
#include "reports/cashier_report.h"
#include "reports/department_sales_report.h"
#include "reports/financial_report.h"
#include "reports/invoice_report.h"
#include "reports/money_count_report.h"
#include "reports/product_sales_report.h"
#include "reports/sales_register_report.h"
#include "reports/stock_levels_report.h"
#include "reports/stock_receipt_report.h"

#include <QtTest>

using namespace PageText;

namespace {

struct Product {
    double upc;
    QString desc;
    double qty, avgCost, qtySales, sales, qtySalesPtd, salesPtd;
};

std::unique_ptr<PageReport> makeReport(const QString &name, TDataModule2 &dm)
{
    if (name == "TForm6") return std::make_unique<TForm6>(dm);
    if (name == "TForm9") return std::make_unique<TForm9>(dm);
    if (name == "TForm10") return std::make_unique<TForm10>(dm);
    if (name == "TForm12") return std::make_unique<TForm12>(dm);
    if (name == "TForm13") return std::make_unique<TForm13>(dm);
    if (name == "TForm15") return std::make_unique<TForm15>(dm);
    if (name == "TForm17") return std::make_unique<TForm17>(dm);
    if (name == "TForm19") return std::make_unique<TForm19>(dm);
    return std::make_unique<TForm26>(dm);
}

}

class TestPageReports : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyTablesPrintHeadingsAndBands_data();
    void emptyTablesPrintHeadingsAndBands();
    void productSales_data();
    void productSales();
    void departmentSalesFollowsItsFilter();
    void stockLevels_data();
    void stockLevels();
    void salesRegisterShowsEachSaleWithItsOwnLines();
    void salesRegisterDateRange_data();
    void salesRegisterDateRange();
    void salesRegisterPagesKeepHeadingAndLines();
    void cashierReportBlocks();
    void financialReportBothHorizons();
    void moneyCountColumns();
    void invoiceRepeatsHeaderAndFooterOnEveryPage();
    void invoicePaymentLines_data();
    void invoicePaymentLines();
    void invoiceHeaderSource();
    void stockReceipt();
    void frenchCaptions_data();
    void frenchCaptions();

private:
    void addProduct(const Product &p);
    TDataModule2 &dm() { return db_->dm(); }
    std::unique_ptr<TestDatabase> db_;
};

void TestPageReports::init()
{
    db_ = std::make_unique<TestDatabase>();
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 3)));
}

void TestPageReports::cleanup()
{
    Clock::useSystemClock();
    db_.reset();
}

void TestPageReports::addProduct(const Product &p)
{
    Table &t = dm().producttb;
    t.append();
    t.field("Product_upc").setFloat(p.upc);
    t.field("Product_desc").setString(p.desc);
    t.field("Product_qty").setFloat(p.qty);
    t.field("Product_avg_cost").setFloat(p.avgCost);
    t.field("Product_qty_sales").setFloat(p.qtySales);
    t.field("Product_sales").setFloat(p.sales);
    t.field("Product_qty_sales_pdt").setFloat(p.qtySalesPtd);
    t.field("Product_sales_ptd").setFloat(p.salesPtd);
    t.post();
}

void TestPageReports::emptyTablesPrintHeadingsAndBands_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("texts");

    const QStringList heading{"Date: 3/9/26 2:05:03 PM", "Page: 1", "Terminal ID"};
    QTest::newRow("product sales") << "TForm6"
        << heading + QStringList{"Product Sales Report", "UPC Code", "Description", "Quantity", "Sales", "Total Sales", "$0.00"};
    QTest::newRow("department sales") << "TForm19"
        << heading + QStringList{"Department Sales Report", "Department", "Sales PTD", "Totals", "$0.00"};
    QTest::newRow("stock levels") << "TForm15"
        << heading + QStringList{"Stock Level Report", "Average Cost", "Total Value", "Total Inventory Value", "0.00"};
    QTest::newRow("sales register") << "TForm13" << heading + QStringList{"Sales Register Report"};
    QTest::newRow("cashier report") << "TForm9" << heading + QStringList{"Cashier Report"};
    QTest::newRow("financial report, no record") << "TForm10" << heading + QStringList{"Financial Report"};
    QTest::newRow("money count") << "TForm12"
        << heading + QStringList{"Blind Money Count Report", "Counted", "System", "Sales", "Float", "Foreign Currency"};
    QTest::newRow("invoice") << "TForm17"
        << QStringList{"INVOICE", "Invoice Number", "Cashier", "Date", "Terminal ID", "Page: 1", "UPC Code",
                       "Discount", "Sub Total", "Total", "Foreign Curr", "Your Change"};
    QTest::newRow("stock receipt") << "TForm26"
        << QStringList{"STOCK RECEIPT", "Cashier", "Date", "Terminal ID", "Page: 1", "UPC Code", "Total"};
}

void TestPageReports::emptyTablesPrintHeadingsAndBands()
{
    QFETCH(QString, report);
    QFETCH(QStringList, texts);
    dm().fintb.emptyTable();
    dm().fintb.close();
    dm().fintb.open();
    auto r = makeReport(report, dm());
    const QList<LaidOutPage> pages = r->layoutPages();
    QCOMPARE(pages.size(), 1);
    for (const QString &t : texts)
        QVERIFY2(pages[0].findText(t), qPrintable(t + " missing from " + pages[0].texts().join(" | ")));
}

void TestPageReports::productSales_data()
{
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("totalPtd");

    QTest::newRow("every product") << false << QStringList{"Widget", "Gadget", "Gizmo"} << "$1,250.76" << "$1,900.00";
    QTest::newRow("products sold today") << true << QStringList{"Widget", "Gizmo"} << "$1,250.76" << "$1,800.00";
}

void TestPageReports::productSales()
{
    QFETCH(bool, filtered);
    QFETCH(QStringList, listed);
    QFETCH(QString, total);
    QFETCH(QString, totalPtd);
    addProduct({123456789012, "Widget", 5, 2, 2.75, 1000.2550, 10, 1500});
    addProduct({222, "Gadget", 1, 1, 0, 0, 1, 100});
    addProduct({333, "Gizmo", 1, 1, 3, 250.5050, 4, 300});
    dm().producttb.setFiltered(filtered);

    TForm6 report(dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 1);
    const LaidOutPage &page = pages[0];
    for (const QString &name : {QStringLiteral("Widget"), QStringLiteral("Gadget"), QStringLiteral("Gizmo")})
        QCOMPARE(bool(page.findText(name)), listed.contains(name));
    QCOMPARE(rowOf(page, "Widget"), (QStringList{"123456789012", "Widget", "2.75", "$1,000.26", "10", "$1,500.00"}));
    QCOMPARE(rowOf(page, "Total Sales"), (QStringList{"Total Sales", total, totalPtd}));
    QVERIFY(page.findText(total)->style.bold);
    QVERIFY(page.findText("Total Sales")->style.bold);
    QVERIFY(page.findText(total)->style.alignment == Qt::AlignRight);

    // The sums stand under their columns; the headings are bold and underlined.
    const QList<const PlacedItem *> headings = page.textsOnRow(page.findText("UPC Code")->rect.top());
    QCOMPARE(headings.size(), 6);
    for (const PlacedItem *h : headings)
        QVERIFY(h->style.bold && h->style.underline);
    QCOMPARE(page.findText(total)->rect.left(), headings[3]->rect.left());
    QCOMPARE(page.findText(totalPtd)->rect.left(), headings[5]->rect.left());
    QVERIFY(page.findText("Product Sales Report")->style.bold);
}

void TestPageReports::departmentSalesFollowsItsFilter()
{
    db_->addDepartment(10, "Grocery");
    db_->addDepartment(20, "Hardware");
    Table &d = dm().DeptTb;
    d.first();
    d.edit();
    d.field("Dept_sales").setFloat(-12.5);
    d.field("Dept_sales_ptd").setFloat(40);
    d.post();
    d.setFiltered(true);

    TForm19 report(dm());
    const LaidOutPage page = report.layoutPages().value(0);
    QCOMPARE(rowOf(page, "Grocery"), (QStringList{"10", "Grocery", "($12.50)", "$40.00"}));
    QVERIFY(!page.findText("Hardware"));
    QCOMPARE(rowOf(page, "Totals"), (QStringList{"Totals", "($12.50)", "$40.00"}));
}

void TestPageReports::stockLevels_data()
{
    QTest::addColumn<QList<double>>("quantities");
    QTest::addColumn<QList<double>>("costs");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("total");

    QTest::newRow("thousands") << QList<double>{1234.5, 2} << QList<double>{1, 0.125}
                               << QStringList{"1,234.50", "0.25"} << "1,234.75";
    QTest::newRow("negative quantity") << QList<double>{-3, 10} << QList<double>{2.5, 1}
                                       << QStringList{"(7.50)", "10.00"} << "2.50";
    QTest::newRow("negative cost, negative total") << QList<double>{4, 1} << QList<double>{-2.25, 0.5}
                                                   << QStringList{"(9.00)", "0.50"} << "(8.50)";
    QTest::newRow("half cents to even") << QList<double>{1, 1} << QList<double>{0.125, 0.135}
                                        << QStringList{"0.12", "0.14"} << "0.26";
    QTest::newRow("zero") << QList<double>{0, 5} << QList<double>{3, 0} << QStringList{"0.00", "0.00"} << "0.00";
}

void TestPageReports::stockLevels()
{
    QFETCH(QList<double>, quantities);
    QFETCH(QList<double>, costs);
    QFETCH(QStringList, values);
    QFETCH(QString, total);
    for (int i = 0; i < quantities.size(); ++i)
        addProduct({double(100 + i), QStringLiteral("Product %1").arg(i), quantities[i], costs[i], 0, 0, 0, 0});

    TForm15 report(dm());
    const LaidOutPage page = report.layoutPages().value(0);
    for (int i = 0; i < quantities.size(); ++i) {
        const QStringList row = rowOf(page, QStringLiteral("Product %1").arg(i));
        QCOMPARE(row.value(0), QString::number(100 + i));
        QCOMPARE(row.value(4), values[i]);
    }
    QCOMPARE(rowOf(page, "Total Inventory Value"), (QStringList{"Total Inventory Value", total}));
    QVERIFY(page.findText(total)->style.bold);
    QVERIFY(page.findText("Stock Level Report")->style.bold);
    QVERIFY(page.findText("Total Value")->style.underline);
}

void TestPageReports::salesRegisterShowsEachSaleWithItsOwnLines()
{
    ReportFixture::configureControl(*db_);
    PostedSale first = ReportFixture::sampleSale(1001, QDate(2026, 3, 9), 2);
    first.payments[1] = 5;
    first.foreign = 4;
    PostedSale empty = ReportFixture::sampleSale(1002, QDate(2026, 3, 9), 0);
    PostedSale third = ReportFixture::sampleSale(1003, QDate(2026, 3, 9), 3);
    for (const PostedSale &s : {first, empty, third})
        ReportFixture::postSale(dm(), s);

    TForm13 report(dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 1);
    const QStringList texts = pages[0].texts();

    // Each sale's heading, then exactly its own lines.
    const qsizetype at1001 = texts.indexOf("1001");
    const qsizetype at1002 = texts.indexOf("1002");
    const qsizetype at1003 = texts.indexOf("1003");
    QVERIFY(at1001 >= 0 && at1001 < at1002 && at1002 < at1003);
    const auto linesBetween = [&](qsizetype from, qsizetype to) {
        QStringList lines;
        for (qsizetype i = from; i < to; ++i)
            if (texts[i].startsWith("Item "))
                lines.append(texts[i]);
        return lines;
    };
    QCOMPARE(linesBetween(at1001, at1002), (QStringList{"Item 1 of sale 1001", "Item 2 of sale 1001"}));
    QCOMPARE(linesBetween(at1002, at1003), QStringList());
    QCOMPARE(linesBetween(at1003, texts.size()),
             (QStringList{"Item 1 of sale 1003", "Item 2 of sale 1003", "Item 3 of sale 1003"}));
    QCOMPARE(texts.count("Grand Total"), 3);
    QCOMPARE(texts.count("UPC Code"), 3);

    const LaidOutPage &page = pages[0];
    QCOMPARE(rowOf(page, "1001"), (QStringList{"1001", "7", "3/9/26", "9:30:05 AM"}));
    QCOMPARE(rowOf(page, "Item 2 of sale 1003"), (QStringList{"5001", "Item 2 of sale 1003", "1", "$5.00", "$0.00", "$5.00"}));
    QCOMPARE(rowOf(page, "Sub Total").mid(0, 6), (QStringList{"Cash", "$7.88", "Store cpn", "$0.00", "Sub Total", "$7.50"}));
    QCOMPARE(rowOf(page, "Foreign Curr").mid(2, 2), (QStringList{"Foreign Curr", "$4.00"}));
    QCOMPARE(rowOf(page, "Cheque").value(1), "$5.00");
    QVERIFY(page.findText("Number")->style.bold);
    QVERIFY(page.findText("Discount")->style.underline);
}

void TestPageReports::salesRegisterDateRange_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("one day") << QDate(2026, 3, 9) << QDate(2026, 3, 9) << QStringList{"1002", "1003"};
    QTest::newRow("both bounds included") << QDate(2026, 3, 8) << QDate(2026, 3, 10) << QStringList{"1001", "1002", "1003", "1004"};
    QTest::newRow("from after to") << QDate(2026, 3, 10) << QDate(2026, 3, 8) << QStringList{};
    QTest::newRow("a day without sales") << QDate(2026, 3, 1) << QDate(2026, 3, 7) << QStringList{};
}

void TestPageReports::salesRegisterDateRange()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, listed);
    const QList<QDate> dates{QDate(2026, 3, 8), QDate(2026, 3, 9), QDate(2026, 3, 9), QDate(2026, 3, 10)};
    for (int i = 0; i < dates.size(); ++i)
        ReportFixture::postSale(dm(), ReportFixture::sampleSale(1001 + i, dates[i], 1));

    dm().setSalesRegisterRange(from, to);
    dm().tranmaster.setFiltered(true);
    TForm13 report(dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    dm().tranmaster.setFiltered(false);

    QCOMPARE(pages.size(), 1);
    QStringList shown;
    for (const QString &t : pages[0].texts())
        if (t.size() == 4 && t.startsWith("100"))
            shown.append(t);
    QCOMPARE(shown, listed);
    if (listed.isEmpty()) // only the page header
        QCOMPARE(pages[0].texts(), (QStringList{"Date: 3/9/26 2:05:03 PM", "Page: 1", "Sales Register Report", "Terminal ID", "0"}));
}

void TestPageReports::salesRegisterPagesKeepHeadingAndLines()
{
    for (int i = 0; i < 40; ++i)
        ReportFixture::postSale(dm(), ReportFixture::sampleSale(2000 + i, QDate(2026, 3, 9), 1 + i % 6));
    TForm13 report(dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    QVERIFY(pages.size() > 5);

    int lines = 0;
    for (const LaidOutPage &page : pages) {
        QCOMPARE(count(page, "Sales Register Report"), 1);
        QVERIFY(page.findText(QStringLiteral("Page: %1").arg(page.number)));
        const QStringList texts = page.texts();
        // A sale's heading never ends a page without its first line.
        const qsizetype lastHeading = texts.lastIndexOf("UPC Code");
        QVERIFY(lastHeading >= 0);
        QVERIFY(texts.indexOf(QRegularExpression("Item .*"), lastHeading) > lastHeading); // whole-text match
        for (const PlacedItem &item : page.items)
            QVERIFY(item.rect.bottom() <= 792 - 36 + 0.01);
        lines += int(texts.filter(QRegularExpression("^Item ")).size());
    }
    int expected = 0;
    for (int i = 0; i < 40; ++i)
        expected += 1 + i % 6;
    QCOMPARE(lines, expected);
}

void TestPageReports::cashierReportBlocks()
{
    ReportFixture::configureControl(*db_);
    db_->addCashier(1, "Ann");
    db_->addCashier(2, "Bob");
    Table &c = dm().cashiertb;
    c.first();
    c.edit();
    for (auto [f, v] : QList<std::pair<const char *, double>>{{"Cashier_sales", 100}, {"Cashier_tx1", 5}, {"Cashier_tx2", 7.5},
                                                              {"Cashier_tx3", 0.25}, {"Cashier_pmt4", 20}, {"Cashier_no_trx", 4},
                                                              {"Cashier_voids", -3}, {"Cashier_no_voids", 1}, {"Cashier_fc1", 12}})
        c.field(QLatin1String(f)).setFloat(v);
    c.post();

    TForm9 report(dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 1);
    const LaidOutPage &page = pages[0];
    QCOMPARE(count(page, "Cashier Id:"), 2);
    QCOMPARE(rowOf(page, "Ann"), (QStringList{"Cashier Id:", "1", "Ann"}));
    QCOMPARE(rowOf(page, "Grand Total").mid(0, 2), (QStringList{"Grand Total", "$112.75"}));
    QCOMPARE(rowOf(page, "MC"), (QStringList{"HST", "$0.25", "MC", "$20.00", "Void amt", "($3.00)"}));
    QCOMPARE(rowOf(page, "No Transactions"), (QStringList{"No Transactions", "4", "Change", "$0.00", "Foreign Curr", "$12.00"}));
    // Bob's block is all zeros, but complete.
    const QStringList texts = page.texts();
    const QStringList bob = texts.mid(texts.indexOf("Bob"));
    QCOMPARE(bob.count("$0.00"), 16);
    QVERIFY(page.findText("$112.75")->style.alignment == Qt::AlignRight);
    QVERIFY(page.findText("Grand Total")->style.alignment == Qt::AlignLeft);
}

void TestPageReports::financialReportBothHorizons()
{
    ReportFixture::configureControl(*db_);
    Table &f = dm().fintb;
    f.first();
    f.edit();
    f.field("Fin_sales").setFloat(200);
    f.field("Fin_tx1").setFloat(10);
    f.field("Fin_sales_pdt").setFloat(5000);
    f.field("Fin_tx3_pdt").setFloat(1.5);
    f.field("Fin_no_trx_pdt").setInteger(321);
    f.post();

    TForm10 report(dm());
    const LaidOutPage page = report.layoutPages().value(0);
    const QStringList texts = page.texts();
    const qsizetype period = texts.indexOf("Period to date");
    QVERIFY(period > 0);
    QVERIFY(page.findText("Period to date")->style.bold && page.findText("Period to date")->style.underline);
    QCOMPARE(texts.count("Grand Total"), 2);
    QCOMPARE(texts.indexOf("$210.00"), texts.lastIndexOf("$210.00"));
    QVERIFY(texts.indexOf("$210.00") < period);
    QVERIFY(texts.indexOf("$5,001.50") > period);
    QVERIFY(texts.indexOf("321") > period);
    QVERIFY(!texts.contains("Cashier Id:"));
}

void TestPageReports::moneyCountColumns()
{
    ReportFixture::configureControl(*db_);
    db_->addCashier(7, "Carla");
    Table &c = dm().cashiertb;
    c.edit();
    c.field("Cashier_mc_sales").setFloat(150);
    c.field("Cashier_mc_tx2").setFloat(9.75);
    c.field("Cashier_mc_pmt1").setFloat(120);
    c.field("Cashier_mc_change").setFloat(-14.25);
    c.field("Cashier_mc_fc1").setFloat(8);
    c.post();
    Table &m = dm().Moneytb;
    m.append();
    m.field("Money_float").setFloat(100);
    m.field("Money_pmt1").setFloat(119.5);
    m.field("Money_fc1").setFloat(8);
    m.post();

    TForm12 report(dm());
    const LaidOutPage page = report.layoutPages().value(0);
    QVERIFY(page.findText("7") && page.findText("Carla"));
    QVERIFY(page.findText("Carla")->rect.top() > page.findText("7")->rect.top());
    QCOMPARE(rowOf(page, "Sales"), (QStringList{"Sales", "$150.00"}));
    QCOMPARE(rowOf(page, "PST"), (QStringList{"PST", "$9.75"}));
    QCOMPARE(rowOf(page, "Float"), (QStringList{"Float", "$100.00"}));
    QCOMPARE(rowOf(page, "Cash"), (QStringList{"Cash", "$119.50", "$120.00", "($14.25)"}));
    QCOMPARE(rowOf(page, "Foreign Currency"), (QStringList{"Foreign Currency", "$8.00", "$8.00"}));
    QCOMPARE(rowOf(page, "Cheque"), (QStringList{"Cheque", "$0.00", "$0.00"})); // never written: zero
    // "Sales" has no counted value: its value stands in the System column.
    QCOMPARE(page.findText("$150.00")->rect.left(), page.findText("System")->rect.left());
    QCOMPARE(page.findText("$100.00")->rect.left(), page.findText("Counted")->rect.left());
    for (const char *v : {"$150.00", "$119.50", "($14.25)", "Carla"})
        QVERIFY2(page.findText(v)->style.bold, v);
    QVERIFY(page.findText("Counted")->style.underline && page.findText("System")->style.bold);
}

void TestPageReports::invoiceRepeatsHeaderAndFooterOnEveryPage()
{
    ReportFixture::configureControl(*db_);
    PostedSale sale = ReportFixture::sampleSale(1042, QDate(2026, 3, 9), 80);
    sale.change = -4.25;
    ReportFixture::postSale(dm(), sale);
    for (const SaleLine &line : sale.lines)
        addWorkLine(dm(), line);

    TForm17 report(dm());
    report.setSale(ReportFixture::invoiceSale(dm()));
    const QList<LaidOutPage> pages = report.layoutPages();
    QVERIFY(pages.size() >= 2);
    const QString grandTotal = currencyText(sale.subtotal + sale.tx1);
    for (const LaidOutPage &page : pages) {
        for (const QString &t : {QStringLiteral("INVOICE"), QStringLiteral("1042"), QStringLiteral("Corner Store"),
                                 QStringLiteral("12 Main Street"), QStringLiteral("555-0100"), QStringLiteral("3/9/26"),
                                 QStringLiteral("Sub Total"), QStringLiteral("GST"), grandTotal, QStringLiteral("Thank you"),
                                 QStringLiteral("Your Change"), QStringLiteral("($4.25)"),
                                 QStringLiteral("Page: %1").arg(page.number)})
            QVERIFY2(page.findText(t), qPrintable(QStringLiteral("page %1 lacks %2").arg(page.number).arg(t)));
        // The footer sits at the bottom of the paper, below every line.
        const qreal footerTop = page.findText("Sub Total")->rect.top();
        for (const PlacedItem &item : page.items)
            if (item.text.startsWith("Item "))
                QVERIFY(item.rect.bottom() <= footerTop);
        QVERIFY(page.findText("No refunds")->rect.bottom() < 792 - 36 + 0.01);
    }
    // The column headings are the title band: first page only.
    QCOMPARE(count(pages[0], "Discount"), 1);
    QCOMPARE(count(pages[1], "Discount"), 0);
    QCOMPARE(allTexts(pages).filter(QRegularExpression("^Item ")).size(), 80);
    QCOMPARE(allTexts(pages).filter(QRegularExpression("^Item ")).first(), "Item 1 of sale 1042");
    QCOMPARE(allTexts(pages).filter(QRegularExpression("^Item ")).last(), "Item 80 of sale 1042");
    QVERIFY(pages[0].findText("INVOICE")->style.bold);
    QVERIFY(pages[0].findText("Corner Store")->style.bold);
}

void TestPageReports::invoicePaymentLines_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("modes 4 and 5 unnamed") << QStringList{"Cash", "Cheque", "Visa", "", ""} << QStringList{"Cash", "Cheque", "Visa"};
    QTest::newRow("gap in the middle") << QStringList{"Cash", "", "Visa", "", "Debit"} << QStringList{"Cash", "Visa", "Debit"};
    QTest::newRow("all named") << QStringList{"Cash", "Cheque", "Visa", "MC", "Debit"}
                               << QStringList{"Cash", "Cheque", "Visa", "MC", "Debit"};
}

void TestPageReports::invoicePaymentLines()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, shown);
    ReportFixture::configureControl(*db_);
    ReportFixture::nameTenders(*db_, names);
    PostedSale sale = ReportFixture::sampleSale(1001, QDate(2026, 3, 9), 1);
    for (int i = 0; i < 5; ++i)
        sale.payments[i] = 1 + i; // $1.00 .. $5.00
    ReportFixture::postSale(dm(), sale);

    TForm17 report(dm());
    report.setSale(ReportFixture::invoiceSale(dm()));
    report.showNamedPaymentModesOnly();
    const LaidOutPage page = report.layoutPages().value(0);
    QStringList amounts;
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(report.paymentLineEnabled(i + 1), !names[i].isEmpty());
        const QString amount = QStringLiteral("$%1.00").arg(i + 1);
        QCOMPARE(bool(page.findText(amount)), !names[i].isEmpty());
    }
    for (const QString &name : shown) // a payment line may share its row with a message at the left
        QCOMPARE(rowOf(page, name).mid(rowOf(page, name).size() - 2),
                 (QStringList{name, QStringLiteral("$%1.00").arg(names.indexOf(name) + 1)}));
}

void TestPageReports::invoiceHeaderSource()
{
    ReportFixture::configureControl(*db_);
    PostedSale older = ReportFixture::sampleSale(1001, QDate(2026, 3, 2), 1);
    older.change = -1.5;
    ReportFixture::postSale(dm(), older);
    // A training sale: never posted, still in the work tables. Paid 20 in
    // cash and 4 foreign units at 1.25 on a grand total of 25.20.
    ReportFixture::setWorkHeader(dm(), 9, QDate(2026, 3, 9), 24.00, 1.20, {20}, 4);
    addWorkLine(dm(), {555, "Training item", 2, 12, 24});

    TForm17 report(dm());
    report.setSale(ReportFixture::invoiceSale(dm()));
    LaidOutPage page = report.layoutPages().value(0);
    QVERIFY(page.findText("1001"));
    QVERIFY(page.findText("3/2/26"));
    QVERIFY(page.findText("($1.50)"));

    report.setSale(readWorkSale(dm(), 9, true));
    page = report.layoutPages().value(0);
    QVERIFY(!page.findText("1001"));
    QVERIFY(!page.findText("3/2/26"));
    QCOMPARE(rowOf(page, "3/9/26"), QStringList{"3/9/26"}); // no invoice number: nothing was posted
    for (const char *t : {"9", "3/9/26", "$24.00", "$1.20", "$25.20", "$20.00", "Training item"})
        QVERIFY2(page.findText(t), t);
    // 25.20 - 20.00 - 4 x 1.25 = 0.20 still owed; nothing given back.
    QCOMPARE(rowOf(page, "Your Change"), (QStringList{"Your Change", "$0.20"}));

    report.setSale(ReportFixture::invoiceSale(dm()));
    QVERIFY(report.layoutPages().value(0).findText("1001"));
}

void TestPageReports::stockReceipt()
{
    ReportFixture::configureControl(*db_);
    ReportFixture::setWorkHeader(dm(), 4, QDate(2026, 3, 9), 123.45, 0, {});
    addWorkLine(dm(), {777, "Received item", 10, 12.345, 123.45});

    TForm26 report(dm());
    report.setSale(readWorkSale(dm(), 4, false));
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 1);
    const LaidOutPage &page = pages[0];
    QCOMPARE(rowOf(page, "Received item"), (QStringList{"777", "Received item", "10", "$12.34", "$0.00", "$123.45"}));
    QCOMPARE(rowOf(page, "Total", true), (QStringList{"Total", "$123.45"}));
    QCOMPARE(page.texts().last(), "$123.45");
    QVERIFY(!page.findText("Invoice Number"));
    QVERIFY(page.findText("4") && page.findText("3/9/26") && page.findText("Corner Store"));
    QVERIFY(page.findText("Terminal ID")->rect.top() > page.findText("STOCK RECEIPT")->rect.bottom());
    QVERIFY(page.findText("Terminal ID")->rect.left() < 40);
}

void TestPageReports::frenchCaptions_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("french");
    QTest::addColumn<QStringList>("unchanged");

    QTest::newRow("TForm6") << "TForm6" << QStringList{"Rapport Ventes des Produits", "Code UPC", "Quantité", "Ventes", "Ventes total"}
                            << QStringList{"Description", "Terminal ID", "Page: 1"};
    QTest::newRow("TForm9") << "TForm9" << QStringList{"Rapport Caissier", "Code caissier:", "Ventes", "Void mnt", "Devise étrangère"}
                            << QStringList{"Grand Total", "No Voids", "No Transactions", "Change"};
    QTest::newRow("TForm10") << "TForm10" << QStringList{"Rapport Financier", "Ventes", "Void mnt", "Periode à date", "Devise étrangère"}
                             << QStringList{"Grand Total", "No Voids"};
    QTest::newRow("TForm12") << "TForm12" << QStringList{"Rapport Décompte Aveugle", "Départ", "Devise étrangère", "Décompte", "Système", "Ventes"}
                             << QStringList{"Terminal ID"};
    QTest::newRow("TForm13") << "TForm13" << QStringList{"Registre des Ventes", "Numéro", "Caissier", "Sous Total", "Code UPC", "Prix",
                                                        "Quantité", "Heure", "Escompte", "Devise étrangère"}
                             << QStringList{"Date", "Grand Total", "Description", "Total"};
    QTest::newRow("TForm15") << "TForm15" << QStringList{"Rapport Niveau des Stocks", "Code UPC", "Quantité", "Coût moyen", "Valeur total"}
                             << QStringList{"Description"};
    QTest::newRow("TForm17") << "TForm17" << QStringList{"FACTURE", "Numéro Facture", "Caissier", "Code UPC", "Quantité", "Prix",
                                                        "Escompte", "Sous Total", "Votre Change", "Devise étrangère"}
                             << QStringList{"Date", "Total", "Terminal ID"};
    QTest::newRow("TForm19") << "TForm19" << QStringList{"Rapport Ventes des Départements", "Département", "Ventes", "Ventes PAD"}
                             << QStringList{"Description", "Totals"};
    QTest::newRow("TForm26 stays English") << "TForm26" << QStringList{"STOCK RECEIPT", "Cashier", "UPC Code", "Quantity"}
                                           << QStringList{"Total"};
}

void TestPageReports::frenchCaptions()
{
    QFETCH(QString, report);
    QFETCH(QStringList, french);
    QFETCH(QStringList, unchanged);
    ReportFixture::configureControl(*db_);
    db_->addCashier(1, "Ann");
    PostedSale sale = ReportFixture::sampleSale(1001, QDate(2026, 3, 9), 1);
    ReportFixture::postSale(dm(), sale);
    addWorkLine(dm(), sale.lines[0]);

    auto r = makeReport(report, dm());
    r->applyFrenchCaptions();
    const QStringList texts = allTexts(r->layoutPages());
    for (const QString &t : french + unchanged)
        QVERIFY2(texts.contains(t), qPrintable(t + " missing from " + texts.join(" | ")));
    QVERIFY(!texts.contains("Sales"));
    QVERIFY(!texts.contains("Total Inventory Value"));
    if (report != "TForm26")
        QCOMPARE(r->documentName(), french.first());
}

QTEST_MAIN(TestPageReports)
#include "test_page_reports.moc"
