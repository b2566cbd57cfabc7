// A posting interrupted at any of its steps, by an error or by the process
// being killed, leaves the whole sale posted or nothing of it.
#include "posting_fixture.h"
#include "test_database.h"
#include "test_files.h"

#include "posting/export_journal.h"
#include "posting/journal_queue.h"
#include "posting/posting_checkpoints.h"
#include "posting/sale_posting.h"
#include "store/store_error.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(PostingCheckpoint)

namespace {

// A data directory holding the fixture's sale, ready to post.
struct PreparedSale {
    PreparedSale()
    {
        prepareMixedSale(db);
        before = tableSnapshot(db.directory());
    }
    TestDatabase db;
    QStringList before;
};

}

class TestPostingAtomicity : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void injectedError_data();
    void injectedError();
    void killedProcess_data();
    void killedProcess();
    void missingCashierPostsNothing();
    void saleDisagreeingWithItsLinesPostsNothing_data();
    void saleDisagreeingWithItsLinesPostsNothing();
    void interruptedReceiving();

private:
    void checkpoints();
    QStringList posted_;     // the tables after the sale posted whole
    QByteArray journal_;     // the journal after it
    QTemporaryDir workingDir_;
    std::unique_ptr<CurrentDirectory> cwd_;
};

void TestPostingAtomicity::initTestCase()
{
    // The state every uninterrupted posting of the sale must reach.
    PreparedSale reference;
    QTemporaryDir dir;
    CurrentDirectory cwd(dir.path());
    postSale(reference.db.dm(), 7);
    posted_ = tableSnapshot(reference.db.directory());
    journal_ = fileBytes(ExportJournal::FileName, {});
    QVERIFY(posted_ != reference.before);
    QVERIFY(!journal_.isEmpty());
}

void TestPostingAtomicity::init()
{
    QFile::remove(workingDir_.filePath(ExportJournal::FileName));
    cwd_ = std::make_unique<CurrentDirectory>(workingDir_.path());
}

void TestPostingAtomicity::cleanup()
{
    PostingCheckpoints::clearHandler();
    cwd_.reset();
}

void TestPostingAtomicity::checkpoints()
{
    QTest::addColumn<PostingCheckpoint>("checkpoint");
    QTest::addColumn<bool>("salePosted");
    QTest::newRow("store totals posted") << PostingCheckpoint::StoreTotalsPosted << false;
    QTest::newRow("cashier totals posted") << PostingCheckpoint::CashierTotalsPosted << false;
    QTest::newRow("first product posted") << PostingCheckpoint::ProductPosted << false;
    QTest::newRow("every product posted") << PostingCheckpoint::ProductTotalsPosted << false;
    QTest::newRow("register header posted") << PostingCheckpoint::HeaderPosted << false;
    QTest::newRow("counter advanced") << PostingCheckpoint::CounterPosted << false;
    QTest::newRow("first register line posted") << PostingCheckpoint::LinePosted << false;
    QTest::newRow("all written, not committed") << PostingCheckpoint::SaleTransferred << false;
    QTest::newRow("committed, journal not written") << PostingCheckpoint::Committed << true;
}

void TestPostingAtomicity::injectedError_data()
{
    checkpoints();
}

void TestPostingAtomicity::injectedError()
{
    QFETCH(PostingCheckpoint, checkpoint);
    QFETCH(bool, salePosted);
    PreparedSale sale;
    PostingCheckpoints::setHandler([checkpoint](PostingCheckpoint reached) {
        if (reached == checkpoint)
            throw StoreError(QStringLiteral("disk I/O error"));
    });

    QVERIFY_THROWS_EXCEPTION(StoreError, postSale(sale.db.dm(), 7));
    PostingCheckpoints::clearHandler();
    QCOMPARE(tableSnapshot(sale.db.directory()), salePosted ? posted_ : sale.before);
    QVERIFY(!QFileInfo::exists(ExportJournal::FileName));

    // The program goes on: the same sale posts whole, under the same
    // number, once the fault is gone (nothing posted twice); a posted
    // sale's journal records wait for the next start-up.
    sale.db.reconnect();
    JournalQueue::writeQueued(sale.db.dm().database());
    QCOMPARE(fileBytes(ExportJournal::FileName, {}), salePosted ? journal_ : QByteArray());
    if (!salePosted) {
        QCOMPARE(postSale(sale.db.dm(), 7), 1000.0);
        QCOMPARE(tableSnapshot(sale.db.directory()), posted_);
        QCOMPARE(fileBytes(ExportJournal::FileName, {}), journal_);
    }
}

void TestPostingAtomicity::killedProcess_data()
{
    checkpoints();
    QTest::newRow("journal written, still queued") << PostingCheckpoint::JournalWritten << true;
    QTest::newRow("not interrupted") << PostingCheckpoint(-1) << true;
}

void TestPostingAtomicity::killedProcess()
{
    QFETCH(PostingCheckpoint, checkpoint);
    QFETCH(bool, salePosted);
    PreparedSale sale;
    sale.db.dm().disconnect();

    QProcess posting;
    posting.setWorkingDirectory(workingDir_.path());
    posting.start(QStringLiteral(POSTING_INTERRUPTER),
                  {sale.db.directory(), QStringLiteral("7"), QString::number(int(checkpoint))});
    QVERIFY(posting.waitForFinished(30000));
    const bool interrupted = int(checkpoint) >= 0;
    QCOMPARE(posting.exitStatus(), interrupted ? QProcess::CrashExit : QProcess::NormalExit);
    if (!interrupted)
        QCOMPARE(posting.exitCode(), 0);

    // The program starts again on the data directory, and writes the
    // journal records still queued: every posted sale once, whenever the
    // posting stopped.
    sale.db.reconnect();
    JournalQueue::writeQueued(sale.db.dm().database());
    QCOMPARE(tableSnapshot(sale.db.directory()), salePosted ? posted_ : sale.before);
    QCOMPARE(fileBytes(ExportJournal::FileName, {}), salePosted ? journal_ : QByteArray());
    QCOMPARE(JournalQueue::count(sale.db.dm().database()), 0);
}

void TestPostingAtomicity::missingCashierPostsNothing()
{
    PreparedSale sale;
    QVERIFY_THROWS_EXCEPTION(StoreError, postSale(sale.db.dm(), 99));
    QCOMPARE(tableSnapshot(sale.db.directory()), sale.before);
}

void TestPostingAtomicity::saleDisagreeingWithItsLinesPostsNothing_data()
{
    QTest::addColumn<QVariantMap>("header");
    QTest::addColumn<QString>("message");
    const QString disagree = "The totals of this sale do not agree with its lines: ";
    // The fixture's sale: lines of 10.74, taxes 0.50 and 0.71, total 11.95.
    QTest::newRow("subtotal lost by a failed write")
        << QVariantMap{{"Trxh_total", 0.0}}
        << disagree + "subtotal $0.00, its lines $10.74; total $11.95, subtotal and taxes $1.21.";
    QTest::newRow("grand total without the taxes")
        << QVariantMap{{"Trxh_grand_total", 10.74}}
        << disagree + "subtotal $10.74, its lines $10.74; total $10.74, subtotal and taxes $11.95.";
    QTest::newRow("a tender beyond the limit")
        << QVariantMap{{"Trxh_pmt1", 1e16}} << "A line, a tender or the total of this sale is beyond $99,999,999.99.";
}

void TestPostingAtomicity::saleDisagreeingWithItsLinesPostsNothing()
{
    QFETCH(QVariantMap, header);
    QFETCH(QString, message);
    PreparedSale sale;
    setWorkHeaderAmounts(sale.db.dm(), header);
    const QStringList before = tableSnapshot(sale.db.directory());
    try {
        postSale(sale.db.dm(), 7);
        QFAIL("the sale was posted");
    } catch (const StoreError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(tableSnapshot(sale.db.directory()), before);
    QVERIFY(!QFileInfo::exists(ExportJournal::FileName));
}

void TestPostingAtomicity::interruptedReceiving()
{
    PreparedSale sale;
    int productsPosted = 0;
    PostingCheckpoints::setHandler([&](PostingCheckpoint reached) {
        if (reached == PostingCheckpoint::ProductPosted && ++productsPosted == 2)
            throw StoreError(QStringLiteral("disk I/O error"));
    });
    QVERIFY_THROWS_EXCEPTION(StoreError, receiveStock(sale.db.dm()));
    QCOMPARE(tableSnapshot(sale.db.directory()), sale.before);
    QCOMPARE(sale.db.dm().producttb.state(), TableState::Browse);
}

QTEST_GUILESS_MAIN(TestPostingAtomicity)
#include "test_posting_atomicity.moc"
