// The tender and change rules of a sale, each as the part of the program
// that uses it shows or keeps it.
#include "common/sale_figures.h"

#include <QtTest>
#include <functional>

using Rule = std::function<long double(const SaleFigures &)>;
Q_DECLARE_METATYPE(Rule)

class TestSaleFigures : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
};

void TestSaleFigures::rules_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<double>("grandTotal");
    QTest::addColumn<double>("payment");
    QTest::addColumn<double>("coupon");
    QTest::addColumn<double>("foreignUnits");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("expected");

    const Rule balance = [](const SaleFigures &s) { return s.balance().toLongDouble(); };
    const Rule remainder = [](const SaleFigures &s) { return s.remainder().toLongDouble(); };
    const Rule shown = [](const SaleFigures &s) { return s.changeShown(); };
    const Rule posted = [](const SaleFigures &s) { return s.registerChange().toLongDouble(); };
    const Rule store = [](const SaleFigures &s) { return s.storeChange(); };
    const Rule cashier = [](const SaleFigures &s) { return s.cashierChange(); };
    const Rule training = [](const SaleFigures &s) { return s.trainingReceiptChange().toLongDouble(); };
    const Rule quickTender = [](const SaleFigures &s) {
        return static_cast<long double>(paymentWithAdded(s.payments[0], Money::fromCents(2000)));
    };

    QTest::newRow("balance: 10.00 paid on 12.34") << balance << 12.34 << 10.0 << 0.0 << 0.0 << 0.0 << 2.34;
    QTest::newRow("balance: a refund to pay out") << balance << -5.0 << 0.0 << 0.0 << 0.0 << 0.0 << 5.0;
    QTest::newRow("balance: 8 foreign at 1.35 is 10.80") << balance << 10.0 << 0.0 << 0.0 << 8.0 << 1.35 << -0.80;
    QTest::newRow("remainder: a refund is never short") << remainder << -5.0 << 0.0 << 0.0 << 0.0 << 0.0 << -5.0;
    QTest::newRow("remainder: coupons count") << remainder << 10.0 << 4.0 << 3.0 << 0.0 << 0.0 << 3.0;
    QTest::newRow("shown: 20.00 on 12.34") << shown << 12.34 << 20.0 << 0.0 << 0.0 << 0.0 << -7.66;
    QTest::newRow("shown: coupon 3, payment 7 on 10") << shown << 10.0 << 7.0 << 3.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("shown: coupon 3, payment 10 on 10") << shown << 10.0 << 10.0 << 3.0 << 0.0 << 0.0 << -3.0;
    QTest::newRow("shown: 8 foreign at 1.35 on 10") << shown << 10.0 << 0.0 << 0.0 << 8.0 << 1.35 << -0.80;
    QTest::newRow("shown: a refund paid out") << shown << -5.0 << -5.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("posted: 20.00 on 15.75") << posted << 15.75 << 20.0 << 0.0 << 0.0 << 0.0 << -4.25;
    QTest::newRow("posted: a coupon of the whole total") << posted << 12.34 << 0.0 << 12.34 << 0.0 << 0.0 << 12.34;
    QTest::newRow("posted: 10 foreign at 1.234567 on 20") << posted << 20.0 << 0.0 << 0.0 << 10.0 << 1.234567 << 7.6543;
    QTest::newRow("store: cash 20, coupon 5 on 20") << store << 20.0 << 20.0 << 5.0 << 0.0 << 0.0 << -5.0;
    QTest::newRow("store: 15 foreign at 1.5 on 20") << store << 20.0 << 0.0 << 0.0 << 15.0 << 1.5 << 20.0;
    QTest::newRow("cashier: cash 20, coupon 5 on 20") << cashier << 20.0 << 20.0 << 5.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("cashier: 15 foreign at 1.5 on 20") << cashier << 20.0 << 0.0 << 0.0 << 15.0 << 1.5 << -2.5;
    QTest::newRow("training: cash 8, coupon 5 on 10") << training << 10.0 << 8.0 << 5.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("training: cash 12, coupon 5 on 10") << training << 10.0 << 12.0 << 5.0 << 0.0 << 0.0 << 7.0;
    QTest::newRow("training: 20.00 on 17.25") << training << 17.25 << 20.0 << 0.0 << 0.0 << 0.0 << 2.75;
    QTest::newRow("quick tender: 20.00 onto 1.50") << quickTender << 0.0 << 1.5 << 0.0 << 0.0 << 0.0 << 21.5;
}

void TestSaleFigures::rules()
{
    QFETCH(Rule, rule);
    QFETCH(double, grandTotal);
    QFETCH(double, payment);
    QFETCH(double, coupon);
    QFETCH(double, foreignUnits);
    QFETCH(double, rate);
    QFETCH(double, expected);
    SaleFigures sale;
    sale.grandTotal = grandTotal;
    sale.payments[0] = payment;
    sale.coupons[0] = coupon;
    sale.foreignUnits = foreignUnits;
    sale.foreignRate = rate;
    QCOMPARE(Money::fromDouble(rule(sale)).units(), Money::fromDouble(expected).units());
}

QTEST_APPLESS_MAIN(TestSaleFigures)
#include "test_sale_figures.moc"
