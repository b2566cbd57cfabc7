#include "common/money.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void conversionRoundsHalfToEven_data();
    void conversionRoundsHalfToEven();
    void centsRoundHalfToEven_data();
    void centsRoundHalfToEven();
    void arithmeticIsExact();
    void overflowIsReported();
};

void TestMoney::conversionRoundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");
    QTest::newRow("1.25") << 1.25 << qint64(12500);
    QTest::newRow("5.0745 stays") << 5.0745 << qint64(50745);
    QTest::newRow("0.8955") << 0.8955 << qint64(8955);
    // Exact binary fractions give exact ties in ten-thousandths.
    QTest::newRow("312.5 ties down to even") << 0.03125 << qint64(312);
    QTest::newRow("937.5 ties up to even") << 0.09375 << qint64(938);
    QTest::newRow("negative tie") << -0.03125 << qint64(-312);
    // 0.00005 is a little more than half a ten-thousandth as a double.
    QTest::newRow("no tie in 0.00005") << 0.00005 << qint64(1);
    QTest::newRow("1.234567 x 10") << 12.34567 << qint64(123457);
    QTest::newRow("zero") << 0.0 << qint64(0);
}

void TestMoney::conversionRoundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Money::fromDouble(value).units(), units);
}

void TestMoney::centsRoundHalfToEven_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("0.1225 -> 0.12") << qint64(1225) << qint64(12);
    QTest::newRow("0.125 -> 0.12") << qint64(1250) << qint64(12);
    QTest::newRow("0.135 -> 0.14") << qint64(1350) << qint64(14);
    QTest::newRow("0.8025 -> 0.80") << qint64(8025) << qint64(80);
    QTest::newRow("0.4275 -> 0.43") << qint64(4275) << qint64(43);
    QTest::newRow("-0.125 -> -0.12") << qint64(-1250) << qint64(-12);
    QTest::newRow("-0.135 -> -0.14") << qint64(-1350) << qint64(-14);
    QTest::newRow("-0.1251 -> -0.13") << qint64(-1251) << qint64(-13);
    QTest::newRow("0.0049 -> 0") << qint64(49) << qint64(0);
}

void TestMoney::centsRoundHalfToEven()
{
    QFETCH(qint64, units);
    QFETCH(qint64, cents);
    QCOMPARE(Money::fromUnits(units).cents(), cents);
    QCOMPARE(Money::fromUnits(units).roundedToCents().units(), cents * 100);
}

void TestMoney::arithmeticIsExact()
{
    // 0.1 + 0.2 in doubles is not 0.3; in ten-thousandths it is.
    const Money sum = Money::fromDouble(0.1) + Money::fromDouble(0.2);
    QCOMPARE(sum, Money::fromDouble(0.3));
    QCOMPARE((Money::fromDouble(20.0) - Money::fromDouble(12.34)).units(), qint64(76600));
    QCOMPARE((-Money::fromDouble(7.66)).toDouble(), -7.66);
    QVERIFY(Money::fromDouble(-0.00004).isZero());
}

void TestMoney::overflowIsReported()
{
    const Money largest = Money::fromUnits(std::numeric_limits<int64_t>::max());
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, largest + Money::fromUnits(1));
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, -largest - Money::fromUnits(2));
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, -Money::fromUnits(std::numeric_limits<int64_t>::min()));
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, Money::fromCents(std::numeric_limits<int64_t>::max() / 10));
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, Money::fromDouble(1e15)); // 1e19 ten-thousandths
    QVERIFY_THROWS_EXCEPTION(MoneyOverflow, Money::fromDouble(std::nan("")));
    QCOMPARE(Money::fromDouble(9e14).units(), qint64(9'000'000'000'000'000'000));
    QVERIFY(!Money::fits(1e15));
}

QTEST_APPLESS_MAIN(TestMoney)
#include "test_money.moc"
