// End of day (F7), Re-print (F11) and the End of Period menu on the main
// window of a running program with the demo shop: what was shown and
// asked, what the simulated printer received, and what the tables hold.
#include "menu_click.h"
#include "report_test_support.h"
#include "scripted_dialogs.h"
#include "sign_in_script.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"
#include "common/language.h"
#include "data_directory_setup.h"
#include "reports/report_preview_window.h"
#include "sale/sale_window.h"
#include "widgets/db_edit.h"

#include <QDateEdit>
#include <QMenu>
#include <QMenuBar>
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
    void init();
    void cleanup();
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
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // Two demo products, paid with a twenty in cash.
    void sell();
    void activate();
    void clickEndOfPeriodEntry(int entry);
    void setControl(const char *field, const QVariant &value);
    double fin(const char *field);
    QByteArray printed() { return fileBytes(data_ + QStringLiteral("/receipt-printer.txt"), {}); }
    QStringList pdfTexts();

    QStringList codes_; // of the products sold
    QTemporaryDir dir_;
    QString base_, data_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<ApplicationShell> shell_;
};

void TestDayEnd::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Clock::setFixed(Now);
}

void TestDayEnd::init()
{
    static int n = 0;
    base_ = dir_.filePath(QString::number(++n));
    data_ = base_ + QStringLiteral("/data");
    dialogs_ = std::make_unique<ScriptedDialogs>();
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    dialogs_->onModal(QStringLiteral("TForm8"), [this](QDialog &) {
        press(Qt::Key_F2); // a twenty in cash
        return -1;
    });
}

void TestDayEnd::cleanup()
{
    shell_.reset();
    dialogs_.reset();
    setLanguageSetting(QStringLiteral("0"));
}

void TestDayEnd::start(const QString &language, const QString &pod)
{
    const QString settings = base_ + QStringLiteral("/settings.ini");
    SetupOptions options;
    options.directory = data_;
    options.settingsPath = settings;
    options.language = language;
    options.demo = true;
    QCOMPARE(prepareDataDirectory(options), QString());
    SettingsStore store(settings);
    store.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N"));
    store.write(TillanoSection, QStringLiteral("POD"), pod);
    store.write(oposDeviceSection("CashDrawer", "CashDrawer"), QStringLiteral("AutoClose"), QStringLiteral("Y"));

    shell_ = std::make_unique<ApplicationShell>(settings);
    shell_->show();
    QCoreApplication::processEvents(); // the start-up and its sign-in
    QVERIFY(shell_->shift().signedIn());
    activate();
    dialogs_->log.clear();
}

void TestDayEnd::sell()
{
    Table &products = shell_->dataModule().producttb;
    codes_.clear();
    for (products.first(); codes_.size() < 2; products.next())
        codes_ << QString::number(products.field("Product_upc").asFloat(), 'f', 0);
    for (const QString &code : codes_) {
        QTest::keyClicks(QApplication::focusWidget(), code);
        for (int i = 0; i < 4; ++i) // code, quantity, discount, price
            press(Qt::Key_Return);
    }
    press(Qt::Key_F2);
    QCOMPARE(dialogs_->log.takeFirst(), QStringLiteral("exec: TForm8"));
    activate();
}

// The main window active again, as after a modal window closed.
void TestDayEnd::activate()
{
    shell_->mainWindow().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shell_->mainWindow()));
}

void TestDayEnd::clickEndOfPeriodEntry(int entry)
{
    TForm1 &window = shell_->mainWindow();
    clickMenuEntry(window.MainMenu1, window.EndofPeriod1, window.EndofPeriod1->actions().at(entry));
}

void TestDayEnd::setControl(const char *field, const QVariant &value)
{
    Table &control = shell_->dataModule().Control;
    control.first();
    control.edit();
    control.field(QLatin1String(field)).setValue(value);
    control.post();
}

double TestDayEnd::fin(const char *field)
{
    Table &fin = shell_->dataModule().fintb;
    fin.refresh();
    return fin.field(QLatin1String(field)).asFloat();
}

QStringList TestDayEnd::pdfTexts()
{
    QStringList texts;
    const QDir printed(data_ + QStringLiteral("/printed"));
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
    TDataModule2 &dm = shell_->dataModule();
    const double periodSales = fin("Fin_sales_pdt");
    const auto onHand = [&] {
        return dm.producttb.findKey(codes_[0].toDouble()) ? dm.producttb.field("Product_qty").asFloat() : -1;
    };
    const double productOnHand = onHand();

    // The reports show the day being closed, before anything is zeroed.
    QStringList previewed;
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &d) {
        auto &preview = static_cast<ReportPreviewWindow &>(d);
        if (!QTest::qWaitFor([&] { return !preview.layingOut(); }))
            return int(QDialog::Rejected);
        const LaidOutPage page = preview.report()->page(0);
        previewed << preview.report()->documentName() + (page.findText("$6.28") ? " with $6.28" : "");
        return int(QDialog::Rejected);
    });
    press(Qt::Key_F7);

    QCOMPARE(dialogs_->log, shown);
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
    QVERIFY(shell_->shift().signedIn());
    QCOMPARE(shell_->mainWindow().focusWidget(), shell_->mainWindow().DBEdit1);

    // With a sale in progress: the refusal, and nothing shown.
    dialogs_->log.clear();
    activate();
    QTest::keyClicks(QApplication::focusWidget(), codes_[0]);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Return);
    press(Qt::Key_F7);
    QCOMPARE(dialogs_->log, QStringList{"message: Operation can not be done durring a transaction"});
    QCOMPARE(dm.tmpdetail.recordCount(), 2);
}

void TestDayEnd::closingTheSignInAfterEndOfDayEndsTheProgram()
{
    start();
    dialogs_->onModalOnce("TPasswordDlg", [](QDialog &) { return int(QDialog::Rejected); });
    press(Qt::Key_F7);
    QVERIFY(shell_->mainWindow().ShuttingDown);
    QVERIFY(!shell_->dataModule().connected());
    QVERIFY(!shell_->mainWindow().isVisible());
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
    const QByteArray atCheckout = printed();
    const QStringList invoicesAtCheckout = pdfTexts();
    QCOMPARE(invoicesAtCheckout.size(), int(invoice));
    TDataModule2 &dm = shell_->dataModule();
    const double daySales = fin("Fin_sales");

    Clock::setFixed(Now.addSecs(600));
    press(Qt::Key_F11);
    Clock::setFixed(Now);

    const QByteArray expected = fileBytes(QStringLiteral(TEST_DATA_DIR "/re_print_receipt.txt"));
    QCOMPARE(afterFirstLine(printed().mid(atCheckout.size())), afterFirstLine(expected));
    QCOMPARE(atCheckout, pod == "N" ? expected : QByteArray());
    const QStringList invoices = pdfTexts();
    QCOMPARE(invoices.size(), 2 * int(invoice));
    if (invoice)
        QCOMPARE(invoices[1], invoices[0]);
    QVERIFY(dialogs_->log.isEmpty());

    // Nothing posted; empty work lines and a fresh work header.
    QCOMPARE(fin("Fin_sales"), daySales);
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    QVERIFY(dm.tmpdetail.recordCount() <= 1);
    QCOMPARE(dm.tmpmaster.recordCount(), 1);
    QCOMPARE(dm.tmpmaster.field("Trxh_time").asTime(), Now.addSecs(600).time());
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0);
    QCOMPARE(shell_->mainWindow().focusWidget(), shell_->mainWindow().DBEdit1);
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
    dialogs_->answerQuestions({yes});
    clickEndOfPeriodEntry(0);

    QCOMPARE(dialogs_->log, shown);
    QCOMPARE(fin("Fin_sales_pdt"), yes ? 0.0 : daySales);
    QCOMPARE(fin("Fin_sales"), daySales);
    QVERIFY(shell_->shift().signedIn());
}

void TestDayEnd::purgeEverythingThenRePrint()
{
    start(QStringLiteral("1"));
    sell();
    TDataModule2 &dm = shell_->dataModule();
    QString title;
    bool calendar = false;
    QDate proposed;
    dialogs_->onModalOnce("TForm20", [&](QDialog &d) {
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
    QCOMPARE(dialogs_->log, (QStringList{"exec: TForm20", "message: Procédure terminée!"}));
    QCOMPARE(dm.tranmaster.recordCount(), 0);
    QCOMPARE(dm.trandetail.recordCount(), 0);

    dialogs_->log.clear();
    activate();
    const QByteArray before = printed();
    const int workLines = dm.tmpdetail.recordCount();
    press(Qt::Key_F11);
    QCOMPARE(dialogs_->log, QStringList{"message: Aucune vente à réimprimer"});
    QCOMPARE(printed(), before);
    QCOMPARE(dm.tmpdetail.recordCount(), workLines);
}

QTEST_MAIN(TestDayEnd)
#include "test_day_end.moc"
