// Another program holding the database's write lock: after a short wait
// the cashier is asked whether to try again; trying again after the lock
// is gone goes on as if nothing happened, giving up leaves nothing half
// written and the sale can be finished later.
#include "running_shop.h"
#include "program_test_main.h"
#include "test_database.h"

#include "app/application_shell.h"
#include "sale/sale_window.h"

#include <QtTest>

namespace {

const QString Bread = QStringLiteral("062813100018"); // $2.99, no tax

// A write transaction of another connection, as "sqlite3 posdb.sqlite3
// 'BEGIN IMMEDIATE;'" left open would hold it.
class OtherProgram {
public:
    explicit OtherProgram(const QString &databaseFile) : connection_(databaseFile) {}
    ~OtherProgram() { release(); }
    void lock() { locked_ = connection_.exec(QStringLiteral("BEGIN IMMEDIATE")); }
    void release()
    {
        if (locked_)
            connection_.exec(QStringLiteral("ROLLBACK"));
        locked_ = false;
    }
    bool locked() const { return locked_; }

private:
    OwnConnection connection_;
    bool locked_ = false;
};

}

class TestLockedDatabase : public QObject {
    Q_OBJECT
private slots:
    void lockedWrite_data();
    void lockedWrite();
};

void TestLockedDatabase::lockedWrite_data()
{
    QTest::addColumn<bool>("whilePricing"); // else at Total <F2>
    QTest::addColumn<bool>("tryAgain");
    QTest::newRow("pricing, tried again") << true << true;
    QTest::newRow("pricing, given up") << true << false;
    QTest::newRow("total, tried again") << false << true;
    QTest::newRow("total, given up") << false << false;
}

void TestLockedDatabase::lockedWrite()
{
    QFETCH(bool, whilePricing);
    QFETCH(bool, tryAgain);
    DemoShop shop;
    ApplicationShell &shell = shop.start();
    TForm1 &window = shell.mainWindow();
    TDataModule2 &dm = shell.dataModule();
    OtherProgram other(shop.databaseFile());
    // The other program lets go while the cashier reads the question.
    shop.dialogs.onQuestion([&](const QString &) {
        if (tryAgain)
            other.release();
        return tryAgain;
    });

    QTest::keyClicks(window.focusWidget(), Bread);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    if (whilePricing) {
        other.lock();
        QVERIFY(other.locked());
    }
    QTest::keyClick(window.focusWidget(), Qt::Key_Return); // the unit price: the line is priced
    if (whilePricing && !tryAgain) {
        // Nothing priced; Enter again once the other program is done.
        QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 0.0);
        QCOMPARE(shop.dialogs.messages().size(), 1);
        other.release();
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(dm.tmpmaster.field("Trxh_grand_total").asFloat(), 2.99);
    if (!whilePricing) {
        other.lock();
        QVERIFY(other.locked());
    }
    shop.totalPaidExactly();

    QCOMPARE(shop.dialogs.questions(),
             QStringList{"Another program is using the database " + shop.databaseFile()
                         + ", so Tillano cannot save now.\n\nTry again?"});
    QCOMPARE(shop.dialogs.messages(),
             tryAgain ? QStringList()
                      : QStringList{"Another program is using the database " + shop.databaseFile()
                                    + " (database is locked): this change was not saved."});
    if (!tryAgain && !whilePricing) {
        // Nothing of the Total was done: no payment, nothing posted, the
        // sale goes on and is finished once the other program is done.
        QVERIFY(!shop.dialogs.log.contains(QStringLiteral("exec: TForm8")));
        QCOMPARE(dm.tranmaster.recordCount(), 0);
        other.release();
        shop.totalPaidExactly();
    }
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    dm.tranmaster.first();
    QCOMPARE(dm.tranmaster.field("Trxh_grand_total").asFloat(), 2.99);
    QCOMPARE(dm.tranmaster.field("Trxh_pmt1").asFloat(), 2.99);
    QCOMPARE(dm.trandetail.recordCount(), 1);
}

// With the program's general error handler, which shows what a refused
// write leaves behind.
TILLANO_PROGRAM_TEST_MAIN(TestLockedDatabase)
#include "test_locked_database.moc"
