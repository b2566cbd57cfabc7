// End of day and Zero period totals zero exactly their fields, all in one
// transaction: an error or a killed process part-way leaves every total as
// before or every one zero. The purge of the sales register stops at the
// first header dated later, and is whole or nothing.
#include "posting_fixture.h"
#include "test_database.h"
#include "test_files.h"

#include "posting/posting_checkpoints.h"
#include "posting/sale_posting.h"
#include "posting/sales_register_purge.h"
#include "posting/totals_reset.h"
#include "store/schema.h"
#include "store/store_error.h"

#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

Q_DECLARE_METATYPE(PostingCheckpoint)

namespace {

// Every column of every table: "table.column" -> its values, record by record.
QMap<QString, QStringList> columnValues(const QString &dataDirectory)
{
    QMap<QString, QStringList> columns;
    OwnConnection connection(QDir(dataDirectory).filePath(QLatin1String(Database::FileName)));
    for (const TableDef *def : Schema::all()) {
        QSqlQuery q(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(def->name), connection.db());
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                columns[def->name + '.' + q.record().fieldName(i)] << q.value(i).toString();
    }
    return columns;
}

// A shop whose every number field holds a value other than zero: two
// cashiers (one who never signed in today), the mixed sale's products and
// departments, one posted sale.
struct ShopWithTotals {
    ShopWithTotals()
    {
        prepareMixedSale(db);
        db.addCashier(8, QStringLiteral("Bob"));
        postSale(db.dm(), 7);
        {
            OwnConnection sql(db.databaseFile());
            for (const TableDef *def : {&Schema::cashier(), &Schema::product(), &Schema::dept(), &Schema::fin()})
                for (const FieldDef &f : def->fields)
                    if (!def->orderColumns.contains(f.name)
                        && (f.type == FieldType::Money || f.type == FieldType::Float || f.type == FieldType::Integer))
                        QVERIFY(sql.exec(
                            QStringLiteral("UPDATE \"%1\" SET \"%2\" = rowid + 0.5").arg(def->name, f.name)));
        }
        db.reconnect();
        before = columnValues(db.directory());
    }
    TestDatabase db;
    QMap<QString, QStringList> before;
};

void zero(TDataModule2 &dm, const QString &totals)
{
    totals == QLatin1String("day") ? zeroDayTotals(dm) : zeroPeriodTotals(dm);
}

// What an interrupted reset must leave: the shop as before, or as a reset
// run to its end leaves it.
QMap<QString, QStringList> expectedAfter(const ShopWithTotals &shop, const QString &totals, bool zeroed)
{
    if (!zeroed)
        return shop.before;
    ShopWithTotals reference;
    zero(reference.db.dm(), totals);
    return columnValues(reference.db.directory());
}

}

class TestTotalsReset : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { PostingCheckpoints::clearHandler(); }
    void zeroesExactlyItsFields_data();
    void zeroesExactlyItsFields();
    void injectedError_data();
    void injectedError();
    void killedProcess_data() { injectedError_data(); }
    void killedProcess();
    void purge_data();
    void purge();
    void interruptedPurgeDeletesNothing();
};

void TestTotalsReset::zeroesExactlyItsFields_data()
{
    QTest::addColumn<QString>("totals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("end of day") << "day" << "zeroed_day_totals.txt";
    QTest::newRow("period end") << "period" << "zeroed_period_totals.txt";
}

void TestTotalsReset::zeroesExactlyItsFields()
{
    QFETCH(QString, totals);
    QFETCH(QString, expected);
    ShopWithTotals shop;
    zero(shop.db.dm(), totals);

    const QMap<QString, QStringList> after = columnValues(shop.db.directory());
    QStringList changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (it.value() == shop.before.value(it.key()))
            continue;
        changed << it.key();
        for (const QString &value : it.value())
            QCOMPARE(value, QStringLiteral("0"));
    }
    QStringList wanted =
        QString::fromUtf8(fileBytes(QStringLiteral(TEST_DATA_DIR "/") + expected)).split('\n', Qt::SkipEmptyParts);
    wanted.sort();
    QCOMPARE(changed, wanted);
    // The table objects show the new values at once.
    QCOMPARE(shop.db.dm().producttb.field(totals == "day" ? "Product_sales" : "Product_sales_ptd").asFloat(), 0.0);
}

void TestTotalsReset::injectedError_data()
{
    QTest::addColumn<QString>("totals");
    QTest::addColumn<PostingCheckpoint>("checkpoint");
    QTest::addColumn<bool>("zeroed");
    const QList<std::pair<PostingCheckpoint, const char *>> steps{
        {PostingCheckpoint::StoreTotalsZeroed, "store"}, {PostingCheckpoint::CashierTotalsZeroed, "cashiers"},
        {PostingCheckpoint::ProductTotalsZeroed, "products"}, {PostingCheckpoint::DepartmentTotalsZeroed, "departments"}};
    for (const char *totals : {"day", "period"}) {
        for (const auto &[step, name] : steps)
            if (step != PostingCheckpoint::CashierTotalsZeroed || totals == QLatin1String("day")) // cashiers have no period totals
                QTest::addRow("%s, %s zeroed", totals, name) << totals << step << false;
        QTest::addRow("%s, committed", totals) << totals << PostingCheckpoint::Committed << true;
    }
}

void TestTotalsReset::injectedError()
{
    QFETCH(QString, totals);
    QFETCH(PostingCheckpoint, checkpoint);
    QFETCH(bool, zeroed);
    ShopWithTotals shop;
    PostingCheckpoints::setHandler([checkpoint](PostingCheckpoint reached) {
        if (reached == checkpoint)
            throw StoreError(QStringLiteral("disk I/O error"));
    });
    QVERIFY_THROWS_EXCEPTION(StoreError, zero(shop.db.dm(), totals));
    PostingCheckpoints::clearHandler();
    QCOMPARE(columnValues(shop.db.directory()), expectedAfter(shop, totals, zeroed));
    if (!zeroed) // the table objects do not show what was rolled back
        QCOMPARE(shop.db.dm().fintb.field("Fin_sales_pdt").asFloat(), shop.before["fin.Fin_sales_pdt"][0].toDouble());
}

void TestTotalsReset::killedProcess()
{
    QFETCH(QString, totals);
    QFETCH(PostingCheckpoint, checkpoint);
    QFETCH(bool, zeroed);
    ShopWithTotals shop;
    shop.db.dm().disconnect();

    QProcess reset;
    reset.start(QStringLiteral(TOTALS_RESET_INTERRUPTER), {shop.db.directory(), totals, QString::number(int(checkpoint))});
    QVERIFY(reset.waitForFinished(30000));
    QCOMPARE(reset.exitStatus(), QProcess::CrashExit);
    QCOMPARE(columnValues(shop.db.directory()), expectedAfter(shop, totals, zeroed));
}

void TestTotalsReset::purge_data()
{
    QTest::addColumn<QDate>("upTo");
    QTest::addColumn<QList<double>>("kept");
    QTest::newRow("before the oldest sale") << QDate(2026, 2, 28) << QList<double>{995, 996, 997, 998, 999};
    QTest::newRow("stops at the first later sale") << QDate(2026, 3, 3) << QList<double>{997, 998, 999};
    QTest::newRow("everything") << QDate(2026, 3, 5) << QList<double>{};
}

// Sales 995 to 999 dated 1, 2, 5, 3 and 4 March, two lines each; the
// invoice counter stands at 1000.
void fillRegister(TestDatabase &db)
{
    prepareMixedSale(db);
    TDataModule2 &dm = db.dm();
    const int days[] = {1, 2, 5, 3, 4};
    for (int i = 0; i < 5; ++i) {
        dm.tranmaster.append();
        dm.tranmaster.field("Trxh_id").setFloat(995 + i);
        dm.tranmaster.field("Trxh_date").setDate(QDate(2026, 3, days[i]));
        dm.tranmaster.post();
        for (int line = 0; line < 2; ++line) {
            dm.trandetail.append();
            dm.trandetail.field("Trx_id").setFloat(995 + i);
            dm.trandetail.post();
        }
    }
}

// The transaction numbers of a register table's records (its first column).
QList<double> registerNumbers(const QString &dataDirectory, const QString &table)
{
    QList<double> numbers;
    for (const QString &row : tableSnapshot(dataDirectory))
        if (row.startsWith(table + ':'))
            numbers << row.section(':', 1).section('|', 0, 0).toDouble();
    return numbers;
}

void TestTotalsReset::purge()
{
    QFETCH(QDate, upTo);
    QFETCH(QList<double>, kept);
    TestDatabase db;
    fillRegister(db);
    TDataModule2 &dm = db.dm();

    QCOMPARE(purgeSalesRegister(dm, upTo), 5 - int(kept.size()));
    QCOMPARE(registerNumbers(db.directory(), "tranmaster"), kept);
    QList<double> keptLines;
    for (double number : kept)
        keptLines << number << number;
    QCOMPARE(registerNumbers(db.directory(), "trandetail"), keptLines);
    // Numbering goes on from the counter, not from the register.
    QCOMPARE(postSale(dm, 7), 1000.0);
}

void TestTotalsReset::interruptedPurgeDeletesNothing()
{
    TestDatabase db;
    fillRegister(db);
    const QStringList before = tableSnapshot(db.directory());
    PostingCheckpoints::setHandler([](PostingCheckpoint reached) {
        if (reached == PostingCheckpoint::RegisterLinesPurged)
            throw StoreError(QStringLiteral("disk I/O error"));
    });
    QVERIFY_THROWS_EXCEPTION(StoreError, purgeSalesRegister(db.dm(), QDate(2026, 3, 5)));
    QCOMPARE(tableSnapshot(db.directory()), before);
}

QTEST_GUILESS_MAIN(TestTotalsReset)
#include "test_totals_reset.moc"
