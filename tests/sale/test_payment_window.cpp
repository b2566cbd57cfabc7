// The payment window driven by keys and clicks: quick tenders, the
// balance, closing by itself once paid, the OK rule, refunds, navigation.
#include "scripted_dialogs.h"
#include "test_database.h"

#include "common/formats.h"
#include "common/language.h"
#include "sale/payment_window.h"
#include "sale_engine/sale_modes.h"
#include "store/sale_record.h"
#include "sale_engine/transaction_totals.h"
#include "widgets/db_edit.h"
#include "widgets/db_text.h"

#include <QPushButton>
#include <QtTest>

namespace {

const char *const TenderFields[] = {"Trxh_pmt1", "Trxh_pmt2", "Trxh_pmt3", "Trxh_pmt4", "Trxh_pmt5",
                                    "Trxh_fc1",  "Trxh_cpn1", "Trxh_cpn2", "Trxh_cpn3"};

// A modal handler from checks that may stop early (QCOMPARE returns).
ScriptedDialogs::ModalHandler driven(std::function<void()> body)
{
    return [body](QDialog &) {
        body();
        return -1;
    };
}

const QHash<QString, Qt::Key> Keys{{"F2", Qt::Key_F2},       {"F3", Qt::Key_F3},     {"F4", Qt::Key_F4},
                                   {"F5", Qt::Key_F5},       {"Escape", Qt::Key_Escape}, {"Enter", Qt::Key_Return},
                                   {"Down", Qt::Key_Down},   {"Up", Qt::Key_Up},     {"Tab", Qt::Key_Tab}};

}

class TestPaymentWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tenders_data();
    void tenders();
    void notCompletelyPaid_data();
    void notCompletelyPaid();
    void tendersWithinTheLimit_data();
    void tendersWithinTheLimit();
    void navigation_data();
    void navigation();
    void rowsShownByName();
    void focusWhenTheFirstModeHasNoName();

private:
    void openWithGrandTotal(double grandTotal);
    // Runs the steps in the open window: a key name ("F2", "Enter"...),
    // "type:5" (in the focused field), "Trxh_cpn1=3" (click the field and type
    // over it), "click:Ok", "click:Cancel",
    // or "expect:$2.34" (the window is still open and shows that amount).
    void runSteps(const QStringList &steps);
    int exec(const QStringList &steps);
    // The tenders the work header holds, "pmt1=20 cpn1=3", zero ones left out.
    QString storedTenders();
    QString focusedName() const;

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TForm8> window;
};

void TestPaymentWindow::init()
{
    setLanguageSetting(QStringLiteral("0"));
    db = std::make_unique<TestDatabase>();
    dialogs = std::make_unique<ScriptedDialogs>();
    db->setControl("Ctrl_pmt1", "Cash");
    db->setControl("Ctrl_pmt2", "Card");
    db->setControl("Ctrl_cpn1", "Coupon");
    db->setControl("Ctrl_pmt1_type", true);
    window = std::make_unique<TForm8>(db->dm());
}

void TestPaymentWindow::cleanup()
{
    window.reset();
    dialogs.reset();
    db.reset();
}

void TestPaymentWindow::openWithGrandTotal(double grandTotal)
{
    SaleModes modes;
    ZeroMaster(db->dm(), modes, 0);
    Table &header = db->dm().tmpmaster;
    header.edit();
    header.field("Trxh_grand_total").setFloat(grandTotal);
    header.post();
    // What checkout does before it opens the window.
    window->setAmountText(currencyText(grandTotal));
    window->showNamedRowsOnly();
}

void TestPaymentWindow::runSteps(const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step.startsWith("expect:")) {
            QVERIFY2(window->isVisible(), qPrintable("closed before " + step));
            QCOMPARE(window->amountText(), step.mid(7));
        } else if (step == "click:Ok") {
            QTest::mouseClick(window->OkButton, Qt::LeftButton);
        } else if (step == "click:Cancel") {
            QTest::mouseClick(window->CancelButton, Qt::LeftButton);
        } else if (step.startsWith("type:")) {
            QTest::keyClicks(window->focusWidget(), step.mid(5));
        } else if (step.contains('=')) {
            auto *field = window->findChild<DBEdit *>(step.section('=', 0, 0));
            QVERIFY(field);
            QTest::mouseClick(field, Qt::LeftButton);
            QCoreApplication::processEvents();
            QTest::keyClicks(field, step.section('=', 1));
        } else {
            QVERIFY2(Keys.contains(step), qPrintable(step));
            QWidget *target = window->focusWidget() ? window->focusWidget() : window.get();
            QTest::keyClick(target, Keys.value(step));
        }
    }
}

int TestPaymentWindow::exec(const QStringList &steps)
{
    dialogs->onModalOnce("TForm8", driven([&] { runSteps(steps); }));
    return ::dialogs().exec(*window);
}

QString TestPaymentWindow::storedTenders()
{
    QStringList stored;
    Table &header = db->dm().tmpmaster;
    for (const char *name : TenderFields)
        if (const double value = header.field(name).asFloat(); value != 0)
            stored.append(QString(name).mid(5) + '=' + generalNumberText(value));
    return stored.join(' ');
}

QString TestPaymentWindow::focusedName() const
{
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

void TestPaymentWindow::tenders_data()
{
    QTest::addColumn<double>("grandTotal");
    QTest::addColumn<double>("foreignRate");
    QTest::addColumn<QString>("cashModes");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("paid");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("change");

    QTest::newRow("F2 on 12.34 closes at once")
        << 12.34 << 0.0 << "1" << QStringList{"F2"} << true << "($7.66)" << "pmt1=20" << "($7.66)";
    QTest::newRow("F4 twice, then F5 pays the rest")
        << 12.34 << 0.0 << "1" << QStringList{"F4", "F4", "expect:$2.34", "F5"} << true << "$0.00" << "pmt1=12.34"
        << "$0.00";
    QTest::newRow("coupon 3 and card 7: no change")
        << 10.0 << 0.0 << "1" << QStringList{"Trxh_cpn1=3", "Trxh_pmt2=7", "Enter"} << true << "$0.00"
        << "pmt2=7 cpn1=3" << "$0.00";
    QTest::newRow("coupon 3 and cash 10: the coupon comes back")
        << 10.0 << 0.0 << "1" << QStringList{"Trxh_cpn1=3", "Trxh_pmt1=10", "Enter"} << true << "($3.00)"
        << "pmt1=10 cpn1=3" << "($3.00)";
    QTest::newRow("8 foreign at 1.35 is 10.80")
        << 10.0 << 1.35 << "1" << QStringList{"Trxh_fc1=8", "Enter"} << true << "($0.80)" << "fc1=8" << "($0.80)";
    QTest::newRow("refund paid out with F5 is stored negative")
        << -5.0 << 0.0 << "1" << QStringList{"expect:($5.00)", "F5"} << true << "$0.00" << "pmt1=-5" << "$0.00";
    QTest::newRow("refund label turns to the balance once a field is left")
        << -5.0 << 0.0 << "1" << QStringList{"expect:($5.00)", "Enter", "expect:$5.00", "Escape"} << false
        << "$5.00" << "" << "$0.00";
    QTest::newRow("refund typed, then Ok clicked: negated once only")
        << -5.0 << 0.0 << "1" << QStringList{"type:5", "click:Ok"} << true << "$0.00" << "pmt1=-5" << "$0.00";
    QTest::newRow("F2 fills both cash modes")
        << 12.34 << 0.0 << "12" << QStringList{"F2"} << true << "($27.66)" << "pmt1=20 pmt2=20" << "($27.66)";
    QTest::newRow("F2 on a total of zero does nothing")
        << 0.0 << 0.0 << "1" << QStringList{"F2", "expect:$0.00", "Escape"} << false << "$0.00" << "" << "$0.00";
    QTest::newRow("F3 on a refund does nothing")
        << -5.0 << 0.0 << "1" << QStringList{"F3", "expect:($5.00)", "Escape"} << false << "($5.00)" << ""
        << "$0.00";
    QTest::newRow("F3 without a cash mode only shows the balance")
        << 7.0 << 0.0 << "" << QStringList{"Trxh_cpn1=3", "F3", "expect:$4.00", "Escape"} << false << "$4.00"
        << "cpn1=3" << "$0.00";
    QTest::newRow("a coupon typed counts before F5")
        << 10.0 << 0.0 << "1" << QStringList{"Trxh_cpn1=3", "F5"} << true << "$0.00" << "pmt1=7 cpn1=3" << "$0.00";
    QTest::newRow("Escape keeps the amount typed")
        << 10.0 << 0.0 << "1" << QStringList{"Trxh_pmt2=4", "Escape"} << false << "$10.00" << "pmt2=4" << "$0.00";
    QTest::newRow("Cancel clicked keeps it too, without closing as paid")
        << 10.0 << 0.0 << "1" << QStringList{"type:12", "click:Cancel"} << false << "$10.00" << "pmt1=12"
        << "($2.00)";
}

void TestPaymentWindow::tenders()
{
    QFETCH(double, grandTotal);
    QFETCH(double, foreignRate);
    QFETCH(QString, cashModes);
    QFETCH(QStringList, steps);
    QFETCH(bool, paid);
    QFETCH(QString, label);
    QFETCH(QString, stored);
    QFETCH(QString, change);

    db->setControl("Ctrl_fc_rate", foreignRate);
    for (int mode = 1; mode <= 5; ++mode)
        db->setControl(QStringLiteral("Ctrl_pmt%1_type").arg(mode), cashModes.contains(QString::number(mode)));
    openWithGrandTotal(grandTotal);

    QCOMPARE(exec(steps) == QDialog::Accepted, paid);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->amountText(), label);
    QCOMPARE(storedTenders(), stored);
    QVERIFY(!db->dm().tmpmaster.editing());
    QCOMPARE(currencyText(double(saleFiguresOf(currentRecord(db->dm().tmpmaster), currentRecord(db->dm().Control)).changeShown())), change);
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPaymentWindow::notCompletelyPaid_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("message");

    QTest::newRow("Ok clicked, English") << "0" << QStringList{"Trxh_pmt2=4", "click:Ok"} << "Not completely paid";
    QTest::newRow("Enter on Ok, French")
        << "1" << QStringList{"Trxh_cpn1=4", "Down", "Enter"} << QString::fromUtf8("Pas complètement payé");
}

void TestPaymentWindow::notCompletelyPaid()
{
    QFETCH(QString, language);
    QFETCH(QStringList, steps);
    QFETCH(QString, message);

    setLanguageSetting(language);
    openWithGrandTotal(10.0);
    dialogs->onModalOnce("TForm8", driven([&] {
        runSteps(steps);
        QVERIFY(window->isVisible());
        QCOMPARE(focusedName(), QString("Trxh_pmt1"));
        QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
    }));
    QCOMPARE(::dialogs().exec(*window), int(QDialog::Rejected));
    QCOMPARE(dialogs->messages(), QStringList{message});
    QCOMPARE(window->amountText(), QString("$6.00"));
}

void TestPaymentWindow::tendersWithinTheLimit_data()
{
    QTest::addColumn<double>("grandTotal");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");

    QTest::newRow("typed beyond the limit")
        << 10.0 << QStringList{"type:100000000", "Enter"}
        << "'100000000' is not between -99,999,999.99 and 99,999,999.99" << "";
    QTest::newRow("a quick tender past the limit")
        << 99'999'995.0 << QStringList{"type:99999990", "F2"} << "A tender cannot pass $99,999,999.99."
        << "pmt1=99999990";
}

void TestPaymentWindow::tendersWithinTheLimit()
{
    QFETCH(double, grandTotal);
    QFETCH(QStringList, steps);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    openWithGrandTotal(grandTotal);
    QCOMPARE(exec(steps + QStringList{"Escape"}), int(QDialog::Rejected));
    QCOMPARE(dialogs->messages(), QStringList{message});
    QCOMPARE(storedTenders(), stored);
}

void TestPaymentWindow::navigation_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("to");

    // Shown: Cash, Card, the foreign currency, Coupon; then Ok.
    QTest::newRow("Down") << "Trxh_pmt1" << "Down" << "Trxh_pmt2";
    QTest::newRow("Enter skips hidden rows") << "Trxh_pmt2" << "Enter" << "Trxh_fc1";
    QTest::newRow("Up") << "Trxh_fc1" << "Up" << "Trxh_pmt2";
    QTest::newRow("Enter from the last field") << "Trxh_cpn1" << "Enter" << "OkButton";
    QTest::newRow("Down from Ok wraps") << "OkButton" << "Down" << "Trxh_pmt1";
    QTest::newRow("Up from the first field") << "Trxh_pmt1" << "Up" << "OkButton";
    QTest::newRow("Tab") << "Trxh_pmt2" << "Tab" << "Trxh_fc1";
}

void TestPaymentWindow::navigation()
{
    QFETCH(QString, from);
    QFETCH(QString, key);
    QFETCH(QString, to);

    openWithGrandTotal(100.0);
    dialogs->onModalOnce("TForm8", driven([&] {
        QCOMPARE(focusedName(), QString("Trxh_pmt1"));
        window->findChild<QWidget *>(from)->setFocus();
        runSteps({key});
        QCOMPARE(focusedName(), to);
        QVERIFY(window->isVisible());
        window->reject();
    }));
    ::dialogs().exec(*window);
    QVERIFY(dialogs->messages().isEmpty());
}

void TestPaymentWindow::rowsShownByName()
{
    db->setControl("Ctrl_pmt4", "Cheque");
    db->setControl("Ctrl_cpn3", "Voucher");
    openWithGrandTotal(1.0);
    const QList<bool> paymentsShown{true, true, false, true, false};
    for (int n = 0; n < 5; ++n) {
        QCOMPARE(!window->PaymentFields[n]->isHidden(), paymentsShown[n]);
        QCOMPARE(!window->PaymentNames[n]->isHidden(), paymentsShown[n]);
    }
    QCOMPARE(window->PaymentNames[3]->text(), QString("Cheque"));
    const QList<bool> couponsShown{true, false, true};
    for (int n = 0; n < 3; ++n) {
        QCOMPARE(!window->CouponFields[n]->isHidden(), couponsShown[n]);
        QCOMPARE(!window->CouponNames[n]->isHidden(), couponsShown[n]);
    }
    QVERIFY(!window->ForeignCurrencyField->isHidden());
}

void TestPaymentWindow::focusWhenTheFirstModeHasNoName()
{
    db->setControl("Ctrl_pmt1", "");
    openWithGrandTotal(10.0);
    dialogs->onModalOnce("TForm8", driven([&] {
        QCOMPARE(focusedName(), QString("Trxh_pmt2"));
        runSteps({"click:Ok"});
        QCOMPARE(focusedName(), QString("Trxh_pmt2"));
        window->reject();
    }));
    ::dialogs().exec(*window);
    QCOMPARE(dialogs->messages(), QStringList{"Not completely paid"});
}

QTEST_MAIN(TestPaymentWindow)
#include "test_payment_window.moc"
