#include "posting_fixture.h"

#include "test_database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

const QDate SaleDate(2026, 3, 9);
const QTime SaleTime(14, 5, 3);

void startWorkHeader(TDataModule2 &dm, int cashier, const QVariantMap &amounts)
{
    Table &h = dm.tmpmaster;
    h.append();
    h.field("Trxh_date").setDate(SaleDate);
    h.field("Trxh_time").setTime(SaleTime);
    h.field("Trxh_cashier").setInteger(cashier);
    for (const FieldDef &f : h.definition().fields)
        if (f.type == FieldType::Money)
            h.field(f.name).setFloat(0);
    h.post();
    setWorkHeaderAmounts(dm, amounts);
}

void setWorkHeaderAmounts(TDataModule2 &dm, const QVariantMap &amounts)
{
    Table &h = dm.tmpmaster;
    h.edit();
    for (auto it = amounts.cbegin(); it != amounts.cend(); ++it)
        h.field(it.key()).setValue(it.value());
    h.post();
}

void addWorkLine(TDataModule2 &dm, const WorkLine &line)
{
    Table &t = dm.tmpdetail;
    t.append();
    t.field("Trx_upc").setFloat(line.upc);
    t.field("Trx_short_desc").setString(line.desc.left(20));
    t.field("Trx_desc").setString(line.desc);
    t.field("Trx_qty").setFloat(line.qty);
    t.field("Trx_price").setFloat(line.price);
    t.field("Trx_dscamt").setFloat(line.dscAmt);
    t.field("Trx_total").setFloat(line.total);
    t.field("Trx_promo").setBoolean(false);
    t.field("Trx_cpn").setInteger(0);
    t.field("Trx_dsc").setFloat(0);
    t.field("Trx_cost").setFloat(line.cost);
    t.field("Trx_tx1").setBoolean(line.tx1);
    t.field("Trx_tx2").setBoolean(line.tx2);
    t.field("Trx_tx3").setBoolean(line.tx3);
    t.field("Trx_dsc_per").setFloat(line.dscPer);
    t.post();
}

void prepareMixedSale(TestDatabase &db)
{
    TDataModule2 &dm = db.dm();
    db.addCashier(7, QStringLiteral("Ann"));
    db.addDepartment(1, QStringLiteral("Grocery"));
    db.addDepartment(2, QStringLiteral("Dairy"));
    db.addProduct(101, QStringLiteral("Bread"), 2.50, true, false, false, 1);
    db.addProduct(202, QStringLiteral("Milk"), 3.99, false, true, false, 2);
    db.addProduct(303, QStringLiteral("Candle"), 1.25, true, true, false, 9);
    for (double upc : {101.0, 202.0, 303.0}) {
        dm.producttb.findKey(upc);
        dm.producttb.edit();
        dm.producttb.field("Product_qty").setFloat(50);
        dm.producttb.field("Product_avg_cost").setFloat(1.10);
        dm.producttb.field("Product_accnt").setInteger(4000 + int(upc));
        dm.producttb.post();
    }
    db.setControl("Ctrl_invoice_no", 1000.0);
    db.setControl("Ctrl_terminal_id", 3);
    db.setControl("Ctrl_fc_rate", 1.25);
    db.setControl("Ctrl_export", true);

    startWorkHeader(dm, 7,
                    {{"Trxh_total", 10.74}, {"Trxh_tx1", 0.50}, {"Trxh_tx2", 0.71}, {"Trxh_grand_total", 11.95},
                     {"Trxh_pmt1", 5.00}, {"Trxh_pmt2", 2.00}, {"Trxh_fc1", 4.00}, {"Trxh_cpn1", 1.00}});
    addWorkLine(dm, {101, QStringLiteral("Bread, whole wheat"), 2, 2.50, 5.00, 0, 0, 1.10, true});
    addWorkLine(dm, {202, QStringLiteral("Milk 2L"), 1, 3.99, 3.99, 0, 0, 1.10, false, true});
    addWorkLine(dm, {303, QStringLiteral("Candle"), 2, 1.25, 1.75, 30, 0.75, 1.10, true, true});
}

QStringList tableSnapshot(const QString &dataDirectory)
{
    QStringList rows;
    OwnConnection connection(QDir(dataDirectory).filePath(QLatin1String(Database::FileName)));
    for (const char *table : {"cashier", "product", "Dept", "control", "fin", "tranmaster", "trandetail", "tmpmaster",
                              "tmpdetail", "money"}) {
        QSqlQuery q(connection.db());
        q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(QLatin1String(table)));
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values.append(q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            rows.append(QLatin1String(table) + QLatin1Char(':') + values.join(QLatin1Char('|')));
        }
    }
    return rows;
}

QVariantMap recordValues(Table &table)
{
    QVariantMap values;
    for (const FieldDef &f : table.definition().fields)
        values.insert(f.name, table.field(f.name).value());
    return values;
}
