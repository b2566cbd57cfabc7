#include "store_lanes.h"

#include "postgres_cluster.h"
#include "test_database.h"

#include "data_directory_setup.h"
#include "lane_setup.h"
#include "lanes/server_connection.h"
#include "posting/sale_posting.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

QString TestLane::prepare(TestLane &lane, const QString &root, const QString &conninfo, int store, int terminal,
                          bool replace)
{
    lane.directory = QDir(root).filePath(QStringLiteral("lane-%1-%2").arg(store).arg(terminal));
    lane.settings = lane.directory + QStringLiteral(".ini");
    lane.store = store;
    lane.terminal = terminal;
    SetupOptions options;
    options.directory = lane.directory;
    options.settingsPath = lane.settings;
    options.demo = true;
    options.server = conninfo;
    options.store = store;
    options.terminal = terminal;
    options.replace = replace;
    return prepareDataDirectory(options);
}

QString TestLane::databaseFile() const
{
    return QDir(directory).filePath(QStringLiteral("posdb.sqlite3"));
}

LaneSeller::LaneSeller(const QString &directory, unsigned seed, bool varied)
    : dm_(std::make_unique<TDataModule2>()), state_(seed), varied_(varied)
{
    dm_->connectTo(directory);
    dm_->openTablesForStartUp();
    Table &p = dm_->producttb;
    for (p.first(); !p.eof(); p.next())
        products_.append(p.field(QStringLiteral("Product_upc")).asFloat());
}

LaneSeller::~LaneSeller() = default;

void LaneSeller::sell(int sales, int perTransaction)
{
    for (int done = 0; done < sales;) {
        StoreTransaction transaction(dm_->database());
        for (int i = 0; i < perTransaction && done < sales; ++i, ++done)
            sellOne();
        transaction.commit();
    }
}

void LaneSeller::ringLines(int count, bool receiving)
{
    for (int i = 0; i < count; ++i) {
        const double upc = products_[int(next(unsigned(products_.size())))];
        ringLine(upc, 1 + next(3), receiving);
    }
}

void LaneSeller::ringLine(double upc, double qty, bool receiving)
{
    Table &lines = dm_->tmpdetail;
    Table &products = dm_->producttb;
    {
        products.findKey(upc);
        const double price = products.field(receiving ? QStringLiteral("Product_avg_cost") : QStringLiteral("Product_price")).asFloat();
        lines.append();
        lines.field(QStringLiteral("Trx_upc")).setFloat(upc);
        lines.field(QStringLiteral("Trx_short_desc")).setString(products.field(QStringLiteral("Product_short_desc")).asString());
        lines.field(QStringLiteral("Trx_desc")).setString(products.field(QStringLiteral("Product_desc")).asString());
        lines.field(QStringLiteral("Trx_qty")).setFloat(qty);
        lines.field(QStringLiteral("Trx_price")).setFloat(price);
        lines.field(QStringLiteral("Trx_dscamt")).setFloat(0);
        lines.field(QStringLiteral("Trx_total")).setFloat(qty * price);
        lines.field(QStringLiteral("Trx_cost")).setFloat(products.field(QStringLiteral("Product_avg_cost")).asFloat());
        lines.field(QStringLiteral("Trx_dsc_per")).setFloat(0);
        for (const char *tax : {"Trx_tx1", "Trx_tx2", "Trx_tx3"})
            lines.field(QLatin1String(tax)).setBoolean(false);
        lines.post();
    }
}

unsigned LaneSeller::next(unsigned n)
{
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 16) % n;
}

void LaneSeller::sellOne()
{
    if (varied_) {
        sellVaried();
        return;
    }
    ringLines(1 + int(next(4)), false);
    postWorkSale();
}

void LaneSeller::sellThese(const QList<std::pair<double, double>> &lines)
{
    for (const auto &[upc, qty] : lines)
        ringLine(upc, qty, false);
    postWorkSale();
}

void LaneSeller::receiveThese(const QList<std::pair<double, double>> &lines, double cost)
{
    for (const auto &[upc, qty] : lines) {
        ringLine(upc, qty, true);
        dm_->tmpdetail.edit();
        dm_->tmpdetail.field(QStringLiteral("Trx_price")).setFloat(cost);
        dm_->tmpdetail.field(QStringLiteral("Trx_total")).setFloat(qty * cost);
        dm_->tmpdetail.post();
    }
    receiveStock(*dm_, readWorkSale(*dm_, 2, false));
    dm_->tmpdetail.emptyTable();
}

void LaneSeller::postWorkSale()
{
    TDataModule2 &dm = *dm_;
    double subtotal = 0;
    for (const TableRow &row : dm.tmpdetail.rows(0, 100))
        subtotal += row.values[dm.tmpdetail.fieldIndex(QStringLiteral("Trx_total"))].toDouble();
    Table &header = dm.tmpmaster;
    header.append();
    header.field(QStringLiteral("Trxh_date")).setDate(QDate(2026, 3, 9));
    header.field(QStringLiteral("Trxh_time")).setTime(QTime(9, 0).addSecs(int(next(36000))));
    header.field(QStringLiteral("Trxh_cashier")).setInteger(2);
    for (const FieldDef &f : header.definition().fields)
        if (f.type == FieldType::Money)
            header.field(f.name).setFloat(0);
    header.field(QStringLiteral("Trxh_total")).setFloat(subtotal);
    header.field(QStringLiteral("Trxh_grand_total")).setFloat(subtotal);
    header.field(QStringLiteral("Trxh_pmt1")).setFloat(std::ceil(subtotal));
    header.post();
    SaleRecord sale = readWorkSale(dm, 2, false);
    postSale(dm, sale);
    dm.tmpdetail.emptyTable();
    header.emptyTable();
}

void LaneSeller::sellVaried()
{
    TDataModule2 &dm = *dm_;
    dm.Control.first();
    const double sign = next(10) == 0 ? -1 : 1;
    Table &lines = dm.tmpdetail;
    const auto setLine = [&lines](const char *field, double value) { lines.field(QLatin1String(field)).setFloat(value); };
    QList<LineAmount> amounts;
    for (int i = 1 + int(next(4)); i > 0; --i) {
        Table &p = dm.producttb;
        p.findKey(products_[int(next(unsigned(products_.size())))]);
        // Priced as the sale window prices a line.
        const long double qty = sign * (next(4) == 0 ? 0.25L * (1 + next(8)) : 1 + next(3));
        const long double price = p.field(QStringLiteral("Product_price")).asFloat();
        const long double percent = next(3) == 0 ? 5 * (1 + next(4)) : 0;
        const double discount = double(percent * 0.01L * (qty * price));
        LineAmount amount{double(qty * price - discount), {}};
        lines.append();
        for (const char *copied : {"upc", "short_desc", "desc"})
            lines.field(QStringLiteral("Trx_") + QLatin1String(copied))
                .setValue(p.field(QStringLiteral("Product_") + QLatin1String(copied)).value());
        setLine("Trx_cost", p.field(QStringLiteral("Product_avg_cost")).asFloat());
        setLine("Trx_qty", double(qty));
        setLine("Trx_price", double(price));
        setLine("Trx_dsc_per", double(percent));
        setLine("Trx_dscamt", discount);
        setLine("Trx_total", amount.total);
        for (int t = 0; t < 3; ++t) {
            amount.taxed[t] = p.field(QStringLiteral("Product_tx%1").arg(t + 1)).asBoolean();
            lines.field(QStringLiteral("Trx_tx%1").arg(t + 1)).setBoolean(amount.taxed[t]);
        }
        lines.post();
        amounts.append(amount);
    }
    const SaleTotals totals = saleTotals(amounts, taxRulesOf(currentRecord(dm.Control)));
    Table &header = dm.tmpmaster;
    const auto set = [&header](const QString &field, double value) { header.field(field).setFloat(value); };
    header.append();
    header.field(QStringLiteral("Trxh_date")).setDate(QDate(2026, 3, 7).addDays(next(3)));
    header.field(QStringLiteral("Trxh_time")).setTime(QTime(9, 0).addSecs(int(next(36000))));
    const int cashier = 1 + int(next(2));
    header.field(QStringLiteral("Trxh_cashier")).setInteger(cashier);
    for (const FieldDef &f : header.definition().fields)
        if (f.type == FieldType::Money)
            set(f.name, 0);
    set(QStringLiteral("Trxh_total"), totals.subtotal);
    for (int t = 0; t < 3; ++t)
        set(QStringLiteral("Trxh_tx%1").arg(t + 1), totals.taxes[t]);
    const double grand = totals.grandTotal;
    set(QStringLiteral("Trxh_grand_total"), grand);
    // Cash with change, the second mode exactly, a coupon and cash, or foreign currency.
    const unsigned tender = grand < 0 ? 1 : next(4);
    if (tender == 0 || tender == 2)
        set(QStringLiteral("Trxh_pmt1"), std::ceil(grand - (tender == 2 ? 2 : 0)));
    if (tender == 1)
        set(QStringLiteral("Trxh_pmt2"), Money::fromDouble(grand).roundedToCents().toDouble());
    if (tender == 2)
        set(QStringLiteral("Trxh_cpn1"), 2);
    if (tender == 3)
        set(QStringLiteral("Trxh_fc1"), std::ceil(grand / dm.Control.field(QStringLiteral("Ctrl_fc_rate")).asFloat()));
    header.post();
    SaleRecord sale = readWorkSale(dm, cashier, false);
    postSale(dm, sale);
    lines.emptyTable();
    header.emptyTable();
}

void LaneSeller::receive(int lines)
{
    ringLines(lines, true);
    receiveStock(*dm_, readWorkSale(*dm_, 2, false));
    dm_->tmpdetail.emptyTable();
}

SyncRun runSync(const TestLane &lane, const QStringList &arguments, const QProcessEnvironment &extra)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(extra);
    p.setProcessEnvironment(env);
    p.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tillano-sync")),
            QStringList{QStringLiteral("--settings"), lane.settings} + arguments);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
}

namespace {

// "Trxh_id=1000 Trxh_date=2026-03-09 ..." per sale, then its lines, in
// the lane's column order; the lane's values as SQLite gives them, the
// server's in the same form.
QString text(const QVariant &v, FieldType type)
{
    if (v.isNull())
        return QStringLiteral("null");
    switch (type) {
    case FieldType::Float:
    case FieldType::Money:
        return QString::number(v.toDouble(), 'g', 17);
    case FieldType::Logical:
        return v.toBool() || v.toString() == QLatin1String("1") ? QStringLiteral("true") : QStringLiteral("false");
    case FieldType::Date:
        return v.toDate().isValid() ? v.toDate().toString(Qt::ISODate) : v.toString();
    case FieldType::Time:
        return v.toTime().isValid() ? v.toTime().toString(Qt::ISODate) : v.toString();
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return QString::number(v.toLongLong());
    default:
        return v.toString();
    }
}

QStringList columns(const TableDef &def)
{
    QStringList quoted;
    for (const FieldDef &f : def.fields)
        quoted << QLatin1Char('"') + f.name + QLatin1Char('"');
    return quoted;
}

QStringList rowsOf(QSqlQuery &q, const TableDef &def)
{
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < def.fields.size(); ++i)
            cells << def.fields[i].name + QLatin1Char('=') + text(q.value(i), def.fields[i].type);
        rows << cells.join(QLatin1Char(' '));
    }
    return rows;
}

QStringList salesRegister(QSqlDatabase db, const QString &where, const QVariantList &values)
{
    QStringList out;
    for (const TableDef *def : {&Schema::tranmaster(), &Schema::trandetail()}) {
        const bool header = def == &Schema::tranmaster();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY %4")
                      .arg(columns(*def).join(QStringLiteral(", ")), where.isEmpty() ? def->name : QStringLiteral("tillano.") + def->name,
                           where.isEmpty() ? QString() : (header ? where : QString(where).replace(QStringLiteral("\"Trxh_terminal_id\""), QStringLiteral("\"Terminal_id\""))),
                           header ? QStringLiteral("\"Trxh_id\"") : QStringLiteral("\"Trx_id\", \"Trx_seq\"")));
        for (const QVariant &v : values)
            q.addBindValue(v);
        q.exec();
        out << rowsOf(q, *def);
    }
    return out;
}

}

QString laneAgainstServer(const TestLane &lane, PostgresCluster &cluster, const QString &database)
{
    QStringList laneRows;
    {
        OwnConnection laneDb(lane.databaseFile());
        laneRows = salesRegister(laneDb.db(), QString(), {});
    }
    ServerConnection server(cluster.conninfo(database));
    server.open();
    const QStringList serverRows =
        salesRegister(server.database(), QStringLiteral("WHERE \"Store_id\" = ? AND \"Trxh_terminal_id\" = ?"),
                  {lane.store, lane.terminal});
    if (laneRows == serverRows)
        return {};
    QStringList diff{QStringLiteral("lane %1: %2 rows, server %3 rows").arg(lane.terminal).arg(laneRows.size()).arg(serverRows.size())};
    for (int i = 0; i < std::max(laneRows.size(), serverRows.size()) && diff.size() < 6; ++i)
        if (laneRows.value(i) != serverRows.value(i))
            diff << QStringLiteral("lane:   ") + laneRows.value(i) << QStringLiteral("server: ") + serverRows.value(i);
    return diff.join(QLatin1Char('\n'));
}

int outboxCount(const TestLane &lane)
{
    OwnConnection db(lane.databaseFile());
    QSqlQuery q(db.db());
    q.exec(QStringLiteral("SELECT COUNT(*) FROM lane_outbox"));
    return q.next() ? q.value(0).toInt() : -1;
}
