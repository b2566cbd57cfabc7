// The banded layout: pages, bands, page breaks, SUMs and enabled items,
// on a small report over the product table.
#include "report_test_support.h"
#include "test_database.h"

#include "common/clock.h"
#include "reports/page_report.h"

#include <QtTest>

namespace {

// Page header 50, title 30, page footer 40: 600 points of body on the
// first page and 630 on the others, so 20 and 21 details of 30.
class ProductList : public PageReport {
public:
    ProductList(TDataModule2 &dm, qreal detailHeight, qreal summaryHeight, bool withDataSet = true)
        : PageReport(dm, QStringLiteral("Product list"))
    {
        if (withDataSet)
            setDataSet(&dm.producttb);
        ReportBand &header = band(BandType::PageHeader);
        header.addLabel(QRectF(0, 0, 200, 20), QStringLiteral("Heading"));
        header.addSystemItem(QRectF(300, 0, 200, 20), SystemItem::Kind::PageNumber);
        header.addSystemItem(QRectF(0, 20, 300, 20), SystemItem::Kind::DateTime);
        header.setHeight(50);
        ReportBand &title = band(BandType::Title);
        title.addLabel(QRectF(0, 0, 200, 20), QStringLiteral("Title"));
        title.setHeight(30);
        ReportBand &detail = band(BandType::Detail);
        upc = detail.addField(QRectF(0, 0, 100, 14), QStringLiteral("producttb.Product_upc"));
        running = detail.addExpression(QRectF(100, 0, 100, 14), QStringLiteral("SUM(producttb.Product_price)"),
                                       NumberFormat::currency());
        detail.setHeight(detailHeight);
        ReportBand &summary = band(BandType::Summary);
        summary.addLabel(QRectF(0, 0, 100, 14), QStringLiteral("Summary"));
        summary.addExpression(QRectF(100, 0, 100, 14), QStringLiteral("SUM(producttb.Product_price)"),
                              NumberFormat::currency());
        summary.setHeight(summaryHeight);
        ReportBand &footer = band(BandType::PageFooter);
        footer.addLabel(QRectF(0, 10, 100, 14), QStringLiteral("Footer"));
        footer.setHeight(40);
    }
    FieldItem *upc;
    ExpressionItem *running;
};

QStringList detailTexts(const LaidOutPage &page)
{
    QStringList upcs;
    for (const PlacedItem &item : page.items)
        if (item.rect.left() == 36 && item.text != "Heading" && item.text != "Title" && item.text != "Footer"
            && item.text != "Summary" && !item.text.startsWith("Date: "))
            upcs.append(item.text);
    return upcs;
}

}

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pages_data();
    void pages();
    void everyPageHasItsFrame();
    void noDataSetPrintsTheDetailOnce();
    void sumsRunOverPrintedRecords();
    void disabledItemsAreLeftOut();
    void bandTallerThanAPageStillEnds();
    void runLeavesTheDataSetAtItsEnd();

private:
    void addProducts(int count);
    TDataModule2 &dm() { return db_->dm(); }
    std::unique_ptr<TestDatabase> db_;
};

void TestReportLayout::init()
{
    db_ = std::make_unique<TestDatabase>();
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 3)));
}

void TestReportLayout::cleanup()
{
    Clock::useSystemClock();
    db_.reset();
}

void TestReportLayout::addProducts(int count)
{
    StoreTransaction transaction(dm().database());
    for (int i = 1; i <= count; ++i)
        db_->addProduct(i, QStringLiteral("P%1").arg(i), i);
    transaction.commit();
}

void TestReportLayout::pages_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<qreal>("summaryHeight");
    QTest::addColumn<QList<int>>("detailsPerPage");
    QTest::addColumn<int>("summaryPage");

    QTest::newRow("empty table") << 0 << 30.0 << QList<int>{0} << 1;
    QTest::newRow("first page full") << 20 << 0.0 << QList<int>{20} << 0;
    QTest::newRow("one more") << 21 << 0.0 << QList<int>{20, 1} << 0;
    QTest::newRow("second page full") << 41 << 0.0 << QList<int>{20, 21} << 0;
    QTest::newRow("third page") << 42 << 0.0 << QList<int>{20, 21, 1} << 0;
    QTest::newRow("summary fits") << 19 << 30.0 << QList<int>{19} << 1;
    QTest::newRow("summary moves to a page of its own") << 20 << 30.0 << QList<int>{20, 0} << 2;
}

void TestReportLayout::pages()
{
    QFETCH(int, records);
    QFETCH(qreal, summaryHeight);
    QFETCH(QList<int>, detailsPerPage);
    QFETCH(int, summaryPage);
    addProducts(records);
    ProductList report(dm(), 30, summaryHeight);
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), detailsPerPage.size());

    int upc = 0;
    for (int i = 0; i < pages.size(); ++i) {
        QStringList expected;
        for (int k = 0; k < detailsPerPage[i]; ++k)
            expected.append(QString::number(++upc));
        QCOMPARE(detailTexts(pages[i]), expected);
        QCOMPARE(PageText::count(pages[i], "Summary"), summaryPage == i + 1 ? 1 : 0);
    }
    if (summaryPage)
        QCOMPARE(PageText::rowOf(pages[summaryPage - 1], "Summary").last(),
                 QLocale().toCurrencyString(records * (records + 1) / 2.0));
}

void TestReportLayout::everyPageHasItsFrame()
{
    addProducts(45);
    ProductList report(dm(), 30, 0);
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 3);
    for (const LaidOutPage &page : pages) {
        QCOMPARE(page.size, QSizeF(612, 792));
        QCOMPARE(page.findText("Heading")->rect.topLeft(), QPointF(36, 36));
        QVERIFY(page.findText(QStringLiteral("Page: %1").arg(page.number)));
        QVERIFY(page.findText("Date: 3/9/26 2:05:03 PM"));
        // The footer band ends at the bottom margin: 792 - 36 - 40 + 10.
        QCOMPARE(page.findText("Footer")->rect.top(), 726.0);
        QCOMPARE(PageText::count(page, "Title"), page.number == 1 ? 1 : 0);
        // The first detail follows the header (and the title on page 1).
        QCOMPARE(page.findText(detailTexts(page).first())->rect.top(), page.number == 1 ? 116.0 : 86.0);
    }
}

void TestReportLayout::noDataSetPrintsTheDetailOnce()
{
    addProducts(3);
    dm().producttb.last();
    ProductList report(dm(), 30, 20, false);
    const QList<LaidOutPage> pages = report.layoutPages();
    QCOMPARE(pages.size(), 1);
    // The one detail shows the record the table stands on.
    QCOMPARE(detailTexts(pages[0]), QStringList{"3"});
    QCOMPARE(PageText::rowOf(pages[0], "Summary").last(), "$3.00");
}

void TestReportLayout::sumsRunOverPrintedRecords()
{
    addProducts(5);
    dm().producttb.setFilter("\"Product_upc\" <> 3");
    dm().producttb.setFiltered(true);
    ProductList report(dm(), 20, 20);
    for (int run = 0; run < 2; ++run) { // a second run starts from zero again
        const LaidOutPage page = report.layoutPages().value(0);
        QCOMPARE(PageText::rowOf(page, "1").last(), "$1.00");
        QCOMPARE(PageText::rowOf(page, "2").last(), "$3.00");
        QVERIFY(!page.findText("3"));
        QCOMPARE(PageText::rowOf(page, "4").last(), "$7.00");
        QCOMPARE(PageText::rowOf(page, "5").last(), "$12.00");
        QCOMPARE(PageText::rowOf(page, "Summary").last(), "$12.00");
    }
}

void TestReportLayout::disabledItemsAreLeftOut()
{
    addProducts(2);
    ProductList report(dm(), 20, 20);
    report.running->setEnabled(false);
    LaidOutPage page = report.layoutPages().value(0);
    QCOMPARE(PageText::rowOf(page, "1"), QStringList{"1"});
    QCOMPARE(PageText::rowOf(page, "Summary").last(), "$3.00"); // the sum still counts
    report.running->setEnabled(true);
    page = report.layoutPages().value(0);
    QCOMPARE(PageText::rowOf(page, "1"), (QStringList{"1", "$1.00"}));
}

void TestReportLayout::bandTallerThanAPageStillEnds()
{
    addProducts(3);
    ProductList report(dm(), 700, 0);
    const QList<LaidOutPage> pages = report.layoutPages();
    // Each on a page of its own, after the first page's title.
    QCOMPARE(pages.size(), 4);
    QCOMPARE(detailTexts(pages[0]), QStringList());
    for (int i = 1; i < 4; ++i)
        QCOMPARE(detailTexts(pages[i]), QStringList{QString::number(i)});
}

void TestReportLayout::runLeavesTheDataSetAtItsEnd()
{
    addProducts(4);
    dm().producttb.first();
    ProductList report(dm(), 20, 0);
    int refreshes = 0;
    const auto counting = connect(&dm().producttb, &Table::changed, this, [&] { ++refreshes; });
    report.layoutPages();
    disconnect(counting);
    QCOMPARE(refreshes, 1); // bound views refresh once, after the run
    QVERIFY(dm().producttb.eof());
    QCOMPARE(dm().producttb.field("Product_upc").asFloat(), 4.0);
}

QTEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"
