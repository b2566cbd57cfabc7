// Total <F2> from the sale window: the entry line, the payment window,
// the change, posting or training, invoice, receipt, drawer and display,
// the receiving branch, and what a failure leaves behind.
#include "failing_writes.h"
#include "posting_fixture.h"
#include "program_test_main.h"
#include "sale_window_fixture.h"

#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "posting/posting_checkpoints.h"
#include "reports/print_target.h"
#include "reports/report_printing.h"
#include "store/store_error.h"
#include "widgets/db_edit.h"
#include "widgets/db_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QtTest>
#include <optional>

class TestCheckout : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void printingAndDrawer_data();
    void printingAndDrawer();
    void entryLine_data();
    void entryLine();
    void customerDisplayAndChange_data();
    void customerDisplayAndChange();
    void cancelledPaymentKeepsTheSale();
    void saleBearsTheTimeOfItsFirstLine_data();
    void saleBearsTheTimeOfItsFirstLine();
    void voidItemEndsWithTheTransaction_data();
    void voidItemEndsWithTheTransaction();
    void trainingSaleChangesNoTable();
    void receiving_data();
    void receiving();
    void unprintableStockReceiptReceivesNothing();
    void refusedPostingCancelsItsPayment_data();
    void refusedPostingCancelsItsPayment();
    void failureAfterPostingIsShownAndTheCheckoutGoesOn_data();
    void failureAfterPostingIsShownAndTheCheckoutGoesOn();

private:
    // Pays in the payment window with these keys when it opens next.
    void payWithKeys(const QList<Qt::Key> &keys);
    void ringAndTotal(const QString &code);
    int pdfCount() const;
    // The device calls other than the display: "open", "receipt" (a run of
    // printed lines and its end), "wait".
    QString deviceSummary() const;
    QStringList printedLines() const;
    QList<double> postedLineCodes();
    void signInTrainingCashier();

    std::unique_ptr<SaleWindowFixture> f;
    std::unique_ptr<QTemporaryDir> pdfDir;
    std::unique_ptr<SaleCheckout> checkout;
    int cashierId = 7;
};

void TestCheckout::init()
{
    f = std::make_unique<SaleWindowFixture>();
    f->db.setControl("Ctrl_pmt1", "Cash");
    f->db.setControl("Ctrl_pmt1_type", true);
    f->db.setControl("Ctrl_pmt2", "Card");
    f->names.printer = "ReceiptPrinter";
    f->names.drawer = "CashDrawer";
    pdfDir = std::make_unique<QTemporaryDir>();
    setPrintTarget(PrintTarget{pdfDir->path(), f->db.directory()});
    cashierId = 7;

    checkout = std::make_unique<SaleCheckout>(*f, [this] { return cashierId; });
    // Unless a test says otherwise, the customer pays the exact amount.
    f->dialogs.onModal("TForm8", [](QDialog &window) {
        QTest::keyClick(window.focusWidget(), Qt::Key_F5);
        return -1;
    });
}

void TestCheckout::cleanup()
{
    checkout.reset();
    f.reset();
    pdfDir.reset();
}

void TestCheckout::payWithKeys(const QList<Qt::Key> &keys)
{
    f->dialogs.onModalOnce("TForm8", [keys](QDialog &window) {
        for (Qt::Key key : keys)
            QTest::keyClick(window.focusWidget(), key);
        return -1;
    });
}

void TestCheckout::ringAndTotal(const QString &code)
{
    f->ring(code);
    f->devices.calls.clear();
    f->devices.displayed.clear();
    f->press(Qt::Key_F2);
    f->settle();
}

int TestCheckout::pdfCount() const
{
    return int(QDir(pdfDir->path()).entryList({"*.pdf"}, QDir::Files).size());
}

QString TestCheckout::deviceSummary() const
{
    QStringList summary;
    for (const QString &call : f->devices.calls) {
        if (call.startsWith("PrintLine") && !summary.isEmpty() && summary.last() == "receipt…")
            continue;
        if (call.startsWith("PrintLine"))
            summary.append("receipt…");
        else if (call == "EndPrintout" && !summary.isEmpty() && summary.last() == "receipt…")
            summary.last() = "receipt";
        else if (call == "OpenCashDrawer")
            summary.append("open");
        else if (call == "WaitCashDrawerClosed")
            summary.append("wait");
        else if (!call.startsWith("ShowOnLineDisplay"))
            summary.append(call);
    }
    return summary.join('|');
}

QStringList TestCheckout::printedLines() const
{
    QStringList lines;
    for (const QString &call : f->devices.calls)
        if (call.startsWith("PrintLine: "))
            lines.append(call.mid(11));
    return lines;
}

QList<double> TestCheckout::postedLineCodes()
{
    QList<double> codes;
    Table &lines = f->dm().trandetail;
    for (const TableRow &row : lines.rows(0, 1000))
        codes.append(row.values[lines.fieldIndex("Trx_upc")].toDouble());
    return codes;
}

void TestCheckout::signInTrainingCashier()
{
    f->db.addCashier(8, "Trainee", false, true);
    QVERIFY(f->dm().cashiertb.findKey(8));
    cashierId = 8;
}

void TestCheckout::printingAndDrawer_data()
{
    QTest::addColumn<QString>("pod");
    QTest::addColumn<bool>("invoices");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<bool>("drawer");
    QTest::addColumn<bool>("training");
    QTest::addColumn<int>("invoicePages");
    QTest::addColumn<QString>("devices");

    QTest::newRow("receipt only") << "N" << false << true << true << false << 0 << "open|receipt|wait";
    QTest::newRow("invoice and receipt") << "N" << true << true << true << false << 1 << "open|receipt|wait";
    QTest::newRow("no printer: the invoice") << "N" << false << false << true << false << 1 << "open|wait";
    QTest::newRow("print on demand") << "Y" << true << true << true << false << 0 << "open|wait";
    QTest::newRow("print on demand, no printer") << "Y" << false << false << true << false << 0 << "open|wait";
    QTest::newRow("POD in lower case") << "n" << false << true << true << false << 0 << "open|receipt|wait";
    QTest::newRow("no drawer") << "N" << false << true << false << false << 0 << "receipt";
    QTest::newRow("training") << "N" << true << true << true << true << 1 << "open|receipt|wait";
}

void TestCheckout::printingAndDrawer()
{
    QFETCH(QString, pod);
    QFETCH(bool, invoices);
    QFETCH(bool, printer);
    QFETCH(bool, drawer);
    QFETCH(bool, training);
    QFETCH(int, invoicePages);
    QFETCH(QString, devices);

    f->settings.pod = pod;
    f->db.setControl("Ctrl_invoice", invoices);
    f->names.printer = printer ? "ReceiptPrinter" : "";
    f->names.drawer = drawer ? "CashDrawer" : "";
    if (training)
        signInTrainingCashier();

    ringAndTotal("1002");

    QCOMPARE(f->dialogs.log, QStringList{"exec: TForm8"});
    QCOMPARE(deviceSummary(), devices);
    QCOMPARE(pdfCount(), invoicePages);
    QCOMPARE(printedLines().contains("             TRAINING MODE"), training && devices.contains("receipt"));
    QCOMPARE(f->dm().tranmaster.recordCount(), training ? 0 : 1);
    if (!training) {
        QCOMPARE(f->dm().tranmaster.field("Trxh_cashier").asInteger(), 7);
        QCOMPARE(f->dm().tranmaster.field("Trxh_pmt1").asFloat(), 2.00);
        QVERIFY(f->dm().cashiertb.findKey(7));
        QCOMPARE(f->dm().cashiertb.field("Cashier_no_trx").asInteger(), 1);
    }
    // A new transaction: empty work lines (the focus stayed in the UPC
    // field), a new header, the change box still up.
    QCOMPARE(f->lineCount(), 0);
    QCOMPARE(f->dm().tmpmaster.recordCount(), 1);
    QCOMPARE(f->header("Trxh_grand_total"), 0.0);
    QCOMPARE(f->header("Trxh_pmt1"), 0.0);
    QVERIFY(!f->dm().tmpmaster.controlsDisabled());
    QVERIFY(!f->dm().tmpdetail.controlsDisabled());
    QVERIFY(f->form().ChangeBox->isVisible());
    QCOMPARE(f->focusedName(), f->form().DBEdit1->objectName());
}

void TestCheckout::entryLine_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<double>>("posted");
    // F2 away from the UPC field: the focus coming back creates the next
    // transaction's first entry line at once.
    QTest::addColumn<int>("linesAfter");

    QTest::newRow("the entry line is removed") << QStringList{} << QList<double>{1002} << 0;
    QTest::newRow("a code not found is removed") << QStringList{"type:999", "Enter"} << QList<double>{1002} << 0;
    // Another lane deletes the product while this one rings it.
    QTest::newRow("a line of a product deleted meanwhile stays")
        << QStringList{"delete:1002"} << QList<double>{1002} << 0;
    QTest::newRow("a product at price zero stays")
        << QStringList{"type:1004", "Enter"} << QList<double>{1002, 1004} << 1;
    QTest::newRow("F2 in the unit price field")
        << QStringList{"type:1001", "Enter", "Enter", "Enter"} << QList<double>{1002} << 1;
    QTest::newRow("F2 with a price typed, not entered")
        << QStringList{"type:1001", "Enter", "Enter", "Enter", "type:5"} << QList<double>{1002} << 1;
}

void TestCheckout::entryLine()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<double>, posted);
    QFETCH(int, linesAfter);

    f->ring("1002");
    for (const QString &step : steps) {
        if (step.startsWith("type:"))
            f->type(step.mid(5));
        else if (step.startsWith("delete:"))
            QVERIFY(OwnConnection(f->db.databaseFile()).exec("DELETE FROM product WHERE Product_upc = " + step.mid(7)));
        else
            f->press(Qt::Key_Return);
    }
    f->press(Qt::Key_F2);

    QCOMPARE(f->dm().tranmaster.recordCount(), 1);
    QCOMPARE(postedLineCodes(), posted);
    QCOMPARE(f->dm().tranmaster.field("Trxh_grand_total").asFloat(), 2.00);
    QCOMPARE(f->lineValues("Trx_upc"), QList<double>(linesAfter, 0));
    QCOMPARE(f->focusedName(), f->form().DBEdit1->objectName());
}

void TestCheckout::customerDisplayAndChange_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "0";
    QTest::newRow("French") << "1";
}

void TestCheckout::customerDisplayAndChange()
{
    QFETCH(QString, language);
    setLanguageSetting(language);
    payWithKeys({Qt::Key_F2});
    QStringList displayedAtCommit;
    PostingCheckpoints::setHandler([&](PostingCheckpoint reached) {
        if (reached == PostingCheckpoint::Committed)
            displayedAtCommit = f->devices.displayed;
    });

    ringAndTotal("1002");
    PostingCheckpoints::clearHandler();

    QCOMPARE(displayedAtCommit, QStringList{"Total          $2.00"});
    QCOMPARE(f->devices.displayed, (QStringList{"Total          $2.00", "Change      ($18.00)"}));
    QCOMPARE(f->form().ChangeLabel->text(), QString("($18.00)"));
    QVERIFY(f->form().ChangeBox->isVisible());
    QCOMPARE(checkout->paymentWindow.amountText(), QString("($18.00)"));
    QCOMPARE(f->dm().tranmaster.field("Trxh_change").asFloat(), -18.00);
}

void TestCheckout::cancelledPaymentKeepsTheSale()
{
    f->dialogs.onModalOnce("TForm8", [](QDialog &window) {
        QTest::keyClicks(window.focusWidget(), "1.5");
        QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
        return -1;
    });
    f->form().VoidItem(); // void-item mode is switched off by the new entry line
    QVERIFY(f->form().modes.voidItem);
    ringAndTotal("1002");

    QCOMPARE(f->dm().tranmaster.recordCount(), 0);
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1002, 0}));
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{-1, 1}));
    QCOMPARE(f->header("Trxh_pmt1"), 1.5);
    QVERIFY(!f->form().modes.voidItem);
    QVERIFY(!f->form().ChangeBox->isVisible());
    QCOMPARE(f->focusedName(), f->form().DBEdit1->objectName());
    QCOMPARE(deviceSummary(), QString());

    // Total again: the amount typed before is still there; a refund of 2.00
    // with 1.50 entered leaves 0.50 to pay out.
    QStringList seen;
    f->dialogs.onModalOnce("TForm8", [this, &seen](QDialog &window) {
        seen << checkout->paymentWindow.PaymentFields[0]->text();
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
        seen << checkout->paymentWindow.amountText();
        QTest::keyClick(window.focusWidget(), Qt::Key_F5);
        return -1;
    });
    f->press(Qt::Key_F2);
    QCOMPARE(seen, (QStringList{"1.50", "$0.50"}));
    QCOMPARE(f->dm().tranmaster.recordCount(), 1);
    QCOMPARE(f->dm().tranmaster.field("Trxh_grand_total").asFloat(), -2.00);
    QCOMPARE(f->dm().tranmaster.field("Trxh_pmt1").asFloat(), -2.00);
    QCOMPARE(postedLineCodes(), QList<double>{1002});
}

void TestCheckout::saleBearsTheTimeOfItsFirstLine_data()
{
    QTest::addColumn<int>("modeKey");
    QTest::addColumn<bool>("training");
    QTest::addColumn<bool>("posted");
    QTest::newRow("sale") << 0 << false << true;
    QTest::newRow("return") << int(Qt::Key_F4) << false << true;
    QTest::newRow("receiving") << int(Qt::Key_F8) << false << false;
    QTest::newRow("training sale") << 0 << true << false;
}

void TestCheckout::saleBearsTheTimeOfItsFirstLine()
{
    QFETCH(int, modeKey);
    QFETCH(bool, training);
    QFETCH(bool, posted);
    if (training)
        signInTrainingCashier();
    // The till became idle at noon (the fixture's reset); the next customer
    // comes the next morning, and a second line follows a minute later.
    const QDateTime firstLine(QDate(2026, 3, 6), QTime(9, 30, 15));
    Clock::setFixed(firstLine);
    if (modeKey)
        f->press(Qt::Key(modeKey));
    f->ring("1005");
    QCOMPARE(f->form().DateText->text(), shortDateText(firstLine.date()));
    QCOMPARE(f->form().TimeText->text(), longTimeText(firstLine.time()));
    Clock::setFixed(firstLine.addSecs(60));
    f->ring("1003");
    f->devices.calls.clear();
    f->press(Qt::Key_F2);

    QCOMPARE(printedLines().value(0), QString("3/6/26                       9:30:15 AM"));
    QCOMPARE(f->dm().tranmaster.recordCount(), posted ? 1 : 0);
    if (posted) {
        QCOMPARE(f->dm().tranmaster.field("Trxh_date").asDate(), firstLine.date());
        QCOMPARE(f->dm().tranmaster.field("Trxh_time").asTime(), firstLine.time());
    }
}

void TestCheckout::voidItemEndsWithTheTransaction_data()
{
    QTest::addColumn<int>("endKey");
    QTest::newRow("Cancel") << int(Qt::Key_F3);
    QTest::newRow("checkout") << int(Qt::Key_F2);
}

void TestCheckout::voidItemEndsWithTheTransaction()
{
    QFETCH(int, endKey);
    f->ring("1001");
    f->press(Qt::Key_F5);
    QVERIFY(f->form().ModeLabel->isVisible());
    f->press(Qt::Key(endKey));
    QVERIFY(!f->form().modes.voidItem);
    QVERIFY(!f->form().ModeLabel->isVisible());
    f->ring("1002"); // the next customer's first item is sold, not taken back
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{1, 1}));
    QCOMPARE(f->header("Trxh_total"), 2.00);
}

void TestCheckout::trainingSaleChangesNoTable()
{
    f->db.setControl("Ctrl_invoice", true);
    f->db.setControl("Ctrl_export", true);
    QTemporaryDir workDir;
    const CurrentDirectory inWorkDir(workDir.path());
    ringAndTotal("1002"); // a real sale first, so the register has a last sale
    QCOMPARE(f->dm().tranmaster.recordCount(), 1);
    QFile::remove(QDir(pdfDir->path()).filePath(QDir(pdfDir->path()).entryList({"*.pdf"}).value(0)));
    QVERIFY(QFile::remove(workDir.filePath("Exportjrnl")));

    signInTrainingCashier();
    auto persistent = [this] {
        QStringList rows = tableSnapshot(f->db.directory());
        rows.removeIf([](const QString &row) { return row.startsWith("tmp"); });
        return rows;
    };
    const QStringList before = persistent();
    ringAndTotal("1005");

    QCOMPARE(persistent(), before);
    QVERIFY(!QFile::exists(workDir.filePath("Exportjrnl")));
    QCOMPARE(deviceSummary(), QString("open|receipt|wait"));
    QVERIFY(printedLines().contains("             TRAINING MODE"));
    QVERIFY(printedLines().contains("                          Total      $3.49"));

    // The invoice shows the training sale, not the last sale posted.
    QCOMPARE(pdfCount(), 1);
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess reader;
    const QString pdf = QDir(pdfDir->path()).filePath(QDir(pdfDir->path()).entryList({"*.pdf"}).value(0));
    reader.start(pdftotext, {pdf, "-"});
    QVERIFY(reader.waitForFinished());
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    QVERIFY2(text.contains("INVOICE") && text.contains("$3.49"), qPrintable(text));
    QVERIFY2(!text.contains("$2.00"), qPrintable(text));
}

void TestCheckout::receiving_data()
{
    QTest::addColumn<bool>("training");
    QTest::newRow("cashier") << false;
    QTest::newRow("training cashier") << true;
}

void TestCheckout::receiving()
{
    QFETCH(bool, training);
    if (training)
        signInTrainingCashier();
    f->db.setControl("Ctrl_invoice", true);
    Table &product = f->dm().producttb;
    QVERIFY(product.findKey(1005.0));
    product.edit();
    product.field("Product_qty").setFloat(10);
    product.field("Product_avg_cost").setFloat(2.00);
    product.post();
    const QStringList registerBefore = tableSnapshot(f->db.directory()).filter(QRegularExpression("^(fin|tran)"));

    f->press(Qt::Key_F8);
    QVERIFY(f->form().modes.receiving);
    f->ring("1005", "10", "", "3");
    f->devices.calls.clear();
    f->press(Qt::Key_F2);

    QVERIFY(f->dialogs.log.isEmpty()); // no payment window
    QVERIFY(product.findKey(1005.0));
    QCOMPARE(product.field("Product_qty").asFloat(), 20.0);
    QCOMPARE(product.field("Product_avg_cost").asFloat(), 2.50);
    QCOMPARE(product.field("Product_qty_sales").asFloat(), 0.0);
    QCOMPARE(tableSnapshot(f->db.directory()).filter(QRegularExpression("^(fin|tran)")), registerBefore);
    QCOMPARE(deviceSummary(), QString("receipt"));
    QVERIFY(printedLines().contains("             STOCK RECEIPT"));
    QCOMPARE(printedLines().contains("             TRAINING MODE"), training);
    QCOMPARE(pdfCount(), 1);
    QVERIFY(!f->form().modes.receiving);
    QCOMPARE(f->lineCount(), 0);
    QCOMPARE(f->header("Trxh_total"), 0.0);
}

void TestCheckout::unprintableStockReceiptReceivesNothing()
{
    f->db.setControl("Ctrl_invoice", true);
    QFile blocker(pdfDir->filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    setPrintTarget(PrintTarget{blocker.fileName() + "/pdf", f->db.directory()});
    f->press(Qt::Key_F8);
    f->ring("1005", "10", "", "3");

    QVERIFY_THROWS_EXCEPTION(ReportOutputError, f->form().BitBtn1Click());

    QVERIFY(f->dm().producttb.findKey(1005.0));
    QCOMPARE(f->dm().producttb.field("Product_qty").asFloat(), 0.0);
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1005, 0}));
    QVERIFY(f->form().modes.receiving);
    QCOMPARE(deviceSummary(), QString());
}

void TestCheckout::refusedPostingCancelsItsPayment_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("message");
    QTest::newRow("cashier missing")
        << "cashier" << "The signed-in cashier 99 is not in table cashier; the sale was not posted.";
    QTest::newRow("full disk") << "disk" << "Table tranmaster: database or disk is full";
    QTest::newRow("subtotal lost by a failed write")
        << "subtotal"
        << "The totals of this sale do not agree with its lines: subtotal $0.00, its lines $2.00; total $2.00, "
           "subtotal and taxes $0.00.";
}

void TestCheckout::refusedPostingCancelsItsPayment()
{
    QFETCH(QString, cause);
    QFETCH(QString, message);
    f->ring("1002");
    std::optional<FailingWrites> fullDisk;
    if (cause == "cashier")
        cashierId = 99;
    else if (cause == "disk")
        fullDisk.emplace(f->dm().database(), "tranmaster");
    else
        setWorkHeaderAmounts(f->dm(), {{"Trxh_total", 0.0}});
    payWithKeys({Qt::Key_F2}); // a $20 bill
    f->devices.displayed.clear();
    f->press(Qt::Key_F2);

    QCOMPARE(f->dialogs.messages(),
             QStringList{message + "\nThe sale is not posted and its payment is cancelled: press Total <F2> to take "
                                   "the payment again."});
    QCOMPARE(f->dm().tranmaster.recordCount(), 0);
    f->dm().fintb.first();
    QCOMPARE(f->dm().fintb.field("Fin_no_trx").asInteger(), 0);
    QVERIFY(f->dm().producttb.findKey(1002.0));
    QCOMPARE(f->dm().producttb.field("Product_qty_sales").asFloat(), 0.0);
    // The sale goes on, with its totals as its lines make them and no
    // payment; the customer was never shown any change.
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1002, 0}));
    QCOMPARE(f->header("Trxh_total"), 2.00);
    QCOMPARE(f->header("Trxh_pmt1"), 0.0);
    QVERIFY(!f->dm().tmpmaster.controlsDisabled());
    QVERIFY(!f->dm().tmpdetail.controlsDisabled());
    QVERIFY(!f->form().ChangeBox->isVisible());
    QCOMPARE(f->devices.displayed, QStringList{"Total          $2.00"});
    QCOMPARE(deviceSummary(), QString());

    // The cashier does it again: Total, the $20 bill.
    cashierId = 7;
    fullDisk.reset();
    payWithKeys({Qt::Key_F2});
    f->press(Qt::Key_F2);
    QCOMPARE(f->dm().tranmaster.recordCount(), 1);
    QCOMPARE(postedLineCodes(), QList<double>{1002});
    QCOMPARE(f->dm().tranmaster.field("Trxh_total").asFloat(), 2.00);
    QCOMPARE(f->dm().tranmaster.field("Trxh_pmt1").asFloat(), 20.00);
    QCOMPARE(f->dm().tranmaster.field("Trxh_change").asFloat(), -18.00);
    QCOMPARE(f->form().ChangeLabel->text(), QString("($18.00)"));
}

void TestCheckout::failureAfterPostingIsShownAndTheCheckoutGoesOn_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message");

    QTest::newRow("journal") << "Exportjrnl" << "The sale is posted. The export journal %1/Exportjrnl";
    QTest::newRow("invoice") << "invoices" << "The folder %1/invoices/pdf cannot be created.";
}

void TestCheckout::failureAfterPostingIsShownAndTheCheckoutGoesOn()
{
    QFETCH(QString, output);
    QFETCH(QString, message);

    // A folder where the journal file should be; a file where the invoice
    // folder should be.
    QTemporaryDir workDir;
    const CurrentDirectory inWorkDir(workDir.path());
    f->db.setControl("Ctrl_export", true);
    f->db.setControl("Ctrl_invoice", true);
    if (output == "Exportjrnl") {
        QVERIFY(QDir(workDir.path()).mkdir(output));
    } else {
        QFile blocker(workDir.filePath(output));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        setPrintTarget(PrintTarget{blocker.fileName() + "/pdf", f->db.directory()});
    }

    ringAndTotal("1002");

    QCOMPARE(f->dialogs.messages().size(), 1);
    QVERIFY2(f->dialogs.messages()[0].startsWith(message.arg(workDir.path())), qPrintable(f->dialogs.messages()[0]));
    QCOMPARE(f->dm().tranmaster.recordCount(), 1);
    QCOMPARE(deviceSummary(), QString("open|receipt|wait"));
    QCOMPARE(f->lineCount(), 0);
    QCOMPARE(f->header("Trxh_grand_total"), 0.0);
}

TILLANO_PROGRAM_TEST_MAIN(TestCheckout)
#include "test_checkout.moc"
