// The sales register: transaction numbers, copied records, the change
// figure, the counter and where the cursors are left.
#include "posting_fixture.h"
#include "test_database.h"

#include "posting/export_journal.h"
#include "posting/sale_posting.h"
#include "posting/transfer_sale.h"

#include <QtTest>

class TestTransferSale : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void transactionNumber_data();
    void transactionNumber();
    void postedRecordsAreCopies();
    void cursorsFollowThePostedSale();
    void exportSwitchedOff();
    void exactPaymentStoresNoChange_data();
    void exactPaymentStoresNoChange();

private:
    void addPostedHeader(double id);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<CurrentDirectory> cwd_;
};

void TestTransferSale::init()
{
    db_ = std::make_unique<TestDatabase>();
    cwd_ = std::make_unique<CurrentDirectory>(db_->directory());
}

void TestTransferSale::cleanup()
{
    cwd_.reset();
    db_.reset();
}

void TestTransferSale::addPostedHeader(double id)
{
    Table &t = db_->dm().tranmaster;
    t.append();
    t.field("Trxh_id").setFloat(id);
    t.post();
}

void TestTransferSale::transactionNumber_data()
{
    QTest::addColumn<double>("counter");
    QTest::addColumn<QList<double>>("posted");
    QTest::addColumn<double>("expectedNumber");
    QTest::addColumn<double>("expectedCounter");

    QTest::newRow("numbers 1000 and 1001 taken") << 1000.0 << QList<double>{1000, 1001} << 1002.0 << 1003.0;
    QTest::newRow("counter free") << 1000.0 << QList<double>{999, 1005} << 1000.0 << 1001.0;
    QTest::newRow("counter set back below posted numbers")
        << 3.0 << QList<double>{1, 2, 3, 4, 5, 9} << 6.0 << 7.0;
    QTest::newRow("a gap below the counter stays a gap") << 8.0 << QList<double>{1, 2, 5} << 8.0 << 9.0;
    QTest::newRow("empty register") << 1.0 << QList<double>{} << 1.0 << 2.0;
}

void TestTransferSale::transactionNumber()
{
    QFETCH(double, counter);
    QFETCH(QList<double>, posted);
    QFETCH(double, expectedNumber);
    QFETCH(double, expectedCounter);

    TDataModule2 &dm = db_->dm();
    db_->addCashier(7, QStringLiteral("Ann"));
    for (double id : posted)
        addPostedHeader(id);
    db_->setControl("Ctrl_invoice_no", counter);
    startWorkHeader(dm, 7, {{"Trxh_total", 1.0}, {"Trxh_grand_total", 1.0}, {"Trxh_pmt1", 1.0}});
    addWorkLine(dm, {5, "Gum", 1, 1, 1});

    QCOMPARE(postSale(dm, 7), expectedNumber);
    QCOMPARE(dm.tranmaster.field("Trxh_id").asFloat(), expectedNumber);
    QCOMPARE(dm.tranmaster.recordCount(), posted.size() + 1);
    dm.Control.first();
    QCOMPARE(dm.Control.field("Ctrl_invoice_no").asFloat(), expectedCounter);

    // The next sale takes the next free number in turn.
    const double next = postSale(dm, 7);
    QVERIFY(next > expectedNumber);
    QVERIFY(!posted.contains(next));
}

void TestTransferSale::postedRecordsAreCopies()
{
    TDataModule2 &dm = db_->dm();
    prepareMixedSale(*db_);
    addWorkLine(dm, {101, "Bread", 3, 1.99, 5.0745, 15, 0.8955, 1.10, true}); // sub-cent total kept as is
    dm.tmpmaster.first();
    const QVariantMap workHeader = recordValues(dm.tmpmaster);
    QList<QVariantMap> workLines;
    for (dm.tmpdetail.first(); !dm.tmpdetail.eof(); dm.tmpdetail.next())
        workLines.append(recordValues(dm.tmpdetail));

    const TransferredSale sale = Transfer_sale(dm);

    QCOMPARE(sale.transactionNumber, 1000.0);
    QCOMPARE(sale.journalRecords.size(), 1 + workLines.size());
    QVariantMap header = recordValues(dm.tranmaster);
    QCOMPARE(header.take("Trxh_id").toDouble(), 1000.0);
    QCOMPARE(header.take("Trxh_terminal_id").toInt(), 3);
    // 11.95 less payments 5.00 and 2.00 less 4.00 foreign at 1.25; the coupon stays out.
    QCOMPARE(header.take("Trxh_change").toDouble(), double(11.95L - 5.00L - 2.00L - 5.0L));
    for (auto it = header.cbegin(); it != header.cend(); ++it)
        QVERIFY2(it.value() == workHeader.value(it.key()), qPrintable(it.key()));

    QCOMPARE(dm.trandetail.recordCount(), workLines.size());
    int n = 0;
    for (dm.trandetail.first(); !dm.trandetail.eof(); dm.trandetail.next(), ++n) {
        QVariantMap line = recordValues(dm.trandetail);
        QCOMPARE(line.take("Trx_id").toDouble(), 1000.0);
        line.remove("Trx_seq");
        for (auto it = line.cbegin(); it != line.cend(); ++it)
            QVERIFY2(it.value() == workLines[n].value(it.key()), qPrintable(QStringLiteral("line %1 %2").arg(n).arg(it.key())));
    }
    dm.Control.first();
    QCOMPARE(dm.Control.field("Ctrl_invoice_no").asFloat(), 1001.0);
    // The work tables are only read.
    QCOMPARE(dm.tmpmaster.recordCount(), 1);
    QCOMPARE(dm.tmpdetail.recordCount(), workLines.size());
}

void TestTransferSale::cursorsFollowThePostedSale()
{
    TDataModule2 &dm = db_->dm();
    prepareMixedSale(*db_);
    QCOMPARE(postSale(dm, 7), 1000.0);
    dm.tmpdetail.emptyTable();
    addWorkLine(dm, {202, "Milk 2L", 1, 3.99, 3.99});
    addWorkLine(dm, {101, "Bread", 1, 2.50, 2.50});
    setWorkHeaderAmounts(dm, {{"Trxh_total", 6.49}, {"Trxh_grand_total", 7.70}});
    QCOMPARE(postSale(dm, 7), 1001.0);

    // The receipt reads the sale just posted.
    QCOMPARE(dm.tranmaster.field("Trxh_id").asFloat(), 1001.0);
    QCOMPARE(dm.trandetail.field("Trx_id").asFloat(), 1001.0);
    QCOMPARE(dm.trandetail.field("Trx_upc").asFloat(), 101.0);
    QCOMPARE(dm.trandetail.recordCount(), 2);
    dm.tranmaster.first();
    QCOMPARE(dm.trandetail.recordCount(), 3);
    QCOMPARE(dm.trandetail.field("Trx_desc").asString(), QStringLiteral("Bread, whole wheat"));
}

void TestTransferSale::exactPaymentStoresNoChange_data()
{
    QTest::addColumn<double>("subtotal");
    QTest::addColumn<double>("tax1");
    QTest::addColumn<double>("tax2");
    QTest::addColumn<double>("paid");
    QTest::addColumn<double>("change");
    // Two lines of 0.10 and 0.20 give the subtotal 0.30000000000000004.
    const double subtotalOfTwoLines = 0.1 + 0.2;
    QTest::newRow("exact payment") << subtotalOfTwoLines << 0.0 << 0.0 << 0.30 << 0.0;
    QTest::newRow("change given") << 3.64 << 0.18 << 0.12 << 5.00 << -1.06;
    QTest::newRow("sub-cent grand total") << 5.0745 << 0.0 << 0.0 << 5.07 << 0.0045;
}

void TestTransferSale::exactPaymentStoresNoChange()
{
    QFETCH(double, subtotal);
    QFETCH(double, tax1);
    QFETCH(double, tax2);
    QFETCH(double, paid);
    QFETCH(double, change);
    TDataModule2 &dm = db_->dm();
    const double grand = static_cast<double>(static_cast<long double>(subtotal) + tax1 + tax2);
    startWorkHeader(dm, 7, {{"Trxh_total", subtotal}, {"Trxh_tx1", tax1}, {"Trxh_tx2", tax2},
                            {"Trxh_grand_total", grand}, {"Trxh_pmt1", paid}});
    addWorkLine(dm, {101, "Bread", 1, subtotal, subtotal});
    Transfer_sale(dm);
    // Exactly: a residue of 4e-16 must not pass for zero.
    const double stored = dm.tranmaster.field("Trxh_change").asFloat();
    QVERIFY2(stored == change, qPrintable(QString::number(stored, 'g', 17)));
}

void TestTransferSale::exportSwitchedOff()
{
    TDataModule2 &dm = db_->dm();
    prepareMixedSale(*db_);
    db_->setControl("Ctrl_export", false);
    postSale(dm, 7);
    QVERIFY(!QFileInfo::exists(QLatin1String(ExportJournal::FileName)));
    QCOMPARE(dm.tranmaster.recordCount(), 1);
}

QTEST_GUILESS_MAIN(TestTransferSale)
#include "test_transfer_sale.moc"
