// A printer that refuses the lines of a receipt: the cashier is told that
// the sale is posted and chooses between trying again and stopping the
// printout; the printout never loops by itself and the checkout goes on
// to the drawer.
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"

#include <QtTest>

class TestDeadPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void refusedReceipt_data();
    void refusedReceipt();

private:
    // The sale of these tests, paid exactly; the printer's output.
    QByteArray sell(DemoShop &shop);

    QByteArray whole_; // the sale's receipt on a sound printer
};

void TestDeadPrinter::initTestCase()
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(12, 0)));
    DemoShop reference;
    whole_ = sell(reference);
    QVERIFY(whole_.endsWith('\f'));
}

void TestDeadPrinter::cleanupTestCase()
{
    Clock::useSystemClock();
}

QByteArray TestDeadPrinter::sell(DemoShop &shop)
{
    shop.start(QStringLiteral("2"));
    shop.ring(QStringLiteral("062813100018"));
    shop.totalPaidExactly();
    return shop.printerOutput();
}

void TestDeadPrinter::refusedReceipt_data()
{
    QTest::addColumn<int>("failFrom"); // the first refused line
    QTest::addColumn<int>("failures");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("printedWhole");
    QTest::newRow("dead, stopped at once") << 1 << 1000 << QList<bool>{false} << false;
    QTest::newRow("dead, tried twice, stopped") << 1 << 1000 << QList<bool>{true, true, false} << false;
    QTest::newRow("paper out halfway, tried again") << 5 << 2 << QList<bool>{true, true} << true;
}

void TestDeadPrinter::refusedReceipt()
{
    QFETCH(int, failFrom);
    QFETCH(int, failures);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, printedWhole);
    DemoShop shop;
    shop.setPrinterSetting(QStringLiteral("FailPrintFrom"), QString::number(failFrom));
    shop.setPrinterSetting(QStringLiteral("FailPrint"), QString::number(failures));
    for (bool answer : answers)
        shop.dialogs.answerQuestions({answer});
    const QByteArray printed = sell(shop);

    QCOMPARE(shop.dialogs.questions(),
             QStringList(answers.size(), QStringLiteral("There is a problem with the printer.\n\nThe sale is posted: if "
                                                        "this receipt is stopped now, it can be printed again with "
                                                        "Re-Print <F11>.\n\nTry again? (No stops this printout.)")));
    QVERIFY(shop.dialogs.messages().isEmpty());
    // Nothing lost or doubled when it prints; nothing more, not even a
    // feed or a cut, once stopped.
    QCOMPARE(printed, printedWhole ? whole_ : QByteArray());
    // The sale is posted once and the checkout went on to the drawer.
    TDataModule2 &dm = shop.shell().dataModule();
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    QCOMPARE(fileBytes(shop.dataDirectory() + QStringLiteral("/CashDrawer.txt")), QByteArray("open\nclosed\n"));
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0); // ready for the next customer
}

QTEST_MAIN(TestDeadPrinter)
#include "test_dead_printer.moc"
