// Two lanes and a real store server sharing one shop: what one lane (or
// plain SQL on the server) changes reaches the other, offline lanes catch
// up, edits made on both sides follow the rule, stock is the store's.

#include "postgres_cluster.h"
#include "store_lanes.h"
#include "test_database.h"

#include "common/pin_secret.h"
#include "lanes/lane_status.h"
#include "lanes/server_connection.h"
#include "lanes/shop_tables.h"
#include "lanes/store_stock.h"
#include "store/data_module.h"
#include "store/sign_in_tables.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

namespace {

enum class Scenario {
    PriceChangedOnALane,
    PlainSqlOnTheServer,
    OfflineLaneCatchesUp,
    EditsOnTwoLanes,
    CashierSignsInElsewhere,
    TerminalFieldsStay,
    StoreStock,
};

constexpr double Bread = 62813100018;
constexpr double Wheat = 62813100025;
constexpr double Croissants = 62813100032;

QString code(double upc)
{
    return QString::number(upc, 'f', 0);
}

QString program(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// tillano-sync as the till runs it, until the object goes.
class RunningSync {
public:
    explicit RunningSync(const TestLane &lane)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program("tillano-sync"), {QStringLiteral("--settings"), lane.settings});
        process_.waitForStarted();
    }
    ~RunningSync()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

// The lane as a back-office window changes it: one field of one record.
void setOnLane(const TestLane &lane, Table TDataModule2::*table, const QVariant &key, const QString &field,
               const QVariant &value)
{
    TDataModule2 dm;
    dm.connectTo(lane.directory);
    dm.openTablesForStartUp();
    Table &t = dm.*table;
    if (key.isValid())
        QVERIFY(t.findKey(key));
    else
        t.first();
    t.edit();
    t.field(field).setValue(value);
    t.post();
}

void deleteOnLane(const TestLane &lane, double upc)
{
    TDataModule2 dm;
    dm.connectTo(lane.directory);
    dm.openTablesForStartUp();
    QVERIFY(dm.producttb.findKey(upc));
    dm.producttb.deleteRecord();
}

QVariant onLane(const TestLane &lane, const QString &sql)
{
    OwnConnection db(lane.databaseFile());
    QSqlQuery q(db.db());
    q.exec(sql);
    return q.next() ? q.value(0) : QVariant();
}

// A shop table's rows, the shop's fields only, as JSON text per row.
QStringList rowsOf(QSqlQuery &&q, const ShopTables::ShopTable &t)
{
    QStringList rows;
    while (q.next()) {
        QJsonArray row;
        for (int i = 0; i < t.columns.size(); ++i)
            row.append(ShopTables::toJson(ShopTables::fromServer(q.value(i), t.columns[i].kind), t.columns[i].kind));
        rows << QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact));
    }
    return rows;
}

QStringList laneRows(const TestLane &lane, const QString &table)
{
    const ShopTables::ShopTable &t = ShopTables::named(table);
    OwnConnection db(lane.databaseFile());
    QSqlQuery q(db.db());
    q.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY 1").arg(t.columnList(), t.name));
    return rowsOf(std::move(q), t);
}

}

class TestShopData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lanesShareTheShop_data();
    void lanesShareTheShop();

private:
    TestLane lane(int terminal);
    QStringList serverRows(const QString &table);
    QVariant onServer(const QString &sql);
    void drain(const TestLane &lane);

    PostgresCluster cluster_;
    QTemporaryDir work_;
    QString database_;
    int stores_ = 0;
};

void TestShopData::initTestCase()
{
    const QString failure = cluster_.start();
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));
    cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE tillano LOGIN CREATEROLE"));
    qputenv("TILLANO_MACHINE_ID", "test-machine");
}

TestLane TestShopData::lane(int terminal)
{
    TestLane lane;
    const QString failure = TestLane::prepare(lane, work_.filePath(database_),
                                              cluster_.conninfo(database_, QStringLiteral("lane")), 1, terminal);
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
    return lane;
}

QStringList TestShopData::serverRows(const QString &table)
{
    const ShopTables::ShopTable &t = ShopTables::named(table);
    ServerConnection server(cluster_.conninfo(database_));
    server.open();
    QSqlQuery q(server.database());
    q.exec(QStringLiteral("SELECT %1 FROM tillano.\"%2\" WHERE \"Store_id\" = 1 ORDER BY 1").arg(t.columnList(), t.name));
    return rowsOf(std::move(q), t);
}

QVariant TestShopData::onServer(const QString &sql)
{
    return cluster_.query(database_, sql).value(0).value(0);
}

void TestShopData::drain(const TestLane &lane)
{
    const SyncRun run = runSync(lane);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
}

void TestShopData::lanesShareTheShop_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::newRow("a price changed on lane 1 is lane 2's next scan") << Scenario::PriceChangedOnALane;
    QTest::newRow("plain SQL on the server reaches a lane") << Scenario::PlainSqlOnTheServer;
    QTest::newRow("an offline lane sells, then catches up") << Scenario::OfflineLaneCatchesUp;
    QTest::newRow("one product edited on two lanes, one offline") << Scenario::EditsOnTwoLanes;
    QTest::newRow("a cashier made on lane 1 signs in on lane 2") << Scenario::CashierSignsInElsewhere;
    QTest::newRow("the terminal's own fields stay on it") << Scenario::TerminalFieldsStay;
    QTest::newRow("stock and average cost are the store's") << Scenario::StoreStock;
}

void TestShopData::lanesShareTheShop()
{
    QFETCH(Scenario, scenario);
    database_ = QStringLiteral("shop%1").arg(++stores_);
    cluster_.createDatabase(database_, QStringLiteral("tillano"));
    QProcess init;
    init.start(program("tillano-server"), {QStringLiteral("init"), cluster_.conninfo(database_, QStringLiteral("tillano"))});
    QVERIFY(init.waitForFinished() && init.exitCode() == 0);
    if (cluster_.query(QStringLiteral("postgres"), QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = 'lane'")).isEmpty())
        cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE lane LOGIN IN ROLE tillano_lane"));
    // Lane 1 sends the demo shop up; lane 2 is filled from the server.
    const TestLane one = lane(1);
    const TestLane two = lane(2);
    QCOMPARE(laneRows(two, QStringLiteral("product")), serverRows(QStringLiteral("product")));

    switch (scenario) {
    case Scenario::PriceChangedOnALane: {
        RunningSync syncOne(one);
        RunningSync syncTwo(two);
        LaneSeller till(two.directory); // lane 2's till, open all along
        for (const TestLane &l : {one, two})
            QTRY_COMPARE_WITH_TIMEOUT(onLane(l, QStringLiteral("SELECT \"State_reached\" FROM lane_sync_state")).toInt(), 1,
                                      30000);
        QElapsedTimer took;
        took.start();
        setOnLane(one, &TDataModule2::producttb, Bread, QStringLiteral("Product_price"), 3.49);
        Table &products = till.dataModule().producttb;
        QTRY_COMPARE_WITH_TIMEOUT((products.findKey(Bread), products.field(QStringLiteral("Product_price")).asFloat()),
                                  3.49, 30000);
        qInfo("The new price was lane 2's after %lld ms", took.elapsed());
        break;
    }
    case Scenario::PlainSqlOnTheServer: {
        RunningSync syncTwo(two);
        cluster_.query(database_, QStringLiteral(
            "UPDATE tillano.product SET \"Product_price\" = 1.25 WHERE \"Product_upc\" = %1;"
            "DELETE FROM tillano.product WHERE \"Product_upc\" = %2;"
            "INSERT INTO tillano.product (\"Store_id\", \"Product_upc\", \"Product_desc\", \"Product_price\") "
            "SELECT 1, 1000 + n, 'Head office item ' || n, n FROM generate_series(1, 3000) n;"
            "UPDATE tillano.control SET \"Ctrl_slip_mess\" = 'Thank you!'").arg(code(Bread), code(Wheat)));
        QTRY_COMPARE_WITH_TIMEOUT(laneRows(two, QStringLiteral("product")), serverRows(QStringLiteral("product")), 30000);
        QCOMPARE(onLane(two, QStringLiteral("SELECT count(*) || ' ' || sum(\"Product_price\" = 1.25 AND \"Product_upc\" = %1) "
                                            "|| ' ' || sum(\"Product_upc\" = %2) FROM product").arg(code(Bread), code(Wheat)))
                     .toString(),
                 QStringLiteral("3035 1 0"));
        QTRY_COMPARE_WITH_TIMEOUT(onLane(two, QStringLiteral("SELECT \"Ctrl_slip_mess\" FROM control")).toString(),
                                  QStringLiteral("Thank you!"), 30000);
        // A new lane is filled with all of it.
        QCOMPARE(laneRows(lane(3), QStringLiteral("product")), serverRows(QStringLiteral("product")));
        break;
    }
    case Scenario::OfflineLaneCatchesUp: {
        LaneSeller(two.directory).sellThese({{Bread, 1}});
        setOnLane(one, &TDataModule2::producttb, Bread, QStringLiteral("Product_price"), 9.99);
        deleteOnLane(one, Croissants);
        drain(one);
        // Lane 2 has heard nothing: it sells with what it has.
        LaneSeller(two.directory).sellThese({{Bread, 2}, {Croissants, 1}});
        drain(two);
        for (const char *table : {"product", "Dept", "cashier", "control"})
            QCOMPARE(laneRows(two, QLatin1String(table)), serverRows(QLatin1String(table)));
        QCOMPARE(onLane(two, QStringLiteral("SELECT group_concat(\"Trx_price\", ' ') FROM (SELECT \"Trx_price\" "
                                            "FROM trandetail ORDER BY \"Trx_id\", \"Trx_seq\")")).toString(),
                 QStringLiteral("2.99 2.99 4.99"));
        QCOMPARE(laneAgainstServer(two, cluster_, database_), QString());
        break;
    }
    case Scenario::EditsOnTwoLanes: {
        // Lane 2, offline, changes the price of bread and the name of
        // wheat bread; lane 1 changes the price of bread first.
        setOnLane(two, &TDataModule2::producttb, Bread, QStringLiteral("Product_price"), 5.55);
        setOnLane(two, &TDataModule2::producttb, Wheat, QStringLiteral("Product_desc"), QStringLiteral("Brown bread"));
        setOnLane(one, &TDataModule2::producttb, Bread, QStringLiteral("Product_price"), 6.66);
        setOnLane(one, &TDataModule2::producttb, Wheat, QStringLiteral("Product_price"), 3.33);
        drain(one);
        const LaneStatus waiting = [&] {
            Database db;
            db.open(two.directory);
            return LaneStatus::read(db);
        }();
        QCOMPARE(waiting.editsWaiting, 2);
        drain(two);
        drain(one);
        // The newer price stays; lane 2's is kept aside, whole, and said.
        QCOMPARE(onServer(QStringLiteral("SELECT \"Product_price\" || ' ' || \"Product_desc\" FROM tillano.product "
                                         "WHERE \"Product_upc\" = %1").arg(code(Wheat))).toString(),
                 QStringLiteral("3.33 Brown bread"));
        QCOMPARE(onServer(QStringLiteral("SELECT string_agg(\"Terminal_id\" || ' ' || row_key || ' ' || "
                                         "(lane_row ->> 'Product_price') || ' ' || (server_row ->> 'Product_price') "
                                         "|| ' ' || reason, '; ') FROM tillano.edits_set_aside")).toString(),
                 QStringLiteral("2 %1 5.55 6.66 changed at the store server or on another lane since this lane last "
                                "had it (Product_price)").arg(code(Bread)));
        for (const TestLane &l : {one, two})
            QCOMPARE(laneRows(l, QStringLiteral("product")), serverRows(QStringLiteral("product")));
        Database db;
        db.open(two.directory);
        QCOMPARE(LaneStatus::read(db).text(true),
                 QStringLiteral("Store server: connected · 1 change not applied (changed elsewhere first)"));
        QProcess status;
        status.start(program("tillano-server"), {QStringLiteral("status"), cluster_.conninfo(database_)});
        QVERIFY(status.waitForFinished());
        QVERIFY(QString::fromLocal8Bit(status.readAllStandardOutput()).contains(QStringLiteral("Edits not applied")));
        break;
    }
    case Scenario::CashierSignsInElsewhere: {
        {
            TDataModule2 dm;
            dm.connectTo(one.directory);
            dm.openTablesForStartUp();
            Table &cashiers = dm.cashiertb;
            cashiers.append();
            cashiers.field(QStringLiteral("Cashier_id")).setInteger(77);
            cashiers.field(QStringLiteral("Cashier_name")).setString(QStringLiteral("Nadia"));
            cashiers.field(QStringLiteral("Cashier_type")).setBoolean(false);
            cashiers.post();
            SignInTables::keepSecret(dm.database(), 77, PinSecret::forPin(QStringLiteral("4821")));
            SignInTables::setSecretCodesRequired(dm.database(), true);
        }
        drain(one);
        drain(two);
        Database db;
        db.open(two.directory);
        QVERIFY(SignInTables::secretCodesRequired(db));
        const std::optional<PinSecret> secret = SignInTables::secretOf(db, 77);
        QVERIFY(secret && secret->matches(QStringLiteral("4821")) && !secret->matches(QStringLiteral("4822")));
        QCOMPARE(onLane(two, QStringLiteral("SELECT \"Cashier_name\" FROM cashier WHERE \"Cashier_id\" = 77")).toString(),
                 QStringLiteral("Nadia"));
        break;
    }
    case Scenario::TerminalFieldsStay: {
        const QVariant invoiceTwo = onLane(two, QStringLiteral("SELECT CAST(\"Ctrl_invoice_no\" AS INTEGER) FROM control"));
        {
            OwnConnection db(one.databaseFile());
            QVERIFY(db.exec(QStringLiteral("UPDATE control SET \"Ctrl_invoice_no\" = 5000, \"Ctrl_company_name\" = "
                                           "'Corner Market'")));
        }
        drain(one);
        drain(two);
        QCOMPARE(onLane(two, QStringLiteral("SELECT \"Ctrl_company_name\" || ' ' || \"Ctrl_terminal_id\" || ' ' || "
                                            "CAST(\"Ctrl_invoice_no\" AS INTEGER) FROM control")).toString(),
                 QStringLiteral("Corner Market 2 %1").arg(invoiceTwo.toString()));
        QCOMPARE(onServer(QStringLiteral("SELECT count(*) FROM information_schema.columns WHERE table_schema = "
                                         "'tillano' AND table_name = 'control' AND column_name IN "
                                         "('Ctrl_invoice_no', 'Ctrl_terminal_id')")).toInt(), 0);
        break;
    }
    case Scenario::StoreStock: {
        const double before = onServer(QStringLiteral("SELECT \"Product_qty\" FROM tillano.product WHERE "
                                                      "\"Product_upc\" = %1").arg(code(Bread))).toDouble();
        LaneSeller(one.directory).sellThese({{Bread, 2}});
        LaneSeller(two.directory).sellThese({{Bread, 3}});
        // The person's correction on lane 1 counts once, beside the sales.
        setOnLane(one, &TDataModule2::producttb, Bread, QStringLiteral("Product_price"), 3.19);
        LaneSeller(one.directory).sellThese({{Bread, 1}});
        drain(one);
        drain(two);
        drain(one);
        QCOMPARE(onServer(QStringLiteral("SELECT \"Product_qty\" FROM tillano.product WHERE \"Product_upc\" = %1")
                              .arg(code(Bread))).toDouble(), before - 6);
        // A receipt on lane 2 averages over the store's quantity.
        // The price edit left the average cost as it was.
        const double cost = onServer(QStringLiteral("SELECT \"Product_avg_cost\" FROM tillano.product WHERE "
                                                    "\"Product_upc\" = %1").arg(code(Bread))).toDouble();
        QCOMPARE(cost, 1.45);
        LaneSeller(two.directory).receiveThese({{Bread, 10}}, 2.00);
        drain(two);
        drain(one);
        const double expected = std::round(((before - 6) * cost + 20) / (before + 4) * 1e4) / 1e4;
        for (const TestLane &l : {one, two}) {
            QCOMPARE(laneRows(l, QStringLiteral("product")), serverRows(QStringLiteral("product")));
            QCOMPARE(onLane(l, QStringLiteral("SELECT \"Product_qty\" FROM product WHERE \"Product_upc\" = %1")
                                   .arg(code(Bread))).toDouble(), before + 4);
            QCOMPARE(std::round(onLane(l, QStringLiteral("SELECT \"Product_avg_cost\" FROM product WHERE "
                                                         "\"Product_upc\" = %1").arg(code(Bread))).toDouble() * 1e4) / 1e4,
                     expected);
        }
        Database db;
        db.open(one.directory);
        const QStringList said = StoreStock::text(*StoreStock::read(db), 4);
        QCOMPARE(said.size(), 2);
        QVERIFY2(said[1].startsWith(QStringLiteral("Other lanes' sales counted: lane 2 up to ")),
                 qPrintable(said.join('\n')));
        break;
    }
    }
}

QTEST_GUILESS_MAIN(TestShopData)
#include "test_shop_data.moc"
