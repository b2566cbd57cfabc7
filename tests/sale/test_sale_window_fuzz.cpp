// Random keys in the sale window's entry fields, with checkouts paid or
// cancelled at random and now and then a full disk: the program never
// stops, and after every key the work header agrees with its lines, as
// every sale posted agrees with its own lines and with the store's totals.
#include "failing_writes.h"
#include "program_test_main.h"
#include "sale_window_fixture.h"

#include "store/sale_record.h"

#include <QRandomGenerator>
#include <QtTest>
#include <limits>
#include <optional>

namespace {

const Qt::Key Keys[] = {Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Tab,
                        Qt::Key_Backtab, Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Backspace, Qt::Key_Escape,
                        Qt::Key_F2,     Qt::Key_F2,     Qt::Key_F3,     Qt::Key_F4,        Qt::Key_F5,
                        Qt::Key_F6,     Qt::Key_F7,     Qt::Key_F8,     Qt::Key_F9,        Qt::Key_F11,
                        Qt::Key_F12};
const char *const TablesThatFill[] = {"tmpdetail", "tmpmaster", "tmpmaster", "tranmaster", "fin"};
const char *const Codes[] = {"1001", "1002", "1003", "1004", "1005", "999"};
const char NumberCharacters[] = "0123456789.-e+";

// The totals of the header record as the file holds it (none when it
// holds no such record).
SaleTotals storedTotals(Table &header)
{
    SaleTotals totals;
    for (const TableRow &row : header.rows(0, std::numeric_limits<int>::max())) {
        if (row.rowid != header.currentRowid())
            continue;
        const auto value = [&](const QString &name) { return row.values[header.fieldIndex(name)].toDouble(); };
        totals.subtotal = value(QStringLiteral("Trxh_total"));
        for (int n = 0; n < 3; ++n)
            totals.taxes[n] = value(QStringLiteral("Trxh_tx%1").arg(n + 1));
        totals.grandTotal = value(QStringLiteral("Trxh_grand_total"));
    }
    return totals;
}

// Text as a cashier or a scanner might put it in a field.
QString randomText(QRandomGenerator &random)
{
    switch (random.bounded(5)) {
    case 0:
        return QLatin1String(Codes[random.bounded(int(std::size(Codes)))]);
    case 1:
        return QStringLiteral("99999999999"); // a barcode in the wrong field
    case 2:
        return QString::number(random.bounded(1, 20)); // a quantity, a discount, a price
    default: {
        QString text;
        for (int n = random.bounded(1, 8); n > 0; --n)
            text += QLatin1Char(NumberCharacters[random.bounded(int(sizeof NumberCharacters) - 1)]);
        return text;
    }
    }
}

}

class TestSaleWindowFuzz : public QObject {
    Q_OBJECT
private slots:
    void randomKeys_data();
    void randomKeys();

private:
    void checkWorkHeader(SaleWindowFixture &f, int step);
    void checkPostedSales(SaleWindowFixture &f);
};

void TestSaleWindowFuzz::randomKeys_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestSaleWindowFuzz::randomKeys()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    SaleWindowFixture f;
    f.db.setControl("Ctrl_pmt1", "Cash");
    f.db.setControl("Ctrl_pmt1_type", true);
    f.db.setControl("Ctrl_tx2_rate", 0.075);
    f.db.setControl("Ctrl_tx2_txontx", true);
    SaleCheckout checkout(f, [] { return 7; });
    // The customer pays exactly, with a $20 bill, with an amount typed, or
    // the cashier cancels.
    f.dialogs.onModal("TForm8", [&random](QDialog &window) {
        const Qt::Key keys[] = {Qt::Key_F5, Qt::Key_F2, Qt::Key_Return, Qt::Key_Escape};
        if (random.bounded(3) == 0)
            QTest::keyClicks(window.focusWidget(), randomText(random));
        QTest::keyClick(window.focusWidget(), keys[random.bounded(4)]);
        if (window.isVisible())
            QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
        return -1;
    });

    for (int step = 0; step < 1500; ++step) {
        // Now and then the disk is full for one key.
        std::optional<FailingWrites> full;
        if (random.bounded(5) == 0) {
            const char *table = TablesThatFill[random.bounded(int(std::size(TablesThatFill)))];
            full.emplace(f.dm().database(), QLatin1String(table));
        }
        QWidget *target = f.focused() ? f.focused() : &f.form();
        const int action = random.bounded(10);
        if (action < 3) { // a scan: the code and Enter
            QTest::keyClicks(target, QLatin1String(Codes[random.bounded(int(std::size(Codes)))]));
            QTest::keyClick(target, Qt::Key_Return);
        } else if (action < 5) {
            QTest::keyClicks(target, randomText(random));
        } else {
            QTest::keyClick(target, Keys[random.bounded(int(std::size(Keys)))]);
        }
        full.reset();
        checkWorkHeader(f, step);
        if (QTest::currentTestFailed())
            return;
    }
    checkPostedSales(f);
}

void TestSaleWindowFuzz::checkWorkHeader(SaleWindowFixture &f, int step)
{
    TDataModule2 &dm = f.dm();
    const QList<LineAmount> lines = lineAmountsOf(recordsOf(dm.tmpdetail));
    const QString where = QStringLiteral("after step %1: %2").arg(step).arg(f.dialogs.log.join(" / ").right(300));
    // The header as the window shows it, and as the file holds it.
    const SaleTotals shown = saleFiguresOf(currentRecord(dm.tmpmaster), currentRecord(dm.Control));
    for (const SaleTotals &header : {shown, storedTotals(dm.tmpmaster)}) {
        QVERIFY2(header.subtotal == subtotalOf(lines), qPrintable(where));
        QVERIFY2(header.grandTotal == grandTotalOf(header.subtotal, header.taxes), qPrintable(where));
        if (!f.form().modes.receiving) {
            const SaleTotals expected = saleTotals(lines, taxRulesOf(currentRecord(dm.Control)));
            for (int n = 0; n < 3; ++n)
                QVERIFY2(header.taxes[n] == expected.taxes[n], qPrintable(where));
        }
    }
    for (const LineAmount &line : lines)
        QVERIFY2(withinAmountLimit(line.total), qPrintable(where));
}

void TestSaleWindowFuzz::checkPostedSales(SaleWindowFixture &f)
{
    TDataModule2 &dm = f.dm();
    Table &sales = dm.tranmaster;
    long double postedSales = 0;
    int count = 0;
    for (sales.first(); !sales.eof(); sales.next(), ++count) {
        const SaleFigures sale = saleFiguresOf(currentRecord(sales), currentRecord(dm.Control));
        QCOMPARE(sale.subtotal, subtotalOf(lineAmountsOf(recordsOf(dm.trandetail))));
        QCOMPARE(sale.grandTotal, grandTotalOf(sale.subtotal, sale.taxes));
        postedSales += sale.subtotal;
    }
    dm.fintb.first();
    QCOMPARE(dm.fintb.field("Fin_no_trx").asInteger(), count);
    QVERIFY(qAbs(dm.fintb.field("Fin_sales").asFloat() - double(postedSales)) < 1e-6);
    qInfo("%d sales posted, %lld messages shown", count, qint64(f.dialogs.messages().size()));
}

TILLANO_PROGRAM_TEST_MAIN(TestSaleWindowFuzz)
#include "test_sale_window_fuzz.moc"
