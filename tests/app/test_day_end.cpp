// End of day (F7), Re-print (F11) and the End of Period menu on the main
// window of a running program with the demo shop: what was shown and
// asked, what the simulated printer received, and what the tables hold.
#include "keyboard.h"
#include "report_test_support.h"
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"
#include "reports/report_preview_window.h"
#include "sale/sale_window.h"
#include "widgets/db_edit.h"

#include <QDateEdit>
#include <QtTest>

namespace {

const QDateTime Now(QDate(2026, 3, 9), QTime(14, 5, 3));

QByteArray afterFirstLine(const QByteArray &printout)
{
    return printout.mid(printout.indexOf('\n') + 1);
}

}

class TestDayEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { shop_.reset(); }
    void endOfDay_data();
    void endOfDay();
    void closingTheSignInAfterEndOfDayEndsTheProgram();
    void rePrint_data();
    void rePrint();
    void zeroPeriodTotals_data();
    void zeroPeriodTotals();
    void purgeEverythingThenRePrint();

private:
    void start(const QString &language = QStringLiteral("0"), const QString &pod = QStringLiteral("N"));
    // Two demo products, paid with a twenty in cash.
    void sell();
    void clickEndOfPeriodEntry(int entry) { shop_->clickMenuEntry(shop_->shell().mainWindow().EndofPeriod1, entry); }
    void setControl(const char *field, const QVariant &value);
    double fin(const char *field);
    QStringList pdfTexts();

    QStringList codes_; // of the products sold
    std::unique_ptr<DemoShop> shop_;
};

void TestDayEnd::initTestCase()
{
    Clock::setFixed(Now);
}

void TestDayEnd::start(const QString &language, const QString &pod)
{
    shop_ = std::make_unique<DemoShop>(language);
    shop_->setSetting(QStringLiteral("POD"), pod);
    shop_->dialogs.onModal(QStringLiteral("TForm8"), [](QDialog &) {
        press(Qt::Key_F2); // a twenty in cash
        return -1;
    });
    shop_->start();
    QVERIFY(shop_->shell().shift().signedIn());
    shop_->dialogs.log.clear();
}

void TestDayEnd::sell()
{
    Table &products = shop_->shell().dataModule().producttb;
    codes_.clear();
    for (products.first(); codes_.size() < 2; products.next())
        codes_ << QString::number(products.field("Product_upc").asFloat(), 'f', 0);
    for (const QString &code : codes_)
        shop_->ring(code);
    press(Qt::Key_F2);
    QCOMPARE(shop_->dialogs.log.takeFirst(), QStringLiteral("exec: TForm8"));
    shop_->activateMainWindow();
}

void TestDayEnd::setControl(const char *field, const QVariant &value)
{
    Table &control = shop_->shell().dataModule().Control;
    control.first();
    control.edit();
    control.field(QLatin1String(field)).setValue(value);
    control.post();
}

double TestDayEnd::fin(const char *field)
{
    Table &fin = shop_->shell().dataModule().fintb;
    fin.refresh();
    return fin.field(QLatin1String(field)).asFloat();
}

QStringList TestDayEnd::pdfTexts()
{
    QStringList texts;
    const QDir printed(shop_->printedDirectory());
    for (const QString &file : printed.entryList({"*.pdf"}, QDir::Files, QDir::Name))
        texts << pdfText(printed.filePath(file));
    return texts;
}

void TestDayEnd::endOfDay_data()
{
    QTest::addColumn<bool>("reports");
    QTest::addColumn<QStringList>("shown");
    const QStringList signOut{"exec: TMoneyCountDlg", "exec: TPasswordDlg"};
    QTest::newRow("no report") << false << signOut;
    QTest::newRow("three reports") << true
                                   << QStringList{"exec: ReportPreviewWindow", "exec: ReportPreviewWindow",
                                                  "exec: ReportPreviewWindow"} + signOut;
}

void TestDayEnd::endOfDay()
{
    QFETCH(bool, reports);
    QFETCH(QStringList, shown);
    start();
    sell();
    for (const char *flag : {"Ctrl_eod_cashier", "Ctrl_eod_fin", "Ctrl_eod_product"})
        setControl(flag, reports);
    TDataModule2 &dm = shop_->shell().dataModule();
    const double periodSales = fin("Fin_sales_pdt");
    const auto onHand = [&] {
        return dm.producttb.findKey(codes_[0].toDouble()) ? dm.producttb.field("Product_qty").asFloat() : -1;
    };
    const double productOnHand = onHand();

    // The reports show the day being closed, before anything is zeroed.
    QStringList previewed;
    shop_->dialogs.onModal("ReportPreviewWindow", [&](QDialog &d) {
        auto &preview = static_cast<ReportPreviewWindow &>(d);
        if (!QTest::qWaitFor([&] { return !preview.layingOut(); }))
            return int(QDialog::Rejected);
        const LaidOutPage page = preview.report()->page(0);
        previewed << preview.report()->documentName() + (page.findText("$6.28") ? " with $6.28" : "");
        return int(QDialog::Rejected);
    });
    press(Qt::Key_F7);

    QCOMPARE(shop_->dialogs.log, shown);
    if (reports)
        QCOMPARE(previewed, (QStringList{"Cashier Report with $6.28", "Financial Report with $6.28",
                                         "Product Sales Report with $6.28"}));
    QCOMPARE(fin("Fin_sales"), 0.0);
    QCOMPARE(fin("Fin_sales_pdt"), periodSales);
    QCOMPARE(onHand(), productOnHand);
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    // A new work header for the cashier signed in again.
    QCOMPARE(dm.tmpmaster.field("Trxh_cashier").asInteger(), 1);
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0);
    QVERIFY(shop_->shell().shift().signedIn());
    QCOMPARE(shop_->shell().mainWindow().focusWidget(), shop_->shell().mainWindow().DBEdit1);

    // With a sale in progress: the refusal, and nothing shown.
    shop_->dialogs.log.clear();
    shop_->activateMainWindow();
    shop_->ring(codes_[0]);
    press(Qt::Key_F7);
    QCOMPARE(shop_->dialogs.log, QStringList{"message: Operation can not be done durring a transaction"});
    QCOMPARE(dm.tmpdetail.recordCount(), 2);
}

void TestDayEnd::closingTheSignInAfterEndOfDayEndsTheProgram()
{
    start();
    shop_->dialogs.onModalOnce("TPasswordDlg", [](QDialog &) { return int(QDialog::Rejected); });
    press(Qt::Key_F7);
    QVERIFY(shop_->shell().mainWindow().ShuttingDown);
    QVERIFY(!shop_->shell().dataModule().connected());
    QVERIFY(!shop_->shell().mainWindow().isVisible());
}

void TestDayEnd::rePrint_data()
{
    QTest::addColumn<QString>("pod");
    QTest::addColumn<bool>("invoice");
    QTest::newRow("after the receipt of checkout") << "N" << false;
    QTest::newRow("with the invoice page") << "N" << true;
    QTest::newRow("print on demand") << "Y" << false;
}

void TestDayEnd::rePrint()
{
    QFETCH(QString, pod);
    QFETCH(bool, invoice);
    start(QStringLiteral("0"), pod);
    setControl("Ctrl_invoice", invoice);
    sell();
    const QByteArray atCheckout = shop_->printerOutput();
    const QStringList invoicesAtCheckout = pdfTexts();
    QCOMPARE(invoicesAtCheckout.size(), int(invoice));
    TDataModule2 &dm = shop_->shell().dataModule();
    const double daySales = fin("Fin_sales");

    Clock::setFixed(Now.addSecs(600));
    press(Qt::Key_F11);
    Clock::setFixed(Now);

    const QByteArray expected = fileBytes(QStringLiteral(TEST_DATA_DIR "/re_print_receipt.txt"));
    QCOMPARE(afterFirstLine(shop_->printerOutput().mid(atCheckout.size())), afterFirstLine(expected));
    QCOMPARE(atCheckout, pod == "N" ? expected : QByteArray());
    const QStringList invoices = pdfTexts();
    QCOMPARE(invoices.size(), 2 * int(invoice));
    if (invoice)
        QCOMPARE(invoices[1], invoices[0]);
    QVERIFY(shop_->dialogs.log.isEmpty());

    // Nothing posted; empty work lines and a fresh work header.
    QCOMPARE(fin("Fin_sales"), daySales);
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    QVERIFY(dm.tmpdetail.recordCount() <= 1);
    QCOMPARE(dm.tmpmaster.recordCount(), 1);
    QCOMPARE(dm.tmpmaster.field("Trxh_time").asTime(), Now.addSecs(600).time());
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0);
    QCOMPARE(shop_->shell().mainWindow().focusWidget(), shop_->shell().mainWindow().DBEdit1);
}

void TestDayEnd::zeroPeriodTotals_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("shown");
    const QString english = "question: Proceed with zeroing of totals?";
    const QString french = "question: Procéder avec la mise à zéro?";
    QTest::newRow("English, yes") << "0" << true << QStringList{english, "message: Process complete"};
    QTest::newRow("English, no") << "0" << false << QStringList{english};
    QTest::newRow("French, yes") << "1" << true << QStringList{french, "message: Procédure terminée"};
    QTest::newRow("English captions, French texts") << "2" << true << QStringList{french, "message: Procédure terminée"};
}

void TestDayEnd::zeroPeriodTotals()
{
    QFETCH(QString, language);
    QFETCH(bool, yes);
    QFETCH(QStringList, shown);
    start(language);
    sell();
    const double daySales = fin("Fin_sales");
    shop_->dialogs.answerQuestions({yes});
    clickEndOfPeriodEntry(0);

    QCOMPARE(shop_->dialogs.log, shown);
    QCOMPARE(fin("Fin_sales_pdt"), yes ? 0.0 : daySales);
    QCOMPARE(fin("Fin_sales"), daySales);
    QVERIFY(shop_->shell().shift().signedIn());
}

void TestDayEnd::purgeEverythingThenRePrint()
{
    start(QStringLiteral("1"));
    sell();
    TDataModule2 &dm = shop_->shell().dataModule();
    QString title;
    bool calendar = false;
    QDate proposed;
    shop_->dialogs.onModalOnce("TForm20", [&](QDialog &d) {
        auto *picker = d.findChild<QDateEdit *>("DateTimePicker1");
        title = d.windowTitle();
        calendar = picker->calendarPopup();
        proposed = picker->date();
        QTest::mouseClick(d.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
        return -1;
    });
    clickEndOfPeriodEntry(1);

    QCOMPARE(title, QStringLiteral("Épurer le registre des ventes"));
    QVERIFY(calendar);
    QCOMPARE(proposed, Now.date());
    QCOMPARE(shop_->dialogs.log, (QStringList{"exec: TForm20", "message: Procédure terminée!"}));
    QCOMPARE(dm.tranmaster.recordCount(), 0);
    QCOMPARE(dm.trandetail.recordCount(), 0);

    shop_->dialogs.log.clear();
    shop_->activateMainWindow();
    const QByteArray before = shop_->printerOutput();
    const int workLines = dm.tmpdetail.recordCount();
    press(Qt::Key_F11);
    QCOMPARE(shop_->dialogs.log, QStringList{"message: Aucune vente à réimprimer"});
    QCOMPARE(shop_->printerOutput(), before);
    QCOMPARE(dm.tmpdetail.recordCount(), workLines);
}

QTEST_MAIN(TestDayEnd)
#include "test_day_end.moc"
