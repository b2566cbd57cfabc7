// The data directory: schema, connection failures, start-up opening.
#include "test_database.h"

#include "store/schema.h"
#include "store/store_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void schemaHasExactFieldsInRecordOrder_data();
    void schemaHasExactFieldsInRecordOrder();
    void keysAndSingleRecords();
    void connectFailuresNameTheDirectory();
    void createRefusesExistingDatabase();
    void startUpEmptiesWorkTables();
    void theLogIsCopiedBackAndStartsOver();
    void tableObjectsByName();
};

void TestDataModule::schemaHasExactFieldsInRecordOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("trandetail") << "trandetail"
                                << QStringList{"Trx_id REAL", "Trx_seq INTEGER", "Trx_upc REAL", "Trx_short_desc TEXT",
                                               "Trx_desc TEXT", "Trx_qty REAL", "Trx_price REAL", "Trx_dscamt REAL",
                                               "Trx_total REAL", "Trx_promo INTEGER", "Trx_cpn INTEGER", "Trx_dsc REAL",
                                               "Trx_cost REAL", "Trx_tx1 INTEGER", "Trx_tx2 INTEGER",
                                               "Trx_tx3 INTEGER", "Trx_dsc_per REAL"};
    QTest::newRow("money") << "money"
                           << QStringList{"Money_float REAL", "Money_pmt1 REAL", "Money_pmt2 REAL", "Money_pmt3 REAL",
                                          "Money_pmt4 REAL", "Money_pmt5 REAL", "Money_cpn1 REAL", "Money_cpn2 REAL",
                                          "Money_cpn3 REAL", "Money_fc1 REAL"};
    QTest::newRow("Dept") << "Dept"
                          << QStringList{"Dept_code INTEGER", "Dept_desc TEXT", "Dept_sales REAL", "Dept_sales_ptd REAL",
                                         "Dept_sales_by_week TEXT", "Dept_tx1 INTEGER", "Dept_tx2 INTEGER",
                                         "Dept_tx3 INTEGER", "Dept_qty_sales REAL", "Dept_qty_sales_pdt REAL",
                                         "Dept_sales_accnt INTEGER"};
    QTest::newRow("product") << "product"
                             << QStringList{"Product_upc REAL", "Product_desc TEXT", "Product_short_desc TEXT",
                                            "Product_dept INTEGER", "Product_price REAL", "Product_promo REAL",
                                            "Product_promo_start TEXT", "Product_promo_end TEXT", "Product_qty REAL",
                                            "Product_avg_cost REAL", "Product_sales REAL", "Product_sales_ptd REAL",
                                            "Product_sales_by_week TEXT", "Product_tx1 INTEGER",
                                            "Product_tx2 INTEGER", "Product_tx3 INTEGER", "Product_qty_sales REAL",
                                            "Product_qty_sales_pdt REAL", "Product_accnt INTEGER"};
}

void TestDataModule::schemaHasExactFieldsInRecordOrder()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDatabase db;
    OwnConnection sql(db.databaseFile());
    QSqlQuery q(sql.db());
    QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)));
    QStringList actual;
    while (q.next())
        actual.append(q.value(1).toString() + QLatin1Char(' ') + q.value(2).toString());
    QCOMPARE(actual, columns);
}

void TestDataModule::keysAndSingleRecords()
{
    TestDatabase db;
    TDataModule2 &dm = db.dm();
    QCOMPARE(dm.Control.recordCount(), 1);
    QCOMPARE(dm.fintb.recordCount(), 1);
    for (Table *t : {&dm.cashiertb, &dm.producttb, &dm.DeptTb, &dm.tranmaster, &dm.trandetail, &dm.tmpmaster,
                     &dm.tmpdetail, &dm.Moneytb})
        QCOMPARE(t->recordCount(), 0);

    // Field counts in record order, as the tables define them.
    QCOMPARE(Schema::cashier().fields.size(), 41);
    QCOMPARE(Schema::cashier().fields.last().name, QStringLiteral("Cashier_mc_change"));
    QCOMPARE(Schema::control().fields.size(), 39);
    QCOMPARE(Schema::control().fields.last().name, QStringLiteral("Ctrl_terminal_id"));
    QCOMPARE(Schema::fin().fields.size(), 43);
    QCOMPARE(Schema::tranmaster().fields.size(), 23);
    QCOMPARE(Schema::tmpmaster().fields.size(), 22);
    QCOMPARE(Schema::tmpmaster().fields.last().name, QStringLiteral("Trxh_terminal_id"));
    QCOMPARE(Schema::tmpdetail().fields.size(), 16);

    // Keys are unique: a second cashier 1 or transaction 1000 is refused.
    db.addCashier(1, QStringLiteral("A"));
    QVERIFY_THROWS_EXCEPTION(StoreError, db.addCashier(1, QStringLiteral("B")));
    dm.cashiertb.cancel();
    QVERIFY(dm.cashiertb.findKey(1));
    QCOMPARE(dm.cashiertb.field("Cashier_name").asString(), QStringLiteral("A"));
}

void TestDataModule::connectFailuresNameTheDirectory()
{
    TDataModule2 dm;
    auto failure = [&](const QString &dir) {
        try {
            dm.connectTo(dir);
        } catch (const StoreError &e) {
            return e.message();
        }
        return QString();
    };
    QVERIFY(failure(QString()).contains(QStringLiteral("No data directory")));
    QVERIFY(failure(QStringLiteral("/nonexistent/tillano")).contains(QStringLiteral("/nonexistent/tillano")));
    QTemporaryDir empty;
    const QString message = failure(empty.path());
    QVERIFY2(message.contains(empty.path()) && message.contains(QStringLiteral("posdb.sqlite3")), qPrintable(message));
    QVERIFY(!QFile::exists(QDir(empty.path()).filePath(QStringLiteral("posdb.sqlite3")))); // nothing created
    QVERIFY(!dm.connected());
}

void TestDataModule::createRefusesExistingDatabase()
{
    TestDatabase db;
    db.addCashier(5, QStringLiteral("Kept"));
    QVERIFY_THROWS_EXCEPTION(StoreError, TDataModule2::createDatabase(db.directory()));
    db.reconnect();
    QVERIFY(db.dm().cashiertb.findKey(5));
}

void TestDataModule::startUpEmptiesWorkTables()
{
    TestDatabase db;
    Table &lines = db.dm().tmpdetail;
    lines.append();
    lines.field("Trx_qty").setFloat(1);
    lines.post();
    db.dm().tmpmaster.append();
    db.dm().tmpmaster.post();

    TDataModule2 next;
    next.connectTo(db.directory());
    next.openTablesForStartUp();
    QCOMPARE(next.tmpdetail.recordCount(), 0);
    QCOMPARE(next.tmpmaster.recordCount(), 0);
    for (Table *t : next.tables())
        QVERIFY2(t->active(), qPrintable(t->name()));
    next.closeTablesForShutDown();
    QVERIFY(!next.connected());
    QVERIFY(!next.Moneytb.active());
}

// The log of writes is copied back into the database file outside the
// commits (by a thread of the store's own), so that it starts over rather
// than growing for as long as the till runs.
void TestDataModule::theLogIsCopiedBackAndStartsOver()
{
    TestDatabase db;
    Table &lines = db.dm().tmpdetail;
    const QString log = db.databaseFile() + QStringLiteral("-wal");
    const qint64 fileBefore = QFileInfo(db.databaseFile()).size();
    // Rounds of a few hundred pages, each followed by the copy it asked
    // for: the log never holds much more than its limit and one round.
    for (int round = 0; round < 12; ++round) {
        for (int n = 0; n < 150; ++n) { // a commit of two or three pages each
            lines.append();
            lines.field("Trx_short_desc").setString(QStringLiteral("Line %1 of round %2").arg(n).arg(round));
            lines.post();
        }
        db.dm().database().waitForLogCopies();
    }
    QCOMPARE(lines.recordCount(), 1800);
    QVERIFY(QFileInfo(db.databaseFile()).size() > fileBefore);
    QVERIFY2(QFileInfo(log).size() < 2 * 1000 * 4096, qPrintable(QString::number(QFileInfo(log).size())));
}

void TestDataModule::tableObjectsByName()
{
    TestDatabase db;
    QStringList names;
    for (Table *t : db.dm().tables())
        names.append(t->name());
    QCOMPARE(names, (QStringList{"cashier", "product", "Dept", "control", "fin", "tranmaster", "trandetail",
                                 "tmpmaster", "tmpdetail", "money"}));
}

QTEST_MAIN(TestDataModule)
#include "test_data_module.moc"
