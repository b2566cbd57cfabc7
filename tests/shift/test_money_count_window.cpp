// The blind count window driven with keys, through a whole count.
#include "scripted_dialogs.h"
#include "test_database.h"

#include "shift/money_count.h"
#include "shift/money_count_window.h"
#include "widgets/db_edit.h"
#include "widgets/db_text.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

class TestMoneyCountWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void countTypedWithKeys();
    void upMovesBackAndEscapeCancels();
    void tenderNamesShownEmptyNameBlank();
    void lettersAreRefused();

private:
    bool runCount(const ScriptedDialogs::ModalHandler &script);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TForm11> window_;
    int printed_ = 0;
};

void TestMoneyCountWindow::init()
{
    db_ = std::make_unique<TestDatabase>();
    db_->addCashier(2, QStringLiteral("Luc"));
    db_->setControl(QStringLiteral("Ctrl_pmt1"), QStringLiteral("Cash"));
    db_->setControl(QStringLiteral("Ctrl_pmt2"), QStringLiteral("Cheque"));
    db_->setControl(QStringLiteral("Ctrl_cpn1"), QStringLiteral("Store cpn"));
    dialogs_ = std::make_unique<ScriptedDialogs>();
    window_ = std::make_unique<TForm11>(db_->dm());
    printed_ = 0;
}

void TestMoneyCountWindow::cleanup()
{
    window_.reset();
    dialogs_.reset();
    db_.reset();
}

bool TestMoneyCountWindow::runCount(const ScriptedDialogs::ModalHandler &script)
{
    dialogs_->onModal(QStringLiteral("TForm11"), script);
    MoneyCount count(db_->dm(), *window_, [this] { ++printed_; });
    return count.run(2);
}

void TestMoneyCountWindow::countTypedWithKeys()
{
    const bool accepted = runCount([](QDialog &d) {
        if (QApplication::focusWidget() != static_cast<TForm11 &>(d).Amounts[0])
            return int(QDialog::Rejected);
        // Float, then cash, then Enter through the other categories to Accept.
        for (const char *typed : {"100", "212.5", "", "", "", "", "15", "", "", "40"}) {
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        if (QApplication::focusWidget() != static_cast<TForm11 &>(d).AcceptBtn)
            return int(QDialog::Rejected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return -1;
    });
    QVERIFY(accepted);
    QCOMPARE(printed_, 1);
    Table &m = db_->dm().Moneytb;
    QCOMPARE(m.recordCount(), 1);
    m.first();
    QCOMPARE(m.field("Money_float").asFloat(), 100.0);
    QCOMPARE(m.field("Money_pmt1").asFloat(), 212.5);
    QVERIFY(m.field("Money_pmt2").isNull());
    QCOMPARE(m.field("Money_cpn1").asFloat(), 15.0);
    QCOMPARE(m.field("Money_fc1").asFloat(), 40.0);
}

void TestMoneyCountWindow::upMovesBackAndEscapeCancels()
{
    const bool accepted = runCount([](QDialog &d) {
        auto &w = static_cast<TForm11 &>(d);
        QTest::keyClick(w.Amounts[0], Qt::Key_Down);
        QTest::keyClick(w.Amounts[1], Qt::Key_Down);
        QTest::keyClick(w.Amounts[2], Qt::Key_Up);
        if (QApplication::focusWidget() != w.Amounts[1])
            return int(QDialog::Accepted);
        QTest::keyClick(w.Amounts[0], Qt::Key_Up); // from the first field round to Cancel
        if (QApplication::focusWidget() != w.CancelBtn)
            return int(QDialog::Accepted);
        QTest::keyClicks(w.Amounts[3], QStringLiteral("5"));
        QTest::keyClick(w.Amounts[3], Qt::Key_Escape);
        return -1;
    });
    QVERIFY(!accepted);
    QCOMPARE(printed_, 0);
    QCOMPARE(db_->dm().Moneytb.recordCount(), 0);
}

void TestMoneyCountWindow::tenderNamesShownEmptyNameBlank()
{
    db_->dm().Control.refresh();
    QCOMPARE(window_->TenderNames[0]->text(), QStringLiteral("Cash"));
    QCOMPARE(window_->TenderNames[1]->text(), QStringLiteral("Cheque"));
    QCOMPARE(window_->TenderNames[2]->text(), QString());
    QCOMPARE(window_->TenderNames[5]->text(), QStringLiteral("Store cpn"));
    QCOMPARE(window_->Amounts.size(), 10);
    window_->applyFrenchCaptions();
    QCOMPARE(window_->windowTitle(), QStringLiteral("Décompte aveugle"));
    QCOMPARE(window_->FloatLabel->text(), QStringLiteral("Départ"));
}

void TestMoneyCountWindow::lettersAreRefused()
{
    runCount([](QDialog &d) {
        auto &w = static_cast<TForm11 &>(d);
        QTest::keyClicks(w.Amounts[0], QStringLiteral("1x2"));
        QTest::keyClick(w.Amounts[0], Qt::Key_Return);
        QTest::mouseClick(w.AcceptBtn, Qt::LeftButton);
        return -1;
    });
    QCOMPARE(dialogs_->beeps(), 1);
    Table &m = db_->dm().Moneytb;
    m.first();
    QCOMPARE(m.field("Money_float").asFloat(), 12.0);
}

QTEST_MAIN(TestMoneyCountWindow)
#include "test_money_count_window.moc"
