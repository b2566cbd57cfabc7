// Ringing lines in the sale window: finding the product and its price,
// the promotion dates, pricing in extended precision, the sign rule, the
// customer display, the finished-line rule and refused input.
#include "failing_writes.h"
#include "program_test_main.h"
#include "sale_window_fixture.h"

#include "common/clock.h"
#include "common/language.h"
#include "sale_engine/line_entry.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"
#include "widgets/db_text.h"

#include <QGroupBox>
#include <QtTest>

class TestLineEntry : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void promotionRule_data();
    void promotionRule();
    void priceOfAFoundCode_data();
    void priceOfAFoundCode();
    void pricing_data();
    void pricing();
    void signRule_data();
    void signRule();
    void customerDisplay_data();
    void customerDisplay();
    void noDisplayWithoutItsName();
    void totalsFollowEachPricedLine();
    void unknownCode_data();
    void unknownCode();
    void unfinishedLineIsReused();
    void zeroPriceProductIsFinished();
    void typingAfterAnEmptiedTableStartsALine();
    void changeBoxHiddenWhenACodeIsProcessed();
    void numberFieldsRefuseOtherCharacters();
    void invalidNumberKeepsTheFocus();
    void unitPriceShowsCurrencyOnlyWithoutFocus();
    void entryFieldLimits_data();
    void entryFieldLimits();
    void quantityAskedAboutBeforeTheTotal();
    void amountLimits_data();
    void amountLimits();
    void failedPricingLeavesTheLineUnpriced();
    void fullDiskAfterAPricedLineSaysItIsKept();

private:
    std::unique_ptr<SaleWindowFixture> f;
};

void TestLineEntry::init()
{
    f = std::make_unique<SaleWindowFixture>();
}

void TestLineEntry::cleanup()
{
    f.reset();
    setLanguageSetting(QStringLiteral("0"));
}

void TestLineEntry::promotionRule_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("applies");
    const QDate first(2026, 3, 1), tenth(2026, 3, 10);
    QTest::newRow("end day 09:00") << first << tenth << QDateTime(tenth, QTime(9, 0)) << false;
    QTest::newRow("end day first moment") << first << tenth << QDateTime(tenth, QTime(0, 0)) << true;
    QTest::newRow("end day one second in") << first << tenth << QDateTime(tenth, QTime(0, 0, 1)) << false;
    QTest::newRow("day before end 23:59") << first << tenth << QDateTime(QDate(2026, 3, 9), QTime(23, 59)) << true;
    QTest::newRow("start day 00:00:01") << first << tenth << QDateTime(first, QTime(0, 0, 1)) << true;
    QTest::newRow("start day first moment") << first << tenth << QDateTime(first, QTime(0, 0)) << true;
    QTest::newRow("day before start") << first << tenth << QDateTime(QDate(2026, 2, 28), QTime(23, 59, 59)) << false;
    QTest::newRow("no dates") << QDate() << QDate() << QDateTime(first, QTime(12, 0)) << false;
    QTest::newRow("start only") << first << QDate() << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << false;
    QTest::newRow("end only, before it") << QDate() << tenth << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << true;
    QTest::newRow("end before start") << tenth << first << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << false;
}

void TestLineEntry::promotionRule()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QDateTime, now);
    QFETCH(bool, applies);
    QCOMPARE(promotionApplies(start, end, now), applies);
}

void TestLineEntry::priceOfAFoundCode_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("receiving");
    QTest::addColumn<double>("price");

    QTest::newRow("10 March 09:00: regular") << QDateTime(QDate(2026, 3, 10), QTime(9, 0)) << "1003" << false << 9.99;
    QTest::newRow("9 March 23:59: promotional") << QDateTime(QDate(2026, 3, 9), QTime(23, 59)) << "1003" << false << 7.99;
    QTest::newRow("1 March 00:00:01: promotional") << QDateTime(QDate(2026, 3, 1), QTime(0, 0, 1)) << "1003" << false << 7.99;
    QTest::newRow("receiving, on promotion: average cost") << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << "1003" << true << 6.50;
    QTest::newRow("receiving: average cost") << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << "1005" << true << 2.40;
    QTest::newRow("leading zeros are the same code") << QDateTime(QDate(2026, 3, 5), QTime(12, 0)) << "001002" << false << 2.00;
}

void TestLineEntry::priceOfAFoundCode()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, code);
    QFETCH(bool, receiving);
    QFETCH(double, price);
    Clock::setFixed(now);
    if (receiving)
        f->press(Qt::Key_F8);
    QCOMPARE(f->form().modes.receiving, receiving);
    f->type(code);
    f->press(Qt::Key_Return);
    Table &line = f->dm().tmpdetail;
    QCOMPARE(line.field("Trx_price").asFloat(), price);
    QCOMPARE(line.field("Trx_upc").asFloat(), code.toDouble());
    QCOMPARE(line.field("Trx_qty").asFloat(), 1.0);
    QCOMPARE(line.field("Trx_total").asFloat(), 0.0);
    QCOMPARE(f->form().DBEdit1->text(), QString::number(code.toDouble())); // the code as the line holds it
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
}

void TestLineEntry::pricing_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("discount");
    QTest::addColumn<QString>("price");
    QTest::addColumn<double>("discountAmount");
    QTest::addColumn<double>("total");
    QTest::addColumn<QStringList>("gridRow"); // UPC, description, qty, price, $Dsc, total

    QTest::newRow("3 x 1.99 less 15%") << "3" << "15" << "1.99" << 0.8955 << 5.0745
                                       << QStringList{"1002", "Chips", "3", "$1.99", "$0.90", "$5.07"};
    QTest::newRow("as found") << "" << "" << "" << 0.0 << 2.0
                              << QStringList{"1002", "Chips", "1", "$2.00", "$0.00", "$2.00"};
    QTest::newRow("100% discount gives zero") << "2" << "100" << "" << 4.0 << 0.0
                                              << QStringList{"1002", "Chips", "2", "$2.00", "$4.00", "$0.00"};
    QTest::newRow("fractional quantity") << "0.5" << "" << "3.33" << 0.0 << 1.665
                                         << QStringList{"1002", "Chips", "0.5", "$3.33", "$0.00", "$1.66"};
    QTest::newRow("exponent typed") << "1e1" << "" << "" << 0.0 << 20.0
                                    << QStringList{"1002", "Chips", "10", "$2.00", "$0.00", "$20.00"};
}

void TestLineEntry::pricing()
{
    QFETCH(QString, quantity);
    QFETCH(QString, discount);
    QFETCH(QString, price);
    QFETCH(double, discountAmount);
    QFETCH(double, total);
    QFETCH(QStringList, gridRow);
    f->ring(QStringLiteral("1002"), quantity, discount, price);

    QCOMPARE(f->lineCount(), total == 0 ? 1 : 2);
    const double storedDiscount = f->lineValues("Trx_dscamt").first();
    const double storedTotal = f->lineValues("Trx_total").first();
    QVERIFY2(qAbs(storedDiscount - discountAmount) < 1e-12, qPrintable(QString::number(storedDiscount, 'g', 17)));
    QVERIFY2(qAbs(storedTotal - total) < 1e-12, qPrintable(QString::number(storedTotal, 'g', 17)));

    f->settle();
    QAbstractItemModel *grid = f->form().DBGrid1->model();
    QStringList shown;
    for (int column = 0; column < grid->columnCount(); ++column)
        shown << grid->index(0, column).data().toString();
    QCOMPARE(shown, gridRow);
}

void TestLineEntry::signRule_data()
{
    QTest::addColumn<int>("modeKey"); // F5 void item, F4 return, 0 none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("leaveWith");
    QTest::addColumn<double>("quantity");

    QTest::newRow("void item: found as -1") << int(Qt::Key_F5) << "" << int(Qt::Key_Return) << -1.0;
    QTest::newRow("void item: 3 becomes -3 with Enter") << int(Qt::Key_F5) << "3" << int(Qt::Key_Return) << -3.0;
    QTest::newRow("void item: 2 becomes -2 with Tab") << int(Qt::Key_F5) << "2" << int(Qt::Key_Tab) << -2.0;
    QTest::newRow("void item: 2 becomes -2 with Up") << int(Qt::Key_F5) << "2" << int(Qt::Key_Up) << -2.0;
    QTest::newRow("void item: -2 stays") << int(Qt::Key_F5) << "-2" << int(Qt::Key_Return) << -2.0;
    QTest::newRow("return: 4 becomes -4") << int(Qt::Key_F4) << "4" << int(Qt::Key_Return) << -4.0;
    QTest::newRow("sale: 4 stays") << 0 << "4" << int(Qt::Key_Return) << 4.0;
    QTest::newRow("sale: -4 stays") << 0 << "-4" << int(Qt::Key_Return) << -4.0;
}

void TestLineEntry::signRule()
{
    QFETCH(int, modeKey);
    QFETCH(QString, typed);
    QFETCH(int, leaveWith);
    QFETCH(double, quantity);
    if (modeKey)
        f->press(Qt::Key(modeKey));
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->form().DBEdit3->text(), modeKey ? QStringLiteral("-1") : QStringLiteral("1"));
    f->type(typed);
    f->press(Qt::Key(leaveWith));
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), quantity);
}

void TestLineEntry::customerDisplay_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("text");
    QTest::newRow("seven characters: twenty in all") << "Popcorn" << "" << 20 << "Popcorn        $1.25";
    QTest::newRow("twelve characters cut to twenty") << "Paper towels" << "10" << 20 << "Paper tow     $12.50";
    QTest::newRow("a wider display shows them all") << "Paper towels" << "10" << 26 << "Paper towels     $12.50";
    QTest::newRow("negative") << "Cola" << "-1" << 20 << "Cola         ($1.25)";
    QTest::newRow("the amount is never cut") << "Paper towels" << "99999" << 20 << "Paper to $124,998.75";
    QTest::newRow("narrower than the amount") << "Popcorn" << "10" << 8 << "  $12.50";
}

void TestLineEntry::customerDisplay()
{
    QFETCH(QString, description);
    QFETCH(QString, quantity);
    QFETCH(int, columns);
    QFETCH(QString, text);
    f->db.addProduct(2001, description, 1.25);
    f->dialogs.onQuestion([](const QString &) { return true; }); // a quantity of 99999 is meant
    f->names.displayColumns = columns;
    f->ring(QStringLiteral("2001"), quantity);
    QCOMPARE(f->devices.displayed, QStringList{text});
}

void TestLineEntry::noDisplayWithoutItsName()
{
    f->ring(QStringLiteral("1001"), QStringLiteral("2"));
    QCOMPARE(f->devices.displayed, QStringList{"Cola           $3.98"});
    f->names.display.clear();
    f->ring(QStringLiteral("1002"));
    QCOMPARE(f->devices.displayed.size(), 1);
}

void TestLineEntry::totalsFollowEachPricedLine()
{
    // Cola 1.99 bears tax 1 at 5%: 0.0995 gives 0.10.
    f->ring(QStringLiteral("1001"));
    QCOMPARE(f->header("Trxh_total"), 1.99);
    QCOMPARE(f->header("Trxh_tx1"), 0.10);
    QCOMPARE(f->header("Trxh_grand_total"), 2.09);
    f->ring(QStringLiteral("1002"), QStringLiteral("3"), QStringLiteral("15"), QStringLiteral("1.99"));
    QVERIFY(qAbs(f->header("Trxh_total") - 7.0645) < 1e-12);
    QCOMPARE(f->header("Trxh_tx1"), 0.10);
    QCOMPARE(f->form().SubTotal->text(), QStringLiteral("$7.06"));
    QCOMPARE(f->form().TransactionTotal->text(), QStringLiteral("$7.16"));
    QCOMPARE(f->form().TaxNames[0]->text(), QStringLiteral("GST"));
    QCOMPARE(f->lineCount(), 3);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
}

void TestLineEntry::unknownCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown") << "999" << "0" << "Item does not exist";
    QTest::newRow("empty is code 0") << "" << "0" << "Item does not exist";
    QTest::newRow("not a number is code 0") << "1-2" << "0" << "Item does not exist";
    QTest::newRow("French") << "999" << "2" << "Item n'existe pas";
}

void TestLineEntry::unknownCode()
{
    QFETCH(QString, typed);
    QFETCH(QString, language);
    QFETCH(QString, message);
    setLanguageSetting(language);
    f->type(typed);
    f->press(Qt::Key_Return);
    QCOMPARE(f->dialogs.messages(), QStringList{message});
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QCOMPARE(f->form().DBEdit1->text(), typed); // the line keeps the code typed
    QCOMPARE(f->dm().tmpdetail.field("Trx_short_desc").asString(), QString());
    QCOMPARE(f->lineCount(), 1);
}

void TestLineEntry::unfinishedLineIsReused()
{
    // A price typed as 0 leaves the line unfinished: the next code typed
    // overwrites it instead of adding a line.
    f->ring(QStringLiteral("1002"), {}, {}, QStringLiteral("0"));
    QCOMPARE(f->lineCount(), 1);
    f->ring(QStringLiteral("1001"));
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1001, 0}));
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{1.99, 0}));
}

void TestLineEntry::zeroPriceProductIsFinished()
{
    f->ring(QStringLiteral("1004"));
    QCOMPARE(f->lineCount(), 2);
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1004, 0}));
    QVERIFY(f->form().transactionInProgress());
}

void TestLineEntry::typingAfterAnEmptiedTableStartsALine()
{
    f->press(Qt::Key_F3); // cancel from the UPC field: no work line at all
    QCOMPARE(f->lineCount(), 0);
    f->type(QStringLiteral("1002"));
    QCOMPARE(f->dm().tmpdetail.state(), TableState::Insert);
    QVERIFY(f->dm().tmpdetail.field("Trx_qty").isNull()); // none of the entry-line values
    f->press(Qt::Key_Return);
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), 1.0);
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{2.0, 0}));
}

void TestLineEntry::changeBoxHiddenWhenACodeIsProcessed()
{
    TForm1 &w = f->form();
    w.ShowChange(QStringLiteral("($7.66)"));
    QVERIFY(w.ChangeBox->isVisible());
    f->type(QStringLiteral("999"));
    f->press(Qt::Key_Return);
    QVERIFY(!w.ChangeBox->isVisible());
    w.ShowChange(QStringLiteral("$0.00"));
    f->press(Qt::Key_Backspace);
    f->press(Qt::Key_Backspace);
    f->press(Qt::Key_Backspace);
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    QVERIFY(!w.ChangeBox->isVisible());
}

void TestLineEntry::numberFieldsRefuseOtherCharacters()
{
    f->type(QStringLiteral("10a02"));
    QCOMPARE(f->form().DBEdit1->text(), QStringLiteral("1002"));
    QCOMPARE(f->dialogs.beeps(), 1);
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("2x,"));
    QCOMPARE(f->form().DBEdit3->text(), QStringLiteral("2"));
    QCOMPARE(f->dialogs.beeps(), 3);
    f->type(QStringLiteral("+.5E"));
    QCOMPARE(f->form().DBEdit3->text(), QStringLiteral("2+.5E"));
    QCOMPARE(f->dialogs.beeps(), 3);
}

void TestLineEntry::invalidNumberKeepsTheFocus()
{
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("1-2"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->dialogs.messages(), QStringList{"'1-2' is not a valid number"});
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), 1.0);
    f->type(QStringLiteral("2"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit4"));
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), 2.0);

    // The unit price is checked before the line is priced.
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("E"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->dialogs.messages().size(), 2);
    QCOMPARE(f->lineValues("Trx_total"), QList<double>{0});
    f->type(QStringLiteral("1.5"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{3.0, 0}));
}

void TestLineEntry::unitPriceShowsCurrencyOnlyWithoutFocus()
{
    DBEdit *price = f->form().DBEdit5;
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    QCOMPARE(price->text(), QStringLiteral("$2.00"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit5"));
    QCOMPARE(price->text(), QStringLiteral("2.00"));
    QCOMPARE(price->selectedText(), QStringLiteral("2.00")); // typing replaces it
    f->type(QStringLiteral("1234.5"));
    f->press(Qt::Key_Up);
    QCOMPARE(price->text(), QStringLiteral("$1,234.50"));
}

void TestLineEntry::entryFieldLimits_data()
{
    QTest::addColumn<int>("field"); // 3 quantity, 4 discount, 5 unit price
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer"); // to "Quantity ...?"; empty: not asked
    QTest::addColumn<QString>("refusal");

    QTest::newRow("999 asks nothing") << 3 << "999" << "" << "";
    QTest::newRow("a code scanned into the quantity, Enter on the question") << 3 << "1002" << "No" << "";
    QTest::newRow("taken back, answered No") << 3 << "-1000" << "No" << "";
    QTest::newRow("largest quantity") << 3 << "99999" << "Yes" << "";
    QTest::newRow("largest quantity taken back") << 3 << "-99999" << "Yes" << "";
    QTest::newRow("quantity too large") << 3 << "100000" << "" << "'100000' is not between -99,999 and 99,999";
    QTest::newRow("a barcode scanned into the quantity")
        << 3 << "99999999999" << "" << "'99999999999' is not between -99,999 and 99,999";
    QTest::newRow("whole discount") << 4 << "100" << "" << "";
    QTest::newRow("negative discount") << 4 << "-10" << "" << "'-10' is not between 0 and 100";
    QTest::newRow("discount over 100") << 4 << "100.5" << "" << "'100.5' is not between 0 and 100";
    QTest::newRow("largest unit price") << 5 << "999999.99" << "" << "";
    QTest::newRow("unit price too large")
        << 5 << "1000000" << "" << "'1000000' is not between -999,999.99 and 999,999.99";
}

void TestLineEntry::entryFieldLimits()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(QString, refusal);
    f->dialogs.answerQuestions({answer == QLatin1String("Yes")});
    f->type(QStringLiteral("1002"));
    for (int n = 2; n < field; ++n)
        f->press(Qt::Key_Return);
    const QString fieldName = QStringLiteral("DBEdit%1").arg(field);
    QCOMPARE(f->focusedName(), fieldName);
    f->type(typed);
    f->press(Qt::Key_Return);

    const QString asked = "Quantity " + typed + "? (Enter: No)";
    QCOMPARE(f->dialogs.questions(), answer.isEmpty() ? QStringList() : QStringList{asked});
    QCOMPARE(f->dialogs.messages(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    const bool taken = refusal.isEmpty() && answer != QLatin1String("No");
    QCOMPARE(f->focusedName() == fieldName, !taken); // kept for correction
    const char *bound[] = {"Trx_qty", "Trx_dsc_per", "Trx_price"};
    // Enter in the unit price prices the line and starts the next one.
    const char *name = bound[field - 3];
    const double held = field == 5 ? f->lineValues(name).first() : f->dm().tmpdetail.field(name).asFloat();
    QCOMPARE(held == typed.toDouble(), taken);
    if (answer == QLatin1String("No")) // the quantity the line had, to type again
        QCOMPARE(f->form().DBEdit3->text(), QStringLiteral("1"));
}

// Total <F2> straight from the quantity field takes the quantity as if
// the field were left: a bag at $0.00 is not checked out 5000 times.
void TestLineEntry::quantityAskedAboutBeforeTheTotal()
{
    f->ring(QStringLiteral("1001"));
    f->type(QStringLiteral("1004"));
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("5000"));
    f->press(Qt::Key_F2);
    QCOMPARE(f->dialogs.log, QStringList{"question: Quantity 5000? (Enter: No)"}); // no payment window
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{1, 1}));
}

void TestLineEntry::amountLimits_data()
{
    QTest::addColumn<QStringList>("quantities"); // of product 1002, each rung at the price typed
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<double>("subtotal");

    QTest::newRow("a line beyond the limit")
        << QStringList{"99999"} << "999999.99" << "A line total cannot pass $99,999,999.99; the line is not priced."
        << 0.0;
    QTest::newRow("a sale beyond the limit")
        << QStringList{"99999", "99999"} << "999.99"
        << "The total of this sale cannot pass $99,999,999.99; nothing was changed." << 99'998'000.01;
}

void TestLineEntry::amountLimits()
{
    QFETCH(QStringList, quantities);
    QFETCH(QString, price);
    QFETCH(QString, refusal);
    QFETCH(double, subtotal);
    f->dialogs.onQuestion([](const QString &) { return true; }); // the quantities are meant
    for (const QString &quantity : quantities)
        f->ring(QStringLiteral("1002"), quantity, QString(), price);

    QCOMPARE(f->dialogs.messages(), QStringList{refusal});
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit5"));
    QCOMPARE(f->lineValues("Trx_total").last(), 0.0);
    QCOMPARE(f->lineValues("Trx_qty").last(), 99999.0); // as typed, for correction
    QCOMPARE(f->header("Trxh_total"), subtotal);
    QCOMPARE(f->header("Trxh_grand_total"), subtotal);
}

void TestLineEntry::failedPricingLeavesTheLineUnpriced()
{
    f->ring(QStringLiteral("1001"));
    f->ring(QStringLiteral("1002"));
    f->type(QStringLiteral("1003"));
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("2"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    {
        // The disk fills up as the totals are written.
        FailingWrites full(f->dm().database(), QStringLiteral("tmpmaster"));
        f->press(Qt::Key_Return);
    }
    QCOMPARE(f->dialogs.messages(), QStringList{"Table tmpmaster: database or disk is full"});
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit5"));
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{1.99, 2.00, 0}));
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{1, 1, 2}));
    QCOMPARE(f->header("Trxh_total"), 3.99);
    QCOMPARE(f->header("Trxh_grand_total"), 4.09);
    QCOMPARE(f->devices.displayed.size(), 2); // the customer saw nothing of it

    // Once there is room again, Enter prices it.
    f->press(Qt::Key_Return);
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{1.99, 2.00, 15.98, 0}));
    QCOMPARE(f->header("Trxh_total"), 19.97);
    QCOMPARE(f->header("Trxh_grand_total"), 20.07);
    QCOMPARE(f->devices.displayed.last(), QStringLiteral("Coffee        $15.98"));
}

// The disk fills up once a line is priced, as the next entry line starts:
// the message says that the line is kept, so that it is not rung twice.
void TestLineEntry::fullDiskAfterAPricedLineSaysItIsKept()
{
    f->ring(QStringLiteral("1001"));
    f->type(QStringLiteral("1002"));
    for (int field = 0; field < 3; ++field)
        f->press(Qt::Key_Return);
    {
        FailingWrites full(f->dm().database(), QStringLiteral("tmpdetail"), FailingWrites::Inserts, true);
        f->press(Qt::Key_Return); // the chips priced, shown to the customer; no room for the next line
    }
    QCOMPARE(f->dialogs.messages(),
             QStringList{"The disk of the database " + f->db.databaseFile()
                         + " is full (database or disk is full).\n\nThe lines rung so far are kept: do not ring "
                           "them again. Only the next line could not be started; once this is put right, type the "
                           "next code."});
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{1.99, 2.00}));
    QCOMPARE(f->devices.displayed.size(), 2);
    f->ring(QStringLiteral("1005")); // with room again, on a line of its own
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{1.99, 2.00, 3.49, 0}));
}

TILLANO_PROGRAM_TEST_MAIN(TestLineEntry)
#include "test_line_entry.moc"
