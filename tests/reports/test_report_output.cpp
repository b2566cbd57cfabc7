// PDF output checked with pdftotext, the numbered PDF files of printing,
// and the rendered-report file that the preview saves and loads.
#include "report_fixture.h"
#include "report_test_support.h"

#include "common/clock.h"
#include "common/settings_store.h"
#include "reports/cashier_report.h"
#include "reports/department_sales_report.h"
#include "reports/financial_report.h"
#include "reports/invoice_report.h"
#include "reports/money_count_report.h"
#include "reports/print_target.h"
#include "reports/product_sales_report.h"
#include "reports/rendered_report.h"
#include "reports/report_printing.h"
#include "reports/sales_register_report.h"
#include "reports/stock_levels_report.h"
#include "reports/stock_receipt_report.h"

#include <QBuffer>
#include <QProgressDialog>
#include <QtTest>

namespace {

int pdfPages(const QString &text)
{
    return int(text.count(QLatin1Char('\f')));
}

// Records the windows titled "Printing progress" that were shown.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    int progressWindows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *w = qobject_cast<QWidget *>(watched); w && w->isWindow() && w->windowTitle() == "Printing progress"
                                                             && w->isModal())
                ++progressWindows;
        return false;
    }
};

}

class TestReportOutput : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pdfHoldsKeyTexts_data();
    void pdfHoldsKeyTexts();
    void printWritesNumberedPdfFiles();
    void cancelledPrintLeavesNoFile();
    void pdfOutputDirectory_data();
    void pdfOutputDirectory();
    void numberedFileNames_data();
    void numberedFileNames();
    void targetFromSettings();
    void renderedReportRoundTrip();
    void renderedReportRejectsOtherFiles_data();
    void renderedReportRejectsOtherFiles();
    void unwritablePdfFailsLoudly();

private:
    void fillShop();
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<QTemporaryDir> out_;
};

void TestReportOutput::init()
{
    db_ = std::make_unique<TestDatabase>();
    out_ = std::make_unique<QTemporaryDir>();
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 3)));
    setPrintTarget({out_->path(), db_->directory()});
}

void TestReportOutput::cleanup()
{
    setPrintTarget({});
    Clock::useSystemClock();
    db_.reset();
    out_.reset();
}

void TestReportOutput::fillShop()
{
    ReportFixture::configureControl(*db_);
    TDataModule2 &dm = db_->dm();
    db_->addCashier(1, "Ann Manager", true);
    db_->addDepartment(10, "Grocery");
    db_->addProduct(123456789012, "Widget", 2.5);
    Table &p = dm.producttb;
    p.edit();
    p.field("Product_qty").setFloat(-4);
    p.field("Product_avg_cost").setFloat(1.5);
    p.field("Product_sales").setFloat(12.5);
    p.post();
    PostedSale sale = ReportFixture::sampleSale(1001, QDate(2026, 3, 9), 3);
    sale.change = -2.25;
    ReportFixture::postSale(dm, sale);
    for (const SaleLine &line : sale.lines)
        addWorkLine(dm, line);
    ReportFixture::setWorkHeader(dm, 1, QDate(2026, 3, 9), 15, 0.75, {20});
    Table &m = dm.Moneytb;
    m.append();
    m.field("Money_float").setFloat(150);
    m.post();
    dm.cashiertb.first();
}

void TestReportOutput::pdfHoldsKeyTexts_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("TForm6") << "TForm6" << QStringList{"Product Sales Report", "Date: 3/9/26 2:05:03 PM", "Page: 1", "Widget", "$12.50", "Total Sales"};
    QTest::newRow("TForm9") << "TForm9" << QStringList{"Cashier Report", "Cashier Id:", "Ann Manager", "Grand Total", "Void amt"};
    QTest::newRow("TForm10") << "TForm10" << QStringList{"Financial Report", "Period to date", "No Transactions", "Visa"};
    QTest::newRow("TForm12") << "TForm12" << QStringList{"Blind Money Count Report", "Counted", "System", "Float", "$150.00"};
    QTest::newRow("TForm13") << "TForm13" << QStringList{"Sales Register Report", "1001", "Item 3 of sale 1001", "Grand Total", "$15.75"};
    QTest::newRow("TForm15") << "TForm15" << QStringList{"Stock Level Report", "Widget", "(6.00)", "Total Inventory Value"};
    QTest::newRow("TForm17") << "TForm17" << QStringList{"INVOICE", "Invoice Number", "1001", "Corner Store", "Item 2 of sale 1001", "Your Change", "($2.25)"};
    QTest::newRow("TForm19") << "TForm19" << QStringList{"Department Sales Report", "Grocery", "Sales PTD", "Totals"};
    QTest::newRow("TForm26") << "TForm26" << QStringList{"STOCK RECEIPT", "Terminal ID", "Item 1 of sale 1001", "$15.00"};
    QTest::newRow("TForm19 in French") << "TForm19" << QStringList{"Rapport Ventes des Départements", "Département", "Ventes PAD"};
    QTest::newRow("TForm15 in French") << "TForm15" << QStringList{"Rapport Niveau des Stocks", "Quantité", "Coût moyen", "Valeur total"};
}

void TestReportOutput::pdfHoldsKeyTexts()
{
    QFETCH(QString, report);
    QFETCH(QStringList, texts);
    fillShop();
    TDataModule2 &dm = db_->dm();
    std::unique_ptr<PageReport> r;
    if (report == "TForm6") r = std::make_unique<TForm6>(dm);
    else if (report == "TForm9") r = std::make_unique<TForm9>(dm);
    else if (report == "TForm10") r = std::make_unique<TForm10>(dm);
    else if (report == "TForm12") r = std::make_unique<TForm12>(dm);
    else if (report == "TForm13") r = std::make_unique<TForm13>(dm);
    else if (report == "TForm15") r = std::make_unique<TForm15>(dm);
    else if (report == "TForm17") r = std::make_unique<TForm17>(dm);
    else if (report == "TForm19") r = std::make_unique<TForm19>(dm);
    else r = std::make_unique<TForm26>(dm);
    if (QString(QTest::currentDataTag()).endsWith("in French"))
        r->applyFrenchCaptions();
    if (auto *document = dynamic_cast<SaleDocument *>(r.get()))
        document->setSale(report == "TForm17" ? ReportFixture::invoiceSale(dm) : readWorkSale(dm, 1, false));

    const QString path = out_->filePath(report + ".pdf");
    writePdf(path, r->documentName(), [&](PageSink &sink) { r->layout(sink); });
    const QString text = pdfText(path);
    QCOMPARE(pdfPages(text), 1);
    for (const QString &t : texts)
        QVERIFY2(text.contains(t), qPrintable(t + " missing from:\n" + text));
}

void TestReportOutput::printWritesNumberedPdfFiles()
{
    fillShop();
    for (int i = 0; i < 60; ++i)
        addWorkLine(db_->dm(), {double(9000 + i), QStringLiteral("Extra line %1").arg(i), 1, 1, 1});
    ShownWindows shown;
    TForm17 invoice(db_->dm());
    invoice.setSale(ReportFixture::invoiceSale(db_->dm()));
    invoice.print();
    invoice.print();
    TForm19 departments(db_->dm());
    departments.print();
    QCOMPARE(shown.progressWindows, 3);

    const QStringList files = QDir(out_->path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    QCOMPARE(files, (QStringList{"000001-invoice.pdf", "000002-invoice.pdf", "000003-department-sales-report.pdf"}));
    const QString invoiceText = pdfText(out_->filePath(files[0]));
    QCOMPARE(pdfPages(invoiceText), 2);
    QCOMPARE(invoiceText.count("INVOICE"), 2);
    QCOMPARE(invoiceText.count("Sub Total"), 2);
    QVERIFY(invoiceText.contains("Extra line 59"));
    QVERIFY(pdfText(out_->filePath(files[2])).contains("Grocery"));
}

void TestReportOutput::cancelledPrintLeavesNoFile()
{
    fillShop();
    TForm19 departments(db_->dm());
    // Cancel as soon as the progress window answers.
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible())
                QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    });
    departments.print();
    QVERIFY(QDir(out_->path()).entryList({"*.pdf"}).isEmpty());
    departments.print(); // the next print is not cancelled
    QCOMPARE(QDir(out_->path()).entryList({"*.pdf"}), QStringList{"000001-department-sales-report.pdf"});
}

void TestReportOutput::pdfOutputDirectory_data()
{
    QTest::addColumn<QString>("pdfDirectory");
    QTest::addColumn<bool>("hasPrinter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("named directory, printer present") << "/srv/pdf" << true << "/srv/pdf";
    QTest::newRow("named directory, no printer") << "/srv/pdf" << false << "/srv/pdf";
    QTest::newRow("printer, nothing named") << "" << true << "";
    QTest::newRow("no printer, nothing named") << "" << false << "/data/shop/printed";
}

void TestReportOutput::pdfOutputDirectory()
{
    QFETCH(QString, pdfDirectory);
    QFETCH(bool, hasPrinter);
    QFETCH(QString, expected);
    const PrintTarget target{pdfDirectory, "/data/shop"};
    QCOMPARE(target.pdfOutputDirectory(hasPrinter), expected);
}

void TestReportOutput::numberedFileNames_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("documentName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty directory") << QStringList{} << "INVOICE" << "000001-invoice.pdf";
    QTest::newRow("after the highest") << QStringList{"000001-invoice.pdf", "000007-stock-receipt.pdf", "notes.txt"}
                                       << "Sales Register Report" << "000008-sales-register-report.pdf";
    QTest::newRow("other files do not count") << QStringList{"report.pdf", "12.pdf", "x-000099.pdf"} << "INVOICE"
                                              << "000001-invoice.pdf";
    QTest::newRow("accents folded") << QStringList{} << "Rapport Ventes des Départements"
                                    << "000001-rapport-ventes-des-departements.pdf";
    QTest::newRow("no usable letters") << QStringList{} << "***" << "000001-report.pdf";
}

void TestReportOutput::numberedFileNames()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, documentName);
    QFETCH(QString, expected);
    for (const QString &name : existing) {
        QFile f(out_->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(nextNumberedPdfPath(out_->path(), documentName), out_->filePath(expected));
}

void TestReportOutput::targetFromSettings()
{
    const QString path = out_->filePath("settings.ini");
    SettingsStore settings(path);
    QCOMPARE(PrintTarget::fromSettings(settings, "/data").pdfDirectory, QString());
    QVERIFY(settings.write("software\\Tillano\\Printing", "PdfDirectory", "/srv/printed "));
    const PrintTarget target = PrintTarget::fromSettings(settings, "/data");
    QCOMPARE(target.pdfDirectory, "/srv/printed");
    QCOMPARE(target.dataDirectory, "/data");
}

void TestReportOutput::renderedReportRoundTrip()
{
    fillShop();
    for (int i = 0; i < 30; ++i)
        ReportFixture::postSale(db_->dm(), ReportFixture::sampleSale(2000 + i, QDate(2026, 3, 9), 4));
    TForm13 report(db_->dm());
    const QList<LaidOutPage> pages = report.layoutPages();
    QVERIFY(pages.size() > 2);

    const QString path = out_->filePath("register.tqr");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        RenderedReportWriter writer(file, report.documentName());
        for (const LaidOutPage &page : pages)
            writer.addPage(page);
        QVERIFY(writer.ok());
    }
    const auto loaded = RenderedReport::openFile(path);
    QVERIFY(loaded);
    QCOMPARE(loaded->documentName(), "Sales Register Report");
    QCOMPARE(loaded->pageCount(), pages.size());
    for (int i : {int(pages.size()) - 1, 0, 1}) { // in any order
        const LaidOutPage page = loaded->page(i);
        QCOMPARE(page.number, pages[i].number);
        QCOMPARE(page.size, pages[i].size);
        QCOMPARE(page.items.size(), pages[i].items.size());
        for (qsizetype k = 0; k < page.items.size(); ++k) {
            const PlacedItem &a = page.items[k];
            const PlacedItem &b = pages[i].items[k];
            QVERIFY(a.kind == b.kind && a.rect == b.rect && a.text == b.text && a.style == b.style
                    && a.lineWidth == b.lineWidth);
        }
    }
    QBuffer copy;
    copy.open(QIODevice::WriteOnly);
    QVERIFY(loaded->copyTo(copy));
    QCOMPARE(copy.data().size(), QFileInfo(path).size());
}

void TestReportOutput::renderedReportRejectsOtherFiles_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("a PDF") << QByteArray("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n");
    QTest::newRow("text") << QByteArray("Sales Register Report\n1001 Item 1\n");
}

void TestReportOutput::renderedReportRejectsOtherFiles()
{
    QFETCH(QByteArray, contents);
    const QString path = out_->filePath("other.tqr");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    QVERIFY(!RenderedReport::openFile(path));

    // A real report cut short is refused as well.
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    RenderedReportWriter writer(whole, "INVOICE");
    LaidOutPage page;
    page.items.append({PlacedItem::Kind::Text, QRectF(1, 2, 3, 4), "x", {}, 1});
    writer.addPage(page);
    auto truncated = std::make_unique<QBuffer>();
    truncated->setData(whole.data().left(whole.data().size() - 3));
    truncated->open(QIODevice::ReadOnly);
    QVERIFY(!RenderedReport::open(std::move(truncated)));
}

void TestReportOutput::unwritablePdfFailsLoudly()
{
    fillShop();
    TForm6 report(db_->dm());
    const QString path = out_->filePath("missing/folder/report.pdf");
    QVERIFY_THROWS_EXCEPTION(ReportOutputError,
                             writePdf(path, report.documentName(), [&](PageSink &sink) { report.layout(sink); }));
    QVERIFY(!QFile::exists(path));

    // A print target that cannot be created is an error, not a silent loss.
    QFile blocker(out_->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setPrintTarget({out_->filePath("blocker/pdf"), db_->directory()});
    QVERIFY_THROWS_EXCEPTION(ReportOutputError, report.print());
}

QTEST_MAIN(TestReportOutput)
#include "test_report_output.moc"
