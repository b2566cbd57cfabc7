// Store, cashier, product and department totals, stock and average cost.
#include "posting_fixture.h"
#include "test_database.h"

#include "common/money.h"
#include "posting/running_totals.h"
#include "posting/sale_posting.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<SaleLine>)

namespace {

// Every field's change between two states of one record. Text and logical
// fields must not change at all.
QVariantMap differences(const QVariantMap &before, const QVariantMap &after)
{
    QVariantMap delta;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QVariant &b = it.value();
        const QVariant &a = after.value(it.key());
        const bool numeric = b.typeId() == QMetaType::Double || b.typeId() == QMetaType::LongLong || b.isNull();
        if (numeric && (a.typeId() == QMetaType::Double || a.typeId() == QMetaType::LongLong)) {
            const double d = a.toDouble() - b.toDouble();
            if (d != 0)
                delta.insert(it.key(), d);
        } else if (a != b) {
            delta.insert(it.key(), QStringLiteral("changed"));
        }
    }
    return delta;
}

void compareDeltas(const QVariantMap &actual, const QVariantMap &expected, const char *record)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(qAbs(actual.value(it.key()).toDouble() - it.value().toDouble()) < 1e-9,
                 qPrintable(QStringLiteral("%1.%2 changed by %3, not %4")
                                .arg(QLatin1String(record), it.key(), actual.value(it.key()).toString(),
                                     it.value().toString())));
    for (auto it = actual.cbegin(); it != actual.cend(); ++it)
        QVERIFY2(expected.contains(it.key()),
                 qPrintable(QStringLiteral("%1.%2 changed by %3 and should not have")
                                .arg(QLatin1String(record), it.key(), it.value().toString())));
}

}

class TestRunningTotals : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saleTotalsAndChangeFigures_data();
    void saleTotalsAndChangeFigures();
    void productAndDepartmentTotals_data();
    void productAndDepartmentTotals();
    void receiving_data();
    void receiving();

private:
    QVariantMap finRecord();
    QVariantMap cashierRecord(int id);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<CurrentDirectory> cwd_;
};

void TestRunningTotals::init()
{
    db_ = std::make_unique<TestDatabase>();
    cwd_ = std::make_unique<CurrentDirectory>(db_->directory());
    db_->addCashier(7, QStringLiteral("Ann"));
    db_->addCashier(8, QStringLiteral("Bob"));
}

void TestRunningTotals::cleanup()
{
    cwd_.reset();
    db_.reset();
}

QVariantMap TestRunningTotals::finRecord()
{
    db_->dm().fintb.first();
    return recordValues(db_->dm().fintb);
}

QVariantMap TestRunningTotals::cashierRecord(int id)
{
    db_->dm().cashiertb.findKey(id);
    return recordValues(db_->dm().cashiertb);
}

void TestRunningTotals::saleTotalsAndChangeFigures_data()
{
    QTest::addColumn<QVariantMap>("header");
    QTest::addColumn<double>("rate");
    // Changes shared by the store's day and period totals and the
    // cashier's day and money-count totals, by field stem.
    QTest::addColumn<QVariantMap>("shared");
    QTest::addColumn<double>("registerChange"); // Trxh_change
    QTest::addColumn<double>("storeChange");    // added to Fin_change
    QTest::addColumn<double>("cashierChange");  // added to Cashier_change

    QTest::newRow("every tender kind")
        << QVariantMap{{"Trxh_total", 100.0}, {"Trxh_tx1", 5.0}, {"Trxh_tx2", 7.0}, {"Trxh_tx3", 1.0},
                       {"Trxh_grand_total", 113.0}, {"Trxh_pmt1", 50.0}, {"Trxh_pmt2", 30.0}, {"Trxh_pmt3", 5.0},
                       {"Trxh_pmt4", 2.0}, {"Trxh_pmt5", 1.0}, {"Trxh_fc1", 10.0}, {"Trxh_cpn1", 3.0},
                       {"Trxh_cpn2", 2.0}, {"Trxh_cpn3", 1.0}}
        << 1.5
        << QVariantMap{{"sales", 100.0}, {"tx1", 5.0}, {"tx2", 7.0}, {"tx3", 1.0}, {"pmt1", 50.0}, {"pmt2", 30.0},
                       {"pmt3", 5.0}, {"pmt4", 2.0}, {"pmt5", 1.0}, {"fc1", 10.0}, {"cpn1", 3.0}, {"cpn2", 2.0},
                       {"cpn3", 1.0}, {"no_trx", 1}}
        << 10.0 << 19.0 << 10.0;
    QTest::newRow("cash 20.00 on 15.75")
        << QVariantMap{{"Trxh_total", 15.75}, {"Trxh_grand_total", 15.75}, {"Trxh_pmt1", 20.0}} << 1.0
        << QVariantMap{{"sales", 15.75}, {"pmt1", 20.0}, {"no_trx", 1}} << -4.25 << -4.25 << -4.25;
    QTest::newRow("cash 20.00 and coupon 5.00 on 20.00")
        << QVariantMap{{"Trxh_total", 20.0}, {"Trxh_grand_total", 20.0}, {"Trxh_pmt1", 20.0}, {"Trxh_cpn1", 5.0}}
        << 1.0 << QVariantMap{{"sales", 20.0}, {"pmt1", 20.0}, {"cpn1", 5.0}, {"no_trx", 1}} << 0.0 << -5.0 << 0.0;
    QTest::newRow("foreign 15.00 at 1.5 on 20.00")
        << QVariantMap{{"Trxh_total", 20.0}, {"Trxh_grand_total", 20.0}, {"Trxh_fc1", 15.0}} << 1.5
        << QVariantMap{{"sales", 20.0}, {"fc1", 15.0}, {"no_trx", 1}} << -2.5 << 20.0 << -2.5;
    QTest::newRow("foreign 8.00 at 1.35 on 10.00")
        << QVariantMap{{"Trxh_total", 10.0}, {"Trxh_grand_total", 10.0}, {"Trxh_fc1", 8.0}} << 1.35
        << QVariantMap{{"sales", 10.0}, {"fc1", 8.0}, {"no_trx", 1}} << -0.8 << 10.0 << -0.8;
    QTest::newRow("foreign value rounded to four decimals")
        << QVariantMap{{"Trxh_total", 20.0}, {"Trxh_grand_total", 20.0}, {"Trxh_fc1", 10.0}} << 1.234567
        << QVariantMap{{"sales", 20.0}, {"fc1", 10.0}, {"no_trx", 1}} << 7.6543 << 20.0 << 7.6543;
    QTest::newRow("coupon 3.00 and payment 7.00 on 10.00")
        << QVariantMap{{"Trxh_total", 10.0}, {"Trxh_grand_total", 10.0}, {"Trxh_pmt1", 7.0}, {"Trxh_cpn1", 3.0}}
        << 1.0 << QVariantMap{{"sales", 10.0}, {"pmt1", 7.0}, {"cpn1", 3.0}, {"no_trx", 1}} << 3.0 << 0.0 << 3.0;
    QTest::newRow("coupon 3.00 and payment 10.00 on 10.00")
        << QVariantMap{{"Trxh_total", 10.0}, {"Trxh_grand_total", 10.0}, {"Trxh_pmt1", 10.0}, {"Trxh_cpn1", 3.0}}
        << 1.0 << QVariantMap{{"sales", 10.0}, {"pmt1", 10.0}, {"cpn1", 3.0}, {"no_trx", 1}} << 0.0 << -3.0 << 0.0;
    QTest::newRow("coupon of exactly the grand total")
        << QVariantMap{{"Trxh_total", 12.34}, {"Trxh_grand_total", 12.34}, {"Trxh_cpn2", 12.34}} << 1.0
        << QVariantMap{{"sales", 12.34}, {"cpn2", 12.34}, {"no_trx", 1}} << 12.34 << 0.0 << 12.34;
    QTest::newRow("voided transaction of -10.00")
        << QVariantMap{{"Trxh_total", -10.0}, {"Trxh_grand_total", -10.0}, {"Trxh_pmt1", -10.0}} << 1.0
        << QVariantMap{{"sales", -10.0}, {"pmt1", -10.0}, {"no_trx", 1}, {"voids", -10.0}, {"no_voids", 1}} << 0.0
        << 0.0 << 0.0;
}

void TestRunningTotals::saleTotalsAndChangeFigures()
{
    QFETCH(QVariantMap, header);
    QFETCH(double, rate);
    QFETCH(QVariantMap, shared);
    QFETCH(double, registerChange);
    QFETCH(double, storeChange);
    QFETCH(double, cashierChange);

    TDataModule2 &dm = db_->dm();
    db_->setControl("Ctrl_fc_rate", rate);
    // Totals already running; the money-count family was never written.
    dm.fintb.first();
    dm.fintb.edit();
    dm.fintb.field("Fin_sales").setFloat(1000.10);
    dm.fintb.field("Fin_change_pdt").setFloat(-3.30);
    dm.fintb.field("Fin_no_trx").setInteger(5);
    dm.fintb.post();
    QVERIFY(cashierRecord(7).value("Cashier_mc_sales").isNull());

    startWorkHeader(dm, 7, header);
    addWorkLine(dm, {555, QStringLiteral("Unlisted"), 1, 1, header.value("Trxh_total").toDouble()});
    const QVariantMap finBefore = finRecord();
    const QVariantMap cashierBefore = cashierRecord(7);
    const QVariantMap otherBefore = cashierRecord(8);
    dm.cashiertb.findKey(8); // a report may leave the table on another cashier

    postSale(dm, 7);
    // Found by key and left current, whatever record the table stood on.
    QCOMPARE(dm.cashiertb.field("Cashier_id").asInteger(), 7);

    QVariantMap finExpected, cashierExpected;
    for (auto it = shared.cbegin(); it != shared.cend(); ++it) {
        finExpected.insert("Fin_" + it.key(), it.value());
        finExpected.insert("Fin_" + it.key() + "_pdt", it.value());
        cashierExpected.insert("Cashier_" + it.key(), it.value());
        if (cashierBefore.contains("Cashier_mc_" + it.key()))
            cashierExpected.insert("Cashier_mc_" + it.key(), it.value());
    }
    if (storeChange != 0) {
        finExpected.insert("Fin_change", storeChange);
        finExpected.insert("Fin_change_pdt", storeChange);
    }
    if (cashierChange != 0) {
        cashierExpected.insert("Cashier_change", cashierChange);
        cashierExpected.insert("Cashier_mc_change", cashierChange);
    }
    compareDeltas(differences(finBefore, finRecord()), finExpected, "fin");
    compareDeltas(differences(cashierBefore, cashierRecord(7)), cashierExpected, "cashier 7");
    compareDeltas(differences(otherBefore, cashierRecord(8)), {}, "cashier 8");

    dm.tranmaster.last();
    const double posted = dm.tranmaster.field("Trxh_change").asFloat();
    QVERIFY2(qAbs(posted - registerChange) < 1e-9, qPrintable(QString::number(posted, 'g', 17)));
    QCOMPARE(Money::fromDouble(posted).units(), Money::fromDouble(registerChange).units());
}

void TestRunningTotals::productAndDepartmentTotals_data()
{
    QTest::addColumn<QList<SaleLine>>("lines");
    QTest::addColumn<QList<double>>("bread");   // Product_qty, Product_qty_sales, Product_sales
    QTest::addColumn<QList<double>>("candle");  // the same; its department has no record
    QTest::addColumn<QList<double>>("grocery"); // Dept_qty_sales, Dept_sales (were 40 and 100.00)

    QTest::newRow("a sale lowers stock and adds the sales")
        << QList<SaleLine>{{101, "Bread", 2, 2.5, 5.0}} << QList<double>{8, 2, 5.0} << QList<double>{10, 0, 0}
        << QList<double>{42, 105.0};
    QTest::newRow("a voided item puts stock back")
        << QList<SaleLine>{{101, "Bread", -1, 2.5, -2.5}} << QList<double>{11, -1, -2.5} << QList<double>{10, 0, 0}
        << QList<double>{39, 97.5};
    QTest::newRow("a department without a record is skipped")
        << QList<SaleLine>{{303, "Candle", 3, 2.0, 6.0}} << QList<double>{10, 0, 0} << QList<double>{7, 3, 6.0}
        << QList<double>{40, 100.0};
    QTest::newRow("a deleted product is skipped, the other lines applied")
        << QList<SaleLine>{{999, "Gone", 1, 9.99, 9.99}, {101, "Bread", 1, 2.5, 2.5}} << QList<double>{9, 1, 2.5}
        << QList<double>{10, 0, 0} << QList<double>{41, 102.5};
    QTest::newRow("two lines of one product add up")
        << QList<SaleLine>{{101, "Bread", 1, 2.5, 2.5}, {303, "Candle", 1, 2.0, 2.0}, {101, "Bread", 3, 2.5, 7.5}}
        << QList<double>{6, 4, 10.0} << QList<double>{9, 1, 2.0} << QList<double>{44, 110.0};
    QTest::newRow("a discounted line adds its total")
        << QList<SaleLine>{{101, "Bread", 3, 1.99, 5.0745, 15, 0.8955}} << QList<double>{7, 3, 5.0745}
        << QList<double>{10, 0, 0} << QList<double>{43, 105.0745};
}

void TestRunningTotals::productAndDepartmentTotals()
{
    QFETCH(QList<SaleLine>, lines);
    QFETCH(QList<double>, bread);
    QFETCH(QList<double>, candle);
    QFETCH(QList<double>, grocery);

    TDataModule2 &dm = db_->dm();
    db_->addDepartment(1, QStringLiteral("Grocery"));
    dm.DeptTb.findKey(1);
    dm.DeptTb.edit();
    dm.DeptTb.field("Dept_qty_sales").setFloat(40);
    dm.DeptTb.field("Dept_sales").setFloat(100);
    dm.DeptTb.post();
    db_->addProduct(101, QStringLiteral("Bread"), 2.5, false, false, false, 1);
    db_->addProduct(303, QStringLiteral("Candle"), 2.0, false, false, false, 9);
    for (double upc : {101.0, 303.0}) {
        dm.producttb.findKey(upc);
        dm.producttb.edit();
        dm.producttb.field("Product_qty").setFloat(10);
        dm.producttb.post();
    }
    startWorkHeader(dm, 7);
    for (const SaleLine &l : lines)
        addWorkLine(dm, l);

    Update_Products(dm, false);

    const auto checkProduct = [&](double upc, const QList<double> &expected) {
        QVERIFY(dm.producttb.findKey(upc));
        QCOMPARE(dm.producttb.field("Product_qty").asFloat(), expected[0]);
        QCOMPARE(dm.producttb.field("Product_qty_sales").asFloat(), expected[1]);
        QCOMPARE(dm.producttb.field("Product_qty_sales_pdt").asFloat(), expected[1]);
        QVERIFY(qAbs(dm.producttb.field("Product_sales").asFloat() - expected[2]) < 1e-9);
        QVERIFY(qAbs(dm.producttb.field("Product_sales_ptd").asFloat() - expected[2]) < 1e-9);
    };
    checkProduct(101, bread);
    checkProduct(303, candle);
    QVERIFY(dm.DeptTb.findKey(1));
    QCOMPARE(dm.DeptTb.field("Dept_qty_sales").asFloat(), grocery[0]);
    QCOMPARE(dm.DeptTb.field("Dept_qty_sales_pdt").asFloat(), grocery[0] - 40);
    QVERIFY(qAbs(dm.DeptTb.field("Dept_sales").asFloat() - grocery[1]) < 1e-9);
    QVERIFY(qAbs(dm.DeptTb.field("Dept_sales_ptd").asFloat() - (grocery[1] - 100)) < 1e-9);
    QCOMPARE(dm.DeptTb.recordCount(), 1); // no department record made up for code 9
}

void TestRunningTotals::receiving_data()
{
    QTest::addColumn<double>("onHand");
    QTest::addColumn<double>("averageCost");
    QTest::addColumn<double>("received");
    QTest::addColumn<double>("cost"); // Trx_total of the line
    QTest::addColumn<double>("expectedOnHand");
    QTest::addColumn<double>("expectedAverage");

    QTest::newRow("10 at 3.00 onto 10 at 2.00") << 10.0 << 2.0 << 10.0 << 30.0 << 20.0 << 2.5;
    QTest::newRow("10 costing 25.00 onto 5 at 2.00, unrounded")
        << 5.0 << 2.0 << 10.0 << 25.0 << 15.0 << double(35.0L / 15);
    QTest::newRow("nothing on hand: the cost received") << 0.0 << 0.0 << 5.0 << 20.0 << 5.0 << 4.0;
    QTest::newRow("a voided receipt line takes stock away") << 10.0 << 2.0 << -2.0 << -6.0 << 8.0 << 1.75;
    QTest::newRow("stock value rounded to four decimals first") << 3.0 << 0.33333 << 1.0 << 1.0 << 4.0 << 0.5;
    QTest::newRow("stock brought to exactly zero keeps the average") << 3.0 << 2.0 << -3.0 << -7.5 << 0.0 << 2.0;
    QTest::newRow("stock below zero before the receipt") << -5.0 << 2.0 << 10.0 << 30.0 << 5.0 << 4.0;
}

void TestRunningTotals::receiving()
{
    QFETCH(double, onHand);
    QFETCH(double, averageCost);
    QFETCH(double, received);
    QFETCH(double, cost);
    QFETCH(double, expectedOnHand);
    QFETCH(double, expectedAverage);

    TDataModule2 &dm = db_->dm();
    db_->addDepartment(1, QStringLiteral("Grocery"));
    db_->addProduct(101, QStringLiteral("Bread"), 2.5, false, false, false, 1);
    dm.producttb.findKey(101.0);
    dm.producttb.edit();
    dm.producttb.field("Product_qty").setFloat(onHand);
    dm.producttb.field("Product_avg_cost").setFloat(averageCost);
    dm.producttb.post();
    startWorkHeader(dm, 7, {{"Trxh_total", cost}, {"Trxh_grand_total", cost}});
    addWorkLine(dm, {101, "Bread", received, received ? cost / received : 0, cost});
    addWorkLine(dm, {999, "Not a product", 1, 1, 1}); // skipped
    const QStringList before = tableSnapshot(db_->directory());

    receiveStock(dm);

    QVERIFY(dm.producttb.findKey(101.0));
    QCOMPARE(dm.producttb.field("Product_qty").asFloat(), expectedOnHand);
    QCOMPARE(dm.producttb.field("Product_avg_cost").asFloat(), expectedAverage);
    // Nothing else moves: no sales, no department, no store or cashier total.
    QStringList after = tableSnapshot(db_->directory());
    QStringList changed;
    for (const QString &row : after)
        if (!before.contains(row))
            changed.append(row);
    QCOMPARE(changed.size(), 1);
    QVERIFY(changed.first().startsWith("product:101|"));
    QVERIFY(dm.producttb.field("Product_sales").asFloat() == 0 && dm.producttb.field("Product_qty_sales").isNull());
}

QTEST_GUILESS_MAIN(TestRunningTotals)
#include "test_running_totals.moc"
