// The table store's cursor rules, driven on real SQLite tables.
#include "test_database.h"

#include "store/store_error.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <cmath>
#include <optional>

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void init() { db_ = std::make_unique<TestDatabase>(); }
    void cleanup() { db_.reset(); }

    void emptyTableNavigation();
    void keyOrderAndNavigation();
    void findKeyFoundAndNotFound();
    void deleteMovesToNextOrPrevious();
    void editRules();
    void postKeepsRecordCurrentAndCancelRestores();
    void movingPostsOrDropsPendingRecord();
    void neverWrittenFieldsReadAsZero();
    void newRecordDefaults();
    void badValuesAreRefused_data();
    void badValuesAreRefused();
    void textIsCutToFieldSize();
    void duplicateKeyNamesTableAndValue();
    void filtersAndTheirSwitch();
    void salesRegisterRange_data();
    void salesRegisterRange();
    void masterDetailLink();
    void notificationsAndSuspend();
    void closedTableRefuses();
    void emptyTableOpenOrClosed();
    void rowsForGrids();
    void rowOfRecordFollowsEveryChange();
    void rowAndCountFromMarks_data();
    void rowAndCountFromMarks();
    void transactionRollbackResyncs();
    void postedRecordSurvivesReconnect();
    void addedRecordReadsAsStored_data();
    void addedRecordReadsAsStored();
    void changedRecordReadsAsStored_data();
    void changedRecordReadsAsStored();
    void writeDuringScanIsCommittedAndScanGoesOn();

private:
    void addHeader(double id, const QDate &date);
    void addLine(double id, const QString &desc);
    QList<double> productCodes();
    std::unique_ptr<TestDatabase> db_;
};

QList<double> TestTable::productCodes()
{
    QList<double> codes;
    Table &p = db_->dm().producttb;
    for (p.first(); !p.eof(); p.next())
        codes.append(p.field("Product_upc").asFloat());
    return codes;
}

void TestTable::addHeader(double id, const QDate &date)
{
    Table &h = db_->dm().tranmaster;
    h.append();
    h.field("Trxh_id").setFloat(id);
    h.field("Trxh_date").setDate(date);
    h.post();
}

void TestTable::addLine(double id, const QString &desc)
{
    Table &d = db_->dm().trandetail;
    d.append();
    d.field("Trx_id").setFloat(id);
    d.field("Trx_desc").setString(desc);
    d.post();
}

void TestTable::emptyTableNavigation()
{
    Table &p = db_->dm().producttb;
    QCOMPARE(p.recordCount(), 0);
    QVERIFY(p.eof());
    p.first();
    QVERIFY(p.eof());
    QVERIFY(!p.hasCurrent());
    p.next();
    QVERIFY(p.eof());
    QCOMPARE(p.field("Product_price").asFloat(), 0.0);
}

void TestTable::keyOrderAndNavigation()
{
    for (double upc : {300.0, 100.0, 200.0})
        db_->addProduct(upc, QStringLiteral("P%1").arg(upc), 1.0);
    QCOMPARE(productCodes(), (QList<double>{100, 200, 300}));

    Table &p = db_->dm().producttb;
    QVERIFY(p.eof()); // after next on the last record
    QCOMPARE(p.field("Product_upc").asFloat(), 300.0); // and still on it
    p.last();
    QVERIFY(!p.eof());
    p.prior();
    QCOMPARE(p.field("Product_upc").asFloat(), 200.0);
    p.prior();
    p.prior();
    QVERIFY(p.bof());
    QCOMPARE(p.field("Product_upc").asFloat(), 100.0);
    QCOMPARE(p.recordCount(), 3);
}

void TestTable::findKeyFoundAndNotFound()
{
    db_->addProduct(628130100017.0, QStringLiteral("Coffee"), 9.49);
    db_->addProduct(42, QStringLiteral("Answer"), 4.2);
    Table &p = db_->dm().producttb;
    QVERIFY(p.findKey(42.0));
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Answer"));
    QVERIFY(!p.findKey(43.0));
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Answer")); // did not move
    // Codes are numbers: leading zeros make no other product.
    QVERIFY(p.findKey(QStringLiteral("0628130100017")));
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Coffee"));
}

void TestTable::deleteMovesToNextOrPrevious()
{
    for (double upc : {1.0, 2.0, 3.0})
        db_->addProduct(upc, QStringLiteral("P"), 1.0);
    Table &p = db_->dm().producttb;
    QVERIFY(p.findKey(2.0));
    p.deleteRecord();
    QCOMPARE(p.field("Product_upc").asFloat(), 3.0); // the next one
    p.deleteRecord();
    QCOMPARE(p.field("Product_upc").asFloat(), 1.0); // the previous one after the last
    p.deleteRecord();
    QVERIFY(!p.hasCurrent());
    QCOMPARE(p.recordCount(), 0);
    QVERIFY_THROWS_EXCEPTION(StoreError, p.deleteRecord());
}

void TestTable::editRules()
{
    Table &c = db_->dm().Control;
    c.emptyTable();
    QCOMPARE(c.recordCount(), 0);
    c.edit(); // edit on an empty table starts a new record
    QCOMPARE(c.state(), TableState::Insert);
    c.field("Ctrl_company_name").setString(QStringLiteral("Shop"));
    c.edit(); // already editing: nothing happens, the value stays
    QCOMPARE(c.field("Ctrl_company_name").asString(), QStringLiteral("Shop"));
    c.post();
    QCOMPARE(c.recordCount(), 1);
    QVERIFY_THROWS_EXCEPTION(StoreError, c.field("Ctrl_company_name").setString(QStringLiteral("not in edit")));
    c.edit();
    QCOMPARE(c.state(), TableState::Edit);
    c.field("Ctrl_company_name").setString(QStringLiteral("Renamed"));
    c.post();
    QCOMPARE(c.recordCount(), 1);
    QCOMPARE(c.field("Ctrl_company_name").asString(), QStringLiteral("Renamed"));
}

void TestTable::postKeepsRecordCurrentAndCancelRestores()
{
    db_->addProduct(10, QStringLiteral("Ten"), 1.0);
    db_->addProduct(30, QStringLiteral("Thirty"), 1.0);
    Table &p = db_->dm().producttb;
    p.append();
    p.field("Product_upc").setFloat(20);
    p.post();
    QCOMPARE(p.field("Product_upc").asFloat(), 20.0);
    p.next();
    QCOMPARE(p.field("Product_upc").asFloat(), 30.0); // the cursor sits at the key's place

    p.append();
    p.field("Product_upc").setFloat(40);
    p.cancel();
    QCOMPARE(p.field("Product_upc").asFloat(), 30.0); // back where it was
    QCOMPARE(p.recordCount(), 3);

    p.edit();
    p.field("Product_short_desc").setString(QStringLiteral("Changed"));
    p.cancel();
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Thirty"));

    // Work lines keep entry order: the auto-increment key grows.
    Table &lines = db_->dm().tmpdetail;
    for (int i = 0; i < 3; ++i) {
        lines.append();
        lines.field("Trx_qty").setFloat(i);
        lines.post();
    }
    QCOMPARE(lines.field("Trx_qty").asFloat(), 2.0);
    lines.first();
    QCOMPARE(lines.field("Trx_qty").asFloat(), 0.0);
    const int firstId = lines.field("Trx_id").asInteger();
    lines.next();
    QVERIFY(lines.field("Trx_id").asInteger() > firstId);
}

void TestTable::movingPostsOrDropsPendingRecord()
{
    Table &lines = db_->dm().tmpdetail;
    lines.append();
    lines.first(); // nothing was written: the new record is dropped
    QCOMPARE(lines.recordCount(), 0);

    lines.append();
    lines.field("Trx_qty").setFloat(2);
    lines.first(); // written: the move posts it
    QCOMPARE(lines.recordCount(), 1);
    QCOMPARE(lines.state(), TableState::Browse);

    lines.edit();
    lines.field("Trx_qty").setFloat(5);
    lines.last();
    QCOMPARE(lines.field("Trx_qty").asFloat(), 5.0);
}

void TestTable::neverWrittenFieldsReadAsZero()
{
    Table &c = db_->dm().cashiertb;
    c.append();
    c.field("Cashier_id").setInteger(7);
    c.post();
    QVERIFY(c.field("Cashier_mc_sales").isNull());
    QCOMPARE(c.field("Cashier_mc_sales").asFloat(), 0.0);
    QCOMPARE(c.field("Cashier_name").asString(), QString());
    QCOMPARE(c.field("Cashier_name").displayText(), QString());

    Table &p = db_->dm().producttb;
    p.append();
    p.field("Product_upc").setFloat(1);
    p.post();
    QVERIFY(!p.field("Product_promo_start").asDate().isValid());
    QVERIFY(p.field("Product_short_desc").isNull());
    QVERIFY_THROWS_EXCEPTION(StoreError, p.field("No_such_field"));
}

void TestTable::newRecordDefaults()
{
    db_->dm().producttb.append();
    Table &p = db_->dm().producttb;
    p.field("Product_upc").setFloat(5);
    p.post();
    QCOMPARE(p.field("Product_dept").value(), QVariant(qint64(0)));
    for (const char *f : {"Product_price", "Product_promo", "Product_qty", "Product_avg_cost", "Product_sales",
                          "Product_sales_ptd"})
        QCOMPARE(p.field(f).value(), QVariant(0.0));
    for (const char *f : {"Product_tx1", "Product_tx2", "Product_tx3"})
        QCOMPARE(p.field(f).value(), QVariant(false));
    QVERIFY(p.field("Product_qty_sales").isNull());

    Table &c = db_->dm().cashiertb;
    c.append();
    QVERIFY(c.field("Cashier_type").asBoolean()); // a manager until edited
    QVERIFY(!c.field("Cashier_train").value().isNull());
    QCOMPARE(c.field("Cashier_no_trx").value(), QVariant(qint64(0)));
    QCOMPARE(c.field("Cashier_pickup").value(), QVariant(0.0));
    QVERIFY(c.field("Cashier_mc_change").isNull());
    QVERIFY(!c.modified()); // defaults alone do not count as typing
    c.cancel();

    Table &d = db_->dm().DeptTb;
    d.append();
    QCOMPARE(d.field("Dept_sales_ptd").value(), QVariant(0.0));
    QCOMPARE(d.field("Dept_tx3").value(), QVariant(false));
    QVERIFY(d.field("Dept_qty_sales").isNull());
    d.cancel();
}

void TestTable::badValuesAreRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("text in a float") << "Product_price" << QVariant("abc");
    QTest::newRow("text in an integer") << "Product_dept" << QVariant("x12");
    QTest::newRow("fraction in an integer") << "Product_accnt" << QVariant("1.5");
    QTest::newRow("integer out of range") << "Product_accnt" << QVariant(qint64(1) << 40);
    QTest::newRow("impossible date") << "Product_promo_start" << QVariant("2026-02-30");
    QTest::newRow("not a logical") << "Product_tx1" << QVariant("maybe");
}

void TestTable::badValuesAreRefused()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    db_->addProduct(1, QStringLiteral("One"), 2.0);
    Table &p = db_->dm().producttb;
    p.edit();
    const QVariant before = p.field(field).value();
    try {
        p.field(field).setValue(value);
        QFAIL("the value was accepted");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(field) && e.message().contains(QStringLiteral("product")),
                 qPrintable(e.message()));
    }
    QCOMPARE(p.field(field).value(), before);
    p.post();
    p.refresh();
    QCOMPARE(p.field("Product_price").asFloat(), 2.0);
}

void TestTable::textIsCutToFieldSize()
{
    Table &p = db_->dm().producttb;
    p.append();
    p.field("Product_upc").setFloat(1);
    p.field("Product_short_desc").setString(QStringLiteral("exactly twenty chars and more"));
    p.field("Product_promo_start").setValue(QStringLiteral("2026-03-01"));
    p.field("Product_price").setValue(QStringLiteral("19.99"));
    p.post();
    p.refresh();
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("exactly twenty chars"));
    QCOMPARE(p.field("Product_promo_start").asDate(), QDate(2026, 3, 1));
    QCOMPARE(p.field("Product_price").asFloat(), 19.99);
}

void TestTable::duplicateKeyNamesTableAndValue()
{
    db_->addProduct(123, QStringLiteral("First"), 1.0);
    Table &p = db_->dm().producttb;
    p.append();
    p.field("Product_upc").setFloat(123);
    p.field("Product_short_desc").setString(QStringLiteral("Second"));
    try {
        p.post();
        QFAIL("a duplicate key was accepted");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("product")) && e.message().contains(QStringLiteral("123")),
                 qPrintable(e.message()));
    }
    QCOMPARE(p.state(), TableState::Insert); // still pending, nothing written
    p.cancel();
    QCOMPARE(p.recordCount(), 1);
    QVERIFY(p.findKey(123.0));
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("First"));
}

void TestTable::filtersAndTheirSwitch()
{
    db_->addProduct(1, QStringLiteral("Sold"), 1.0);
    db_->addProduct(2, QStringLiteral("Not sold"), 1.0);
    db_->addProduct(3, QStringLiteral("Returned"), 1.0);
    Table &p = db_->dm().producttb;
    QVERIFY(p.findKey(1.0));
    p.edit();
    p.field("Product_sales").setFloat(5);
    p.post();
    QVERIFY(p.findKey(3.0));
    p.edit();
    p.field("Product_sales").setFloat(-2);
    p.post();
    // A record whose sales were never written reads as zero too.
    Table &raw = p;
    raw.append();
    raw.field("Product_upc").setFloat(4);
    raw.post();

    p.setFiltered(true);
    QCOMPARE(productCodes(), (QList<double>{1, 3}));
    QCOMPARE(p.recordCount(), 2);
    QVERIFY(!p.findKey(2.0));
    p.setFiltered(false);
    QCOMPARE(p.recordCount(), 4);

    // No product sold: the filtered table shows no record at all.
    for (p.first(); !p.eof(); p.next()) {
        p.edit();
        p.field("Product_sales").setFloat(0);
        p.post();
    }
    p.setFiltered(true);
    QCOMPARE(p.recordCount(), 0);
    QVERIFY(!p.hasCurrent());
    p.setFiltered(false);

    Table &d = db_->dm().DeptTb;
    db_->addDepartment(10, QStringLiteral("Grocery"));
    d.setFiltered(true);
    QCOMPARE(d.recordCount(), 0);
    d.setFiltered(false);
    QCOMPARE(d.recordCount(), 1);
}

void TestTable::salesRegisterRange_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<double>>("ids");
    QTest::newRow("one day") << QDate(2026, 3, 2) << QDate(2026, 3, 2) << QList<double>{2, 3};
    QTest::newRow("both bounds included") << QDate(2026, 3, 1) << QDate(2026, 3, 3) << QList<double>{1, 2, 3, 4};
    QTest::newRow("from after to") << QDate(2026, 3, 3) << QDate(2026, 3, 1) << QList<double>{};
    QTest::newRow("before everything") << QDate(2025, 1, 1) << QDate(2025, 12, 31) << QList<double>{};
}

void TestTable::salesRegisterRange()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<double>, ids);
    addHeader(1, QDate(2026, 3, 1));
    addHeader(2, QDate(2026, 3, 2));
    addHeader(3, QDate(2026, 3, 2));
    addHeader(4, QDate(2026, 3, 3));
    Table &h = db_->dm().tranmaster;
    db_->dm().setSalesRegisterRange(from, to);
    h.setFiltered(true);
    QList<double> seen;
    for (h.first(); !h.eof(); h.next())
        seen.append(h.field("Trxh_id").asFloat());
    h.setFiltered(false);
    QCOMPARE(seen, ids);
    QCOMPARE(h.recordCount(), 4);
}

void TestTable::masterDetailLink()
{
    addHeader(1000, QDate(2026, 3, 1));
    addLine(1000, QStringLiteral("a"));
    addLine(1000, QStringLiteral("b"));
    addHeader(1001, QDate(2026, 3, 1)); // no lines
    addHeader(1002, QDate(2026, 3, 1));
    addLine(1002, QStringLiteral("c"));

    Table &h = db_->dm().tranmaster;
    Table &d = db_->dm().trandetail;
    auto lines = [&] {
        QStringList descs;
        for (d.first(); !d.eof(); d.next())
            descs.append(d.field("Trx_desc").asString());
        return descs;
    };
    QVERIFY(h.findKey(1000.0));
    QCOMPARE(lines(), (QStringList{"a", "b"}));
    QCOMPARE(d.recordCount(), 2);
    h.next();
    QCOMPARE(d.recordCount(), 0);
    QVERIFY(!d.hasCurrent());
    h.next();
    QCOMPARE(lines(), (QStringList{"c"}));

    // A new line of a linked table takes the header's number by itself.
    d.append();
    QCOMPARE(d.field("Trx_id").asFloat(), 1002.0);
    d.field("Trx_desc").setString(QStringLiteral("d"));
    d.post();
    QCOMPARE(lines(), (QStringList{"c", "d"}));
    QVERIFY(d.field("Trx_seq").asInteger() > 0);
}

void TestTable::notificationsAndSuspend()
{
    Table &lines = db_->dm().tmpdetail;
    QSignalSpy views(&lines, &Table::changed);
    QSignalSpy moves(&lines, &Table::currentRecordChanged);
    lines.append();
    lines.field("Trx_qty").setFloat(1);
    lines.post();
    QVERIFY(views.count() >= 3);
    QVERIFY(moves.count() >= 1);

    views.clear();
    moves.clear();
    lines.disableControls();
    lines.disableControls();
    for (int i = 0; i < 5; ++i) {
        lines.append();
        lines.field("Trx_qty").setFloat(i);
        lines.post();
    }
    lines.enableControls();
    QCOMPARE(views.count(), 0);
    QVERIFY(moves.count() >= 5); // links follow even while views are suspended
    lines.enableControls();
    QCOMPARE(views.count(), 1); // one refresh when resumed
    lines.enableControls();     // a resume without a suspend does nothing
    QCOMPARE(views.count(), 1);
}

void TestTable::closedTableRefuses()
{
    Table &p = db_->dm().producttb;
    p.close();
    QVERIFY(!p.active());
    QVERIFY_THROWS_EXCEPTION(StoreError, p.first());
    QVERIFY_THROWS_EXCEPTION(StoreError, p.recordCount());
    QVERIFY_THROWS_EXCEPTION(StoreError, p.append());
    p.open();
    QCOMPARE(p.recordCount(), 0);
}

void TestTable::emptyTableOpenOrClosed()
{
    Table &lines = db_->dm().tmpdetail;
    for (int i = 0; i < 3; ++i) {
        lines.append();
        lines.field("Trx_qty").setFloat(i);
        lines.post();
    }
    lines.emptyTable();
    QCOMPARE(lines.recordCount(), 0);
    QVERIFY(!lines.hasCurrent());
    lines.append();
    lines.field("Trx_qty").setFloat(9);
    lines.post();
    lines.close();
    lines.emptyTable();
    lines.open();
    QCOMPARE(lines.recordCount(), 0);
}

void TestTable::rowsForGrids()
{
    for (double upc : {5.0, 1.0, 4.0, 2.0, 3.0})
        db_->addProduct(upc, QStringLiteral("P%1").arg(upc), upc);
    Table &p = db_->dm().producttb;
    const QList<TableRow> page = p.rows(1, 3);
    QCOMPARE(page.size(), 3);
    const int upc = p.fieldIndex("Product_upc");
    QCOMPARE(page[0].values[upc].toDouble(), 2.0);
    QCOMPARE(page[2].values[upc].toDouble(), 4.0);
    QVERIFY(p.findKey(4.0));
    QCOMPARE(p.currentRowIndex(), 3);
    QVERIFY(p.moveToRowid(page[0].rowid));
    QCOMPARE(p.field("Product_upc").asFloat(), 2.0);
}

// A grid asks again and again where the current record stands: the answer
// stays right after every kind of change, this program's or another's.
void TestTable::rowOfRecordFollowsEveryChange()
{
    Table &p = db_->dm().producttb;
    {
        StoreTransaction t(db_->dm().database());
        for (int i = 0; i < 700; ++i)
            db_->addProduct(1000 + 2 * i, QStringLiteral("P%1").arg(i), 1.0);
        t.commit();
    }
    const auto rowOf = [&p](double code) {
        return p.findKey(code) ? p.currentRowIndex() : -1;
    };
    for (int asked = 0; asked < 3; ++asked) { // counted, then from what was kept
        QCOMPARE(rowOf(2200), 600);
        QCOMPARE(rowOf(1000), 0);
        QCOMPARE(rowOf(1512), 256);
    }
    db_->addProduct(1001, QStringLiteral("Before"), 1.0);
    for (int asked = 0; asked < 3; ++asked)
        QCOMPARE(rowOf(2200), 601);
    {
        OwnConnection other(db_->databaseFile());
        QVERIFY(other.exec(QStringLiteral("DELETE FROM product WHERE Product_upc < 1100")));
    }
    for (int asked = 0; asked < 3; ++asked)
        QCOMPARE(rowOf(2200), 550);
}

// Over a large table the row and the record count come from marks read
// ahead: they agree with counting, whatever keys follow the numbers.
void TestTable::rowAndCountFromMarks_data()
{
    QTest::addColumn<QStringList>("textKeys");
    QTest::newRow("numbers only") << QStringList();
    QTest::newRow("texts after the numbers") << QStringList{QStringLiteral("A1"), QStringLiteral("B2")};
}

void TestTable::rowAndCountFromMarks()
{
    QFETCH(QStringList, textKeys);
    Table &p = db_->dm().producttb;
    {
        StoreTransaction t(db_->dm().database());
        for (int i = 0; i < 700; ++i)
            db_->addProduct(1000 + 2 * i, QStringLiteral("P%1").arg(i), 1.0);
        t.commit();
    }
    {
        OwnConnection other(db_->databaseFile());
        for (const QString &key : textKeys)
            QVERIFY(other.exec(QStringLiteral("INSERT INTO product (Product_upc) VALUES ('%1')").arg(key)));
    }
    const int records = 700 + int(textKeys.size());
    QCOMPARE(p.recordCount(), records);
    const std::pair<double, int> rows[] = {{1000, 0}, {1510, 255}, {1512, 256}, {2398, 699}};
    for (int asked = 0; asked < 3; ++asked) { // counted, then from the marks
        for (const auto &[code, row] : rows) {
            QVERIFY(p.findKey(code));
            int count = -1;
            QCOMPARE(p.currentRowIndex(&count), row);
            if (asked > 0)
                QCOMPARE(count, records);
        }
    }
}

void TestTable::transactionRollbackResyncs()
{
    db_->addProduct(1, QStringLiteral("One"), 1.0);
    TDataModule2 &dm = db_->dm();
    try {
        StoreTransaction t(dm.database());
        db_->addProduct(2, QStringLiteral("Two"), 1.0);
        QCOMPARE(dm.producttb.field("Product_upc").asFloat(), 2.0);
        throw StoreError(QStringLiteral("interrupted"));
    } catch (const StoreError &) {
    }
    QCOMPARE(dm.producttb.recordCount(), 1);
    QCOMPARE(dm.producttb.field("Product_upc").asFloat(), 1.0); // not a vanished record

    {
        StoreTransaction t(dm.database());
        db_->addProduct(3, QStringLiteral("Three"), 1.0);
        {
            StoreTransaction inner(dm.database());
            db_->addProduct(4, QStringLiteral("Four"), 1.0);
        } // inner rolled back
        t.commit();
    }
    QCOMPARE(productCodes(), (QList<double>{1, 3}));
}

void TestTable::postedRecordSurvivesReconnect()
{
    db_->addProduct(77, QStringLiteral("Kept"), 7.7);
    db_->dm().tmpdetail.append();
    db_->dm().tmpdetail.field("Trx_qty").setFloat(3);
    db_->dm().tmpdetail.post();
    db_->reconnect();
    QVERIFY(db_->dm().producttb.findKey(77.0));
    QCOMPARE(db_->dm().producttb.field("Product_price").asFloat(), 7.7);
    QCOMPARE(db_->dm().tmpdetail.recordCount(), 1);
}

namespace {

// Every field of the current record, told apart by type, a null text from
// an empty one, the sign of a zero and each UTF-16 unit.
QStringList describedRecord(Table &t)
{
    QStringList fields;
    for (int i = 0; i < t.fieldCount(); ++i) {
        const QVariant v = t.field(i).value();
        QString text;
        QDebug(&text) << qSetRealNumberPrecision(17) << t.field(i).name() << v << v.toString().isNull()
                      << std::signbit(v.toDouble());
        fields.append(text);
    }
    return fields;
}

}

void TestTable::addedRecordReadsAsStored_data()
{
    QTest::addColumn<bool>("workTable");
    QTest::newRow("work line, on its own") << true;
    QTest::newRow("posted line, in a transaction") << false;
}

// A record just added is not read back where what the database holds can
// be told without it: it reads exactly as it does once read back.
void TestTable::addedRecordReadsAsStored()
{
    QFETCH(bool, workTable);
    Table &t = workTable ? db_->dm().tmpdetail : db_->dm().trandetail;
    std::optional<StoreTransaction> transaction;
    if (!workTable)
        transaction.emplace(db_->dm().database());
    for (const double quantity : {-0.0, 2.5}) {
        t.append();
        if (!workTable)
            t.field("Trx_id").setFloat(5);
        t.field("Trx_qty").setFloat(quantity);
        t.field("Trx_total").setFloat(-0.0 * quantity);
        t.field("Trx_desc").setString(QStringLiteral("Caf\u00e9 ") + QChar(0xD800)); // half a surrogate pair
        t.field("Trx_short_desc").setString(quantity == 0 ? QString() : QStringLiteral(""));
        t.field("Trx_promo").setBoolean(true);
        t.field("Trx_cpn").setInteger(3);
        t.post();
        const QStringList posted = describedRecord(t);
        t.refresh();
        QCOMPARE(describedRecord(t), posted);
    }
}

void TestTable::changedRecordReadsAsStored_data()
{
    QTest::addColumn<bool>("readBeforeTransaction");
    QTest::newRow("read and changed in one transaction") << false;
    QTest::newRow("read before the transaction") << true;
}

// A record changed is not read back when it was read in the transaction
// that writes it; read before, it is, and shows what another program
// wrote meanwhile in the fields this change leaves alone.
void TestTable::changedRecordReadsAsStored()
{
    QFETCH(bool, readBeforeTransaction);
    db_->addProduct(7, QStringLiteral("Tea"), 2.5);
    Table &p = db_->dm().producttb;
    std::optional<StoreTransaction> transaction;
    if (!readBeforeTransaction)
        transaction.emplace(db_->dm().database());
    QVERIFY(p.findKey(7.0));
    {
        OwnConnection other(db_->databaseFile());
        QSqlQuery q(other.db());
        if (readBeforeTransaction)
            QVERIFY(q.exec(QStringLiteral("UPDATE product SET Product_desc = 'Green tea' WHERE Product_upc = 7")));
    }
    if (readBeforeTransaction)
        transaction.emplace(db_->dm().database());
    p.edit();
    p.field("Product_qty").setFloat(-0.0);
    p.field("Product_short_desc").setString(QStringLiteral("Thé ") + QChar(0xD800));
    p.post();
    const QStringList posted = describedRecord(p);
    QCOMPARE(p.field("Product_desc").asString(),
             readBeforeTransaction ? QStringLiteral("Green tea") : QStringLiteral("Tea (long)"));
    p.refresh();
    QCOMPARE(describedRecord(p), posted);
}

void TestTable::writeDuringScanIsCommittedAndScanGoesOn()
{
    for (double upc : {1.0, 2.0, 3.0, 4.0})
        db_->addProduct(upc, QStringLiteral("P"), 1.0);
    Table &p = db_->dm().producttb;
    p.first();
    p.next(); // a forward read is now open on product
    db_->addCashier(5, QStringLiteral("Written mid-scan"));

    // Another connection sees the cashier at once: the open read did not
    // hold the write in an uncommitted transaction.
    {
        OwnConnection other(db_->databaseFile());
        QSqlQuery q(other.db());
        QVERIFY(q.exec(QStringLiteral("SELECT Cashier_name FROM cashier WHERE Cashier_id = 5")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Written mid-scan"));
    }

    // The scan goes on from where it stood, also across edits of its own table.
    QList<double> seen{p.field("Product_upc").asFloat()};
    for (p.next(); !p.eof(); p.next()) {
        seen.append(p.field("Product_upc").asFloat());
        p.edit();
        p.field("Product_qty").setFloat(9);
        p.post();
    }
    QCOMPARE(seen, (QList<double>{2, 3, 4}));
    db_->dm().producttb.setFiltered(false);
}

QTEST_MAIN(TestTable)
#include "test_table.moc"
