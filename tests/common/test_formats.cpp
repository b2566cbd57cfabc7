#include "common/formats.h"

#include <QLocale>
#include <QtTest>

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void patterns_data();
    void patterns();
    void receiptLines_data();
    void receiptLines();
    void centring_data();
    void centring();
    void regionalFormats();
    void frenchCanadianCurrency();
    void numbersRead_data();
    void numbersRead();
    void datesRead_data();
    void datesRead();
};

void TestFormats::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("%10.2m") << "%10.2m" << QVariant(12.5) << "    $12.50";
    QTest::newRow("%8.2m") << "%8.2m" << QVariant(3.0) << "   $3.00";
    QTest::newRow("%10.2m negative") << "%10.2m" << QVariant(-7.66) << "   ($7.66)";
    QTest::newRow("%10.2m rounds 5.0745") << "%10.2m" << QVariant(5.0745) << "     $5.07";
    QTest::newRow("%10.2m rounds 0.8955") << "%10.2m" << QVariant(0.8955) << "     $0.90";
    QTest::newRow("%10.2m half cent to even") << "%10.2m" << QVariant(0.125) << "     $0.12";
    QTest::newRow("%10.2m wider than width") << "%10.2m" << QVariant(1234567.891) << "$1,234,567.89";
    QTest::newRow("%4d") << "%4d" << QVariant(7) << "   7";
    QTest::newRow("%4d truncates 2.5") << "%4d" << QVariant(2.5) << "   2";
    QTest::newRow("%4d truncates -1.5") << "%4d" << QVariant(-1.5) << "  -1";
    QTest::newRow("%-4d") << "%-4d" << QVariant(7) << "7   ";
    QTest::newRow("%-13d upc") << "%-13d" << QVariant(628130100017.0) << "628130100017 ";
    QTest::newRow("%-12d") << "%-12d" << QVariant(1002.0) << "1002        ";
    QTest::newRow("%10d") << "%10d" << QVariant(15) << "        15";
    QTest::newRow("%10s") << "%10s" << QVariant("Cash") << "      Cash";
    QTest::newRow("%-15s") << "%-15s" << QVariant("Terminal ID") << "Terminal ID    ";
    QTest::newRow("%-12s never cuts") << "%-12s" << QVariant("A long description") << "A long description";
    QTest::newRow("%10s empty") << "%10s" << QVariant("") << "          ";
}

void TestFormats::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(formatLine(pattern, {value}), expected);
}

void TestFormats::receiptLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cashier line, 15 characters")
        << formatLine(u"%-10s %-4d", {"Cashier ", 7}) << "Cashier    7   ";
    QTest::newRow("terminal line, 20 characters")
        << formatLine(u"%-15s %-4d", {"Terminal ID", 1}) << "Terminal ID     1   ";
    QTest::newRow("40-column item line, 20-character description")
        << formatLine(u"%-13d %-12s %4d %10.2m", {628130100017.0, "ABCDEFGHIJKLMNOPQRST", 2.5, 5.0745})
        << "628130100017  ABCDEFGHIJKLMNOPQRST    2      $5.07";
    QTest::newRow("30-column item line, 20-character description")
        << formatLine(u"%-15s %4d %10.2m", {"ABCDEFGHIJKLMNOPQRST", -1.5, -2.0})
        << "ABCDEFGHIJKLMNOPQRST   -1    ($2.00)";
    QTest::newRow("literal percent") << formatLine(u"100%% %s", {"done"}) << "100% done";
}

void TestFormats::receiptLines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(line, expected);
    QCOMPARE(line.size(), expected.size());
}

void TestFormats::centring_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("blanks");
    QTest::newRow("13 chars in 40") << "Corner Market" << 40 << 13;
    QTest::newRow("13 chars in 30") << "Corner Market" << 30 << 8;
    QTest::newRow("30 chars in 40") << QString(30, 'X') << 40 << 5;
    QTest::newRow("30 chars in 30") << QString(30, 'X') << 30 << 0;
    QTest::newRow("longer than width") << QString(35, 'X') << 30 << 0;
    QTest::newRow("empty in 40") << "" << 40 << 20;
    QTest::newRow("empty in 30") << "" << 30 << 15;
    QTest::newRow("odd remainder truncates") << "ABCD" << 9 << 2;
    QTest::newRow("indent capped at 30") << "" << 80 << 30;
    QTest::newRow("CASHIER REPORT in 40") << "C A S H I E R   R E P O R T" << 40 << 6;
    QTest::newRow("RAPPORT FINANCIER in 40") << "R A P P O R T   F I N A N C I E R" << 40 << 3;
    QTest::newRow("TRAINING MODE in 30") << "TRAINING MODE" << 30 << 8;
}

void TestFormats::centring()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, blanks);
    QCOMPARE(centredLine(text, width), QString(blanks, ' ') + text);
}

void TestFormats::regionalFormats()
{
    QCOMPARE(shortDateText(QDate(2026, 3, 9)), QStringLiteral("3/9/26"));
    QCOMPARE(shortDateText(QDate()), QString());
    QCOMPARE(longTimeText(QTime(14, 5, 3)), QStringLiteral("2:05:03 PM"));
    QCOMPARE(generalNumberText(628130100017.0), QStringLiteral("628130100017"));
    QCOMPARE(generalNumberText(2.5), QStringLiteral("2.5"));
    QCOMPARE(generalNumberText(-1), QStringLiteral("-1"));
    QCOMPARE(currencyText(-5), QStringLiteral("($5.00)"));
}

void TestFormats::frenchCanadianCurrency()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    const QString amount = currencyText(1234.5);
    const QString time = longTimeText(QTime(9, 5, 3));
    QLocale::setDefault(saved);
    QCOMPARE(amount, QStringLiteral("1\u00a0234,50\u00a0$"));
    QCOMPARE(time, QStringLiteral("09 h 05 min 03 s"));
}

void TestFormats::numbersRead_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<double>("number");

    QTest::newRow("plain") << "en_US" << "19.99" << true << 19.99;
    QTest::newRow("negative whole") << "en_US" << "-3" << true << -3.0;
    QTest::newRow("thousands, regional") << "en_US" << "1,234.5" << true << 1234.5;
    QTest::newRow("exponent") << "en_US" << "1e3" << true << 1000.0;
    QTest::newRow("full stop under a decimal comma") << "fr_CA" << "19.99" << true << 19.99;
    QTest::newRow("decimal comma") << "fr_CA" << "19,99" << true << 19.99;
    QTest::newRow("full stop before three digits, German") << "de_DE" << "7.500" << true << 7500.0;
    QTest::newRow("full stop before two digits, German") << "de_DE" << "7.50" << true << 7.5;
    QTest::newRow("letters") << "en_US" << "abc" << false << 0.0;
    QTest::newRow("infinity") << "en_US" << "inf" << false << 0.0;
    QTest::newRow("two full stops") << "en_US" << "1.2.3" << false << 0.0;
    QTest::newRow("empty") << "en_US" << "" << false << 0.0;
}

void TestFormats::numbersRead()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, read);
    QFETCH(double, number);
    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    double value = 0;
    const bool ok = numberFromText(text, value);
    QLocale::setDefault(saved);
    QCOMPARE(ok, read);
    if (read)
        QCOMPARE(value, number);
}

void TestFormats::datesRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("short, two-digit year in this century") << "3/9/26" << QDate(2026, 3, 9);
    QTest::newRow("short, four-digit year") << "3/9/2026" << QDate(2026, 3, 9);
    QTest::newRow("ISO") << "2026-03-09" << QDate(2026, 3, 9);
    QTest::newRow("no date") << "13/45/26" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestFormats::datesRead()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(dateFromText(text), date);
}

QTEST_APPLESS_MAIN(TestFormats)
#include "test_formats.moc"
