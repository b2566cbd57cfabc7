// Numbers through display masks, in two regional settings.
#include "reports/display_mask.h"

#include <QtTest>

class TestDisplayMask : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

void TestDisplayMask::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const QString stock = QStringLiteral("###,##0.00;(###,##0.00)");
    QTest::newRow("thousands") << 1234.5 << stock << "en_US" << "1,234.50";
    QTest::newRow("negative in parentheses") << -1234.5 << stock << "en_US" << "(1,234.50)";
    QTest::newRow("millions") << 1234567.891 << stock << "en_US" << "1,234,567.89";
    QTest::newRow("zero") << 0.0 << stock << "en_US" << "0.00";
    QTest::newRow("damaged figure, shown as stored") << -1e16 << stock << "en_US" << "-1E+16";
    QTest::newRow("not a number") << std::nan("") << stock << "en_US" << "nan";
    QTest::newRow("rounds to zero: no parentheses") << -0.004 << stock << "en_US" << "0.00";
    QTest::newRow("half cent to even, down") << 0.125 << stock << "en_US" << "0.12";
    QTest::newRow("half cent to even, up") << 0.135 << stock << "en_US" << "0.14";
    QTest::newRow("negative half cent") << -2.675 << stock << "en_US" << "(2.68)";
    QTest::newRow("below one keeps its zero") << 0.5 << stock << "en_US" << "0.50";
    QTest::newRow("French separators") << -1234.5 << stock << "fr_CA"
                                       << QStringLiteral("(1") + QLocale(QLocale::French, QLocale::Canada).groupSeparator() + "234,50)";
    QTest::newRow("one section: leading minus") << -5.0 << "$#,##0.00" << "en_US" << "-$5.00";
    QTest::newRow("zero section") << 0.0 << "0.00;(0.00);'nil'" << "en_US" << "nil";
    QTest::newRow("quoted literal") << 3.0 << "0 \"units\"" << "en_US" << "3 units";
    QTest::newRow("no decimals, ties to even") << 2.5 << "0" << "en_US" << "2";
    QTest::newRow("no decimals, odd tie") << 3.5 << "0" << "en_US" << "4";
    QTest::newRow("optional decimals") << 1.5 << "0.##" << "en_US" << "1.5";
    QTest::newRow("optional integer") << 0.25 << "#.00" << "en_US" << ".25";
    QTest::newRow("padded integer") << 7.0 << "000" << "en_US" << "007";
    QTest::newRow("four decimals") << 1.23456 << "0.0000" << "en_US" << "1.2346";
    QTest::newRow("six decimals") << 1.25 << "0.000000" << "en_US" << "1.250000";
}

void TestDisplayMask::formats()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(formatWithMask(value, mask), expected);
}

QTEST_MAIN(TestDisplayMask)
#include "test_display_mask.moc"
