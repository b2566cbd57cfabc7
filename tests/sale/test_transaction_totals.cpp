// Subtotal, three taxes with tax on tax, and the work header's reset.
#include "failing_writes.h"
#include "test_database.h"

#include "common/clock.h"
#include "common/sale_figures.h"
#include "store/store_error.h"
#include "sale_engine/sale_modes.h"
#include "sale_engine/transaction_totals.h"

#include <QtTest>
#include <optional>

namespace {
struct Line {
    double total;
    bool tx1, tx2, tx3;
};
}
Q_DECLARE_METATYPE(QList<Line>)

class TestTransactionTotals : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void taxes_data();
    void taxes();
    void receivingLeavesTaxesZero();
    void zeroMasterResetsHeader();
    void figuresWrittenWholeOrNotAtAll_data();
    void figuresWrittenWholeOrNotAtAll();

private:
    void configure(double r1, double r2, double r3, bool txontx2, bool txontx3);
    void addLine(const Line &line);
    double header(const char *field) { return db_->dm().tmpmaster.field(QLatin1String(field)).asFloat(); }
    std::unique_ptr<TestDatabase> db_;
    SaleModes modes_;
};

void TestTransactionTotals::init()
{
    db_ = std::make_unique<TestDatabase>();
    db_->addCashier(7, QStringLiteral("Ann"));
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 30, 15)));
    ZeroMaster(db_->dm(), modes_, 7);
}

void TestTransactionTotals::cleanup()
{
    Clock::useSystemClock();
    db_.reset();
}

void TestTransactionTotals::configure(double r1, double r2, double r3, bool txontx2, bool txontx3)
{
    db_->setControl(QStringLiteral("Ctrl_tx1_rate"), r1);
    db_->setControl(QStringLiteral("Ctrl_tx2_rate"), r2);
    db_->setControl(QStringLiteral("Ctrl_tx3_rate"), r3 < 0 ? QVariant() : QVariant(r3));
    db_->setControl(QStringLiteral("Ctrl_tx2_txontx"), txontx2);
    db_->setControl(QStringLiteral("Ctrl_tx3_txontx"), txontx3);
}

void TestTransactionTotals::addLine(const Line &line)
{
    Table &t = db_->dm().tmpdetail;
    t.append();
    t.field("Trx_total").setFloat(line.total);
    t.field("Trx_tx1").setBoolean(line.tx1);
    t.field("Trx_tx2").setBoolean(line.tx2);
    t.field("Trx_tx3").setBoolean(line.tx3);
    t.post();
}

void TestTransactionTotals::taxes_data()
{
    QTest::addColumn<QList<double>>("rates"); // rate 3 < 0 means never set
    QTest::addColumn<bool>("txontx2");
    QTest::addColumn<bool>("txontx3");
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<QList<double>>("expected"); // subtotal, tx1, tx2, tx3, grand total

    QTest::newRow("1.75 at 7%: 0.1225 gives 0.12")
        << QList<double>{0.07, 0, 0} << false << false << QList<Line>{{1.75, true, false, false}}
        << QList<double>{1.75, 0.12, 0, 0, 1.87};
    QTest::newRow("2.50 at 5%: 0.125 gives 0.12")
        << QList<double>{0.05, 0, 0} << false << false << QList<Line>{{2.50, true, false, false}}
        << QList<double>{2.50, 0.12, 0, 0, 2.62};
    QTest::newRow("2.70 at 5%: 0.135 gives 0.14")
        << QList<double>{0.05, 0, 0} << false << false << QList<Line>{{2.70, true, false, false}}
        << QList<double>{2.70, 0.14, 0, 0, 2.84};
    QTest::newRow("tax on tax, one line bearing both")
        << QList<double>{0.07, 0.075, 0} << true << false << QList<Line>{{10.00, true, true, false}}
        << QList<double>{10.00, 0.70, 0.80, 0, 11.50};
    QTest::newRow("tax on tax takes the whole tax 1")
        << QList<double>{0.07, 0.075, 0} << true << false
        << QList<Line>{{10.00, true, false, false}, {5.00, false, true, false}}
        << QList<double>{15.00, 0.70, 0.43, 0, 16.13};
    QTest::newRow("tax 3 on taxes 1 and 2")
        << QList<double>{0.05, 0.10, 0.02} << true << true << QList<Line>{{100.00, true, true, true}}
        << QList<double>{100.00, 5.00, 10.50, 2.31, 117.81};
    QTest::newRow("tax 3 without tax on tax")
        << QList<double>{0.05, 0.10, 0.02} << false << false << QList<Line>{{100.00, false, false, true}}
        << QList<double>{100.00, 0, 0, 2.00, 102.00};
    QTest::newRow("sub-cent line enters the subtotal unrounded")
        << QList<double>{0.10, 0, 0} << false << false << QList<Line>{{5.0745, true, false, false}}
        << QList<double>{5.0745, 0.51, 0, 0, 5.5845};
    QTest::newRow("lines that cancel out have no tax")
        << QList<double>{0.07, 0.075, 0} << true << false
        << QList<Line>{{2.00, true, true, false}, {-2.00, true, true, false}}
        << QList<double>{0, 0, 0, 0, 0};
    QTest::newRow("a return: -0.125 gives -0.12")
        << QList<double>{0.05, 0, 0} << false << false << QList<Line>{{-2.50, true, false, false}}
        << QList<double>{-2.50, -0.12, 0, 0, -2.62};
    QTest::newRow("zero and empty rates give no tax")
        << QList<double>{0, 0, -1} << true << true << QList<Line>{{9.99, true, true, true}}
        << QList<double>{9.99, 0, 0, 0, 9.99};
    QTest::newRow("untaxed lines")
        << QList<double>{0.07, 0.075, 0} << false << false
        << QList<Line>{{1.99, false, false, false}, {3.01, false, false, false}}
        << QList<double>{5.00, 0, 0, 0, 5.00};
}

void TestTransactionTotals::taxes()
{
    QFETCH(QList<double>, rates);
    QFETCH(bool, txontx2);
    QFETCH(bool, txontx3);
    QFETCH(QList<Line>, lines);
    QFETCH(QList<double>, expected);
    configure(rates[0], rates[1], rates[2], txontx2, txontx3);
    for (const Line &l : lines)
        addLine(l);
    RecomputeTotals(db_->dm(), true);

    const char *fields[] = {"Trxh_total", "Trxh_tx1", "Trxh_tx2", "Trxh_tx3", "Trxh_grand_total"};
    for (int i = 0; i < 5; ++i)
        QVERIFY2(qAbs(header(fields[i]) - expected[i]) < 1e-9,
                 qPrintable(QStringLiteral("%1 is %2, not %3").arg(fields[i]).arg(header(fields[i]), 0, 'g', 17).arg(expected[i])));
    // Taxes are whole cents exactly as cents x 0.01 gives them.
    QCOMPARE(header("Trxh_tx1"), double(qRound64(expected[1] * 100)) * 0.01);
    QCOMPARE(db_->dm().tmpmaster.recordCount(), 1);
}

void TestTransactionTotals::receivingLeavesTaxesZero()
{
    configure(0.05, 0.08, 0, false, false);
    addLine({10.00, true, true, false});
    RecomputeTotals(db_->dm(), false);
    QCOMPARE(header("Trxh_total"), 10.0);
    QCOMPARE(header("Trxh_tx1"), 0.0);
    QCOMPARE(header("Trxh_tx2"), 0.0);
    QCOMPARE(header("Trxh_grand_total"), 10.0);
    RecomputeTotals(db_->dm(), true); // as Clear does, even in receiving mode
    QCOMPARE(header("Trxh_tx1"), 0.5);
    QCOMPARE(header("Trxh_tx2"), 0.8);
    QCOMPARE(header("Trxh_grand_total"), 11.3);
}

void TestTransactionTotals::zeroMasterResetsHeader()
{
    Table &h = db_->dm().tmpmaster;
    QCOMPARE(h.recordCount(), 1);
    QCOMPARE(h.field("Trxh_date").asDate(), QDate(2026, 3, 9));
    QCOMPARE(h.field("Trxh_time").asTime(), QTime(14, 30, 15));
    QCOMPARE(h.field("Trxh_cashier").asInteger(), 7);
    QVERIFY(h.field("Trxh_id").isNull());
    QVERIFY(h.field("Trxh_terminal_id").isNull());
    for (const char *f : {"Trxh_pmt1", "Trxh_pmt5", "Trxh_fc1", "Trxh_cpn3", "Trxh_dsc2", "Trxh_grand_total"})
        QCOMPARE(h.field(QLatin1String(f)).value(), QVariant(0.0));
    QCOMPARE(h.state(), TableState::Browse);

    modes_.receiving = modes_.returnMode = modes_.voidItem = true;
    Clock::setFixed(QDateTime(QDate(2026, 3, 10), QTime(8, 0, 0)));
    ZeroMaster(db_->dm(), modes_, 7); // not emptied first: the new header is the current one
    QVERIFY(!modes_.receiving);
    QVERIFY(!modes_.returnMode);
    QVERIFY(!modes_.voidItem); // a new transaction begins with every mode off
    QCOMPARE(h.recordCount(), 2);
    QCOMPARE(h.field("Trxh_date").asDate(), QDate(2026, 3, 10));
}

void TestTransactionTotals::figuresWrittenWholeOrNotAtAll_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<double>("nextLine");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("a full disk") << true << 6.99 << "Table tmpmaster: database or disk is full";
    QTest::newRow("a total beyond the limit")
        << false << 99'999'990.00 << "The total of this sale cannot pass $99,999,999.99; nothing was changed.";
}

void TestTransactionTotals::figuresWrittenWholeOrNotAtAll()
{
    QFETCH(bool, fullDisk);
    QFETCH(double, nextLine);
    QFETCH(QString, refusal);
    configure(0.05, 0, 0, false, false);
    addLine({10.00, true, false, false});
    RecomputeTotals(db_->dm(), true);
    addLine({nextLine, true, false, false});

    std::optional<FailingWrites> full;
    if (fullDisk)
        full.emplace(db_->dm().database(), QStringLiteral("tmpmaster"));
    try {
        RecomputeTotals(db_->dm(), true);
        QFAIL("the figures were written");
    } catch (const StoreError &e) {
        QCOMPARE(e.message(), refusal);
    } catch (const AmountLimitError &e) {
        QCOMPARE(e.message(), refusal);
    }
    full.reset();

    Table &h = db_->dm().tmpmaster;
    QVERIFY(!h.editing());
    h.refresh();
    QCOMPARE(header("Trxh_total"), 10.00);
    QCOMPARE(header("Trxh_tx1"), 0.50);
    QCOMPARE(header("Trxh_grand_total"), 10.50);
}

QTEST_MAIN(TestTransactionTotals)
#include "test_transaction_totals.moc"
