#include "posting_fixture.h"

#include "test_database.h"

#include "posting/running_totals.h"
#include "posting/sale_posting.h"
#include "store/sale_record.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

double postSale(TDataModule2 &dm, int signedInCashierId)
{
    SaleRecord sale = readWorkSale(dm, signedInCashierId, false);
    return postSale(dm, sale);
}

void receiveStock(TDataModule2 &dm)
{
    receiveStock(dm, readWorkSale(dm, 0, false));
}

void Update_Products(TDataModule2 &dm, bool receiving)
{
    Update_Products(dm, readWorkSale(dm, 0, false).lines, receiving);
}

TransferredSale Transfer_sale(TDataModule2 &dm)
{
    SaleRecord sale = readWorkSale(dm, 0, false);
    return Transfer_sale(dm, sale);
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
