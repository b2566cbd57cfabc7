// Sign-in, sign-out and the blind money count, with the dialogs scripted.
#include "scripted_dialogs.h"
#include "sign_in_script.h"
#include "test_database.h"

#include "common/clock.h"
#include "posting/totals_reset.h"
#include "sale_engine/sale_modes.h"
#include "sale_engine/transaction_totals.h"
#include "shift/cashier_shift.h"
#include "shift/money_count.h"
#include "shift/money_count_question.h"
#include "shift/password_dialog.h"
#include "shift/re_print.h"
#include "store/sale_record.h"
#include "store/store_error.h"

#include <QLineEdit>
#include <QtTest>

namespace {

class RecordingHost : public ShiftHost {
public:
    void setManagerMenu(bool attached) override { menu = attached; }
    void setTrainingMode(bool shown) override { training = shown; }
    void showCashierName(const QString &) override {}
    void shutDown() override { calls.append(QStringLiteral("shutdown")); }
    QStringList calls;
    bool menu = true;
    bool training = false;
};

// Types a code into the sign-in dialog and presses Enter (OK is the default).
int accept(QDialog &) { return QDialog::Accepted; }
int reject(QDialog &) { return QDialog::Rejected; }

}

class TestCashierShift : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void signInSetsRightsAndTraining_data();
    void signInSetsRightsAndTraining();
    void unknownCodeShowsDialogAgain();
    void closeShutsDown();
    void wrongCodesInARowHoldOffTheNextTry();
    void blankEntryLineIsRemoved();
    void answeringNoStillSignsOut();
    void acceptedCountKeepsRecordPrintsAndZeroes();
    void cancelledCountKeepsNothing();
    void secondCountReplacesFirst();
    void newCashierNamedOnWaitingHeader();
    void failedRePrintLeavesNoOldSale();

private:
    void signInAs(const QString &code);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TPasswordDlg> password_;
    std::unique_ptr<TMoneyCountDlg> question_;
    std::unique_ptr<QDialog> countWindow_;
    std::unique_ptr<MoneyCount> count_;
    std::unique_ptr<CashierShift> shift_;
    RecordingHost host_;
    int reports_ = 0;
};

void TestCashierShift::init()
{
    db_ = std::make_unique<TestDatabase>();
    db_->addCashier(0, QStringLiteral("Zero"));
    db_->addCashier(1, QStringLiteral("Manager"), true);
    db_->addCashier(2, QStringLiteral("Cashier"));
    db_->addCashier(9, QStringLiteral("Trainee"), true, true);
    dialogs_ = std::make_unique<ScriptedDialogs>();
    password_ = std::make_unique<TPasswordDlg>();
    question_ = std::make_unique<TMoneyCountDlg>();
    countWindow_ = std::make_unique<QDialog>();
    reports_ = 0;
    count_ = std::make_unique<MoneyCount>(db_->dm(), *countWindow_, [this] { ++reports_; });
    host_ = RecordingHost();
    shift_ = std::make_unique<CashierShift>(db_->dm(), *password_, *question_, *count_, host_);
}

void TestCashierShift::cleanup()
{
    shift_.reset();
    count_.reset();
    dialogs_.reset();
    db_.reset();
}

void TestCashierShift::signInAs(const QString &code)
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(code));
    shift_->signOutAndIn();
}

void TestCashierShift::signInSetsRightsAndTraining_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("training");
    QTest::newRow("manager") << "1" << 1 << true << false;
    QTest::newRow("cashier") << "2" << 2 << false << false;
    QTest::newRow("training manager") << "9" << 9 << true << true;
    QTest::newRow("letters sign in cashier 0") << "abc" << 0 << false << false;
}

void TestCashierShift::signInSetsRightsAndTraining()
{
    QFETCH(QString, code);
    QFETCH(int, id);
    QFETCH(bool, menu);
    QFETCH(bool, training);
    signInAs(code);
    QVERIFY(shift_->signedIn());
    QCOMPARE(shift_->cashierId(), id);
    QCOMPARE(db_->dm().cashiertb.field("Cashier_id").asInteger(), id); // the table stands on the cashier
    QCOMPARE(host_.menu, menu);
    QCOMPARE(host_.training, training);
    QVERIFY(host_.calls.isEmpty());
    QCOMPARE(password_->Password->text(), code); // the field keeps the accepted code
}

void TestCashierShift::unknownCodeShowsDialogAgain()
{
    dialogs_->onModalOnce(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("77")));
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), [](QDialog &d) {
        // The dialog comes back empty, with no message in between.
        if (!static_cast<TPasswordDlg &>(d).Password->text().isEmpty())
            return int(QDialog::Rejected);
        QTest::keyClicks(static_cast<TPasswordDlg &>(d).Password, QStringLiteral("2"));
        return int(QDialog::Accepted);
    });
    shift_->signOutAndIn();
    QCOMPARE(dialogs_->log, (QStringList{"exec: TPasswordDlg", "exec: TPasswordDlg"}));
    QCOMPARE(shift_->cashierId(), 2);
}

void TestCashierShift::closeShutsDown()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), reject);
    shift_->signOutAndIn();
    QVERIFY(!shift_->signedIn());
    QCOMPARE(host_.calls, QStringList{"shutdown"});
}

// After three wrong codes in a row the dialog keeps each further try
// waiting, twice as long each time up to 30 s; Enter does nothing before
// the wait is over; a right code ends the series.
void TestCashierShift::wrongCodesInARowHoldOffTheNextTry()
{
    QDateTime now(QDate(2026, 3, 5), QTime(12, 0));
    Clock::setFixed(now);
    QStringList codes = QStringList(9, QStringLiteral("77")) << QStringLiteral("2") << QStringLiteral("2");
    QStringList shown;       // the wait the dialog showed at each try
    QList<bool> enterIgnored; // Enter before the wait was over left it open
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), [&](QDialog &d) {
        auto &dlg = static_cast<TPasswordDlg &>(d);
        shown << dlg.WaitLabel->text();
        if (!dlg.OKBtn->isEnabled()) {
            QTest::keyClick(&dlg, Qt::Key_Return);
            enterIgnored << (dlg.isVisible() && dlg.result() == QDialog::Rejected);
            now = now.addSecs(30); // the cashier waits it out
            Clock::setFixed(now);
            if (!QTest::qWaitFor([&] { return dlg.OKBtn->isEnabled(); }))
                return int(QDialog::Rejected);
        }
        QTest::keyClicks(dlg.Password, codes.takeFirst());
        QTest::keyClick(dlg.Password, Qt::Key_Return);
        return -1;
    });
    shift_->signOutAndIn();
    Clock::useSystemClock();

    const QString wait = QStringLiteral("Wrong code. Next try in %1 s.");
    QCOMPARE(shown, (QStringList{"", "", "", wait.arg(1), wait.arg(2), wait.arg(4), wait.arg(8), wait.arg(16),
                                 wait.arg(30), wait.arg(30)}));
    QCOMPARE(enterIgnored, QList<bool>(7, true));
    QCOMPARE(shift_->cashierId(), 2);

    // Signed in: the next sign-in starts a new series.
    shown.clear();
    shift_->signOutAndIn();
    QCOMPARE(shown, QStringList{QString()});
}

void TestCashierShift::blankEntryLineIsRemoved()
{
    signInAs(QStringLiteral("2"));
    Table &lines = db_->dm().tmpdetail;
    lines.append();
    lines.field("Trx_qty").setFloat(1);
    lines.post();
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), reject);
    dialogs_->log.clear();
    shift_->signOutAndIn();
    QCOMPARE(lines.recordCount(), 0);
    QCOMPARE(dialogs_->log, (QStringList{"exec: TMoneyCountDlg", "exec: TPasswordDlg"}));
}

void TestCashierShift::answeringNoStillSignsOut()
{
    signInAs(QStringLiteral("2"));
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), reject);
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), reject); // then close instead of signing in
    shift_->signOutAndIn();
    QVERIFY(!shift_->signedIn());
    QCOMPARE(db_->dm().Moneytb.recordCount(), 0);
    QCOMPARE(reports_, 0);
}

void TestCashierShift::acceptedCountKeepsRecordPrintsAndZeroes()
{
    signInAs(QStringLiteral("2"));
    Table &c = db_->dm().cashiertb;
    QVERIFY(c.findKey(2));
    c.edit();
    c.field("Cashier_mc_sales").setFloat(15);
    c.field("Cashier_mc_pmt1").setFloat(12);
    c.field("Cashier_sales").setFloat(40);
    c.post();

    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), accept);
    dialogs_->onModal(QStringLiteral("QDialog"), [this](QDialog &) {
        Table &m = db_->dm().Moneytb;
        m.field("Money_float").setFloat(100);
        m.field("Money_pmt1").setFloat(112);
        return int(QDialog::Accepted);
    });
    signInAs(QStringLiteral("1"));

    Table &m = db_->dm().Moneytb;
    QCOMPARE(m.recordCount(), 1);
    m.first();
    QCOMPARE(m.field("Money_pmt1").asFloat(), 112.0);
    QVERIFY(m.field("Money_cpn1").isNull()); // never typed: no value, reads as zero
    QCOMPARE(reports_, 1);
    QVERIFY(c.findKey(2));
    for (const QString &f : moneyCountTotalsFields())
        QCOMPARE(c.field(f).value(), QVariant(0.0));
    QCOMPARE(c.field("Cashier_sales").asFloat(), 40.0); // the day totals stay
    QCOMPARE(shift_->cashierId(), 1);
}

void TestCashierShift::cancelledCountKeepsNothing()
{
    signInAs(QStringLiteral("2"));
    Table &c = db_->dm().cashiertb;
    QVERIFY(c.findKey(2));
    c.edit();
    c.field("Cashier_mc_sales").setFloat(15);
    c.post();
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), accept);
    dialogs_->onModal(QStringLiteral("QDialog"), reject);
    signInAs(QStringLiteral("2"));
    QCOMPARE(db_->dm().Moneytb.recordCount(), 0);
    QCOMPARE(reports_, 0);
    QVERIFY(c.findKey(2));
    QCOMPARE(c.field("Cashier_mc_sales").asFloat(), 15.0);
}

void TestCashierShift::secondCountReplacesFirst()
{
    signInAs(QStringLiteral("2"));
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), accept);
    double counted = 10;
    dialogs_->onModal(QStringLiteral("QDialog"), [&](QDialog &) {
        db_->dm().Moneytb.field("Money_float").setFloat(counted);
        counted += 10;
        return int(QDialog::Accepted);
    });
    signInAs(QStringLiteral("2"));
    signInAs(QStringLiteral("2"));
    Table &m = db_->dm().Moneytb;
    QCOMPARE(m.recordCount(), 1);
    m.first();
    QCOMPARE(m.field("Money_float").asFloat(), 20.0);
    QCOMPARE(reports_, 2);
}

void TestCashierShift::newCashierNamedOnWaitingHeader()
{
    signInAs(QStringLiteral("2"));
    SaleModes modes;
    ZeroMaster(db_->dm(), modes, shift_->cashierId());
    QCOMPARE(db_->dm().tmpmaster.field("Trxh_cashier").asInteger(), 2);
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), reject);
    signInAs(QStringLiteral("1"));
    QCOMPARE(db_->dm().tmpmaster.field("Trxh_cashier").asInteger(), 1);
    QCOMPARE(db_->dm().tmpmaster.recordCount(), 1);
}

void TestCashierShift::failedRePrintLeavesNoOldSale()
{
    signInAs(QStringLiteral("2"));
    TDataModule2 &dm = db_->dm();
    dm.tranmaster.append();
    dm.tranmaster.field("Trxh_id").setFloat(1000);
    dm.tranmaster.post();
    for (const double upc : {101.0, 202.0}) {
        dm.trandetail.append();
        dm.trandetail.field("Trx_id").setFloat(1000);
        dm.trandetail.field("Trx_upc").setFloat(upc);
        dm.trandetail.post();
    }
    QList<double> printed;
    bool freshStart = false;
    RePrint rePrint({dm, *shift_, nullptr, [](const SaleRecord &) {},
                     [&](const SaleRecord &sale) {
                         for (const Record &line : sale.lines)
                             printed << line.asFloat("Trx_upc");
                         throw StoreError(QStringLiteral("disk I/O error"));
                     },
                     [&] { freshStart = true; }});
    QVERIFY_THROWS_EXCEPTION(StoreError, rePrint.BitBtn6Click());
    QCOMPARE(printed, (QList<double>{101, 202}));
    QVERIFY(freshStart); // the work lines are given back empty, not left holding the old sale
}

QTEST_MAIN(TestCashierShift)
#include "test_cashier_shift.moc"
