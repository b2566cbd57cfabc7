#include "test_database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

TestDatabase::TestDatabase()
{
    if (!dir_.isValid())
        qFatal("cannot create a temporary directory");
    TDataModule2::createDatabase(dir_.path());
    reconnect();
}

TestDatabase::~TestDatabase() = default;

void TestDatabase::reconnect()
{
    dm_.reset();
    dm_ = std::make_unique<TDataModule2>();
    dm_->connectTo(dir_.path());
    for (Table *t : dm_->tables())
        t->open();
}

void TestDatabase::addProduct(double upc, const QString &shortDesc, double price, bool tx1, bool tx2, bool tx3,
                              int dept)
{
    Table &p = dm_->producttb;
    p.append();
    p.field("Product_upc").setFloat(upc);
    p.field("Product_short_desc").setString(shortDesc);
    p.field("Product_desc").setString(shortDesc + QStringLiteral(" (long)"));
    p.field("Product_price").setFloat(price);
    p.field("Product_tx1").setBoolean(tx1);
    p.field("Product_tx2").setBoolean(tx2);
    p.field("Product_tx3").setBoolean(tx3);
    p.field("Product_dept").setInteger(dept);
    p.post();
}

void TestDatabase::addCashier(int id, const QString &name, bool manager, bool training)
{
    Table &c = dm_->cashiertb;
    c.append();
    c.field("Cashier_id").setInteger(id);
    c.field("Cashier_name").setString(name);
    c.field("Cashier_type").setBoolean(manager);
    c.field("Cashier_train").setBoolean(training);
    c.post();
}

void TestDatabase::addDepartment(int code, const QString &desc)
{
    Table &d = dm_->DeptTb;
    d.append();
    d.field("Dept_code").setInteger(code);
    d.field("Dept_desc").setString(desc);
    d.post();
}

void TestDatabase::setControl(const QString &field, const QVariant &value)
{
    Table &c = dm_->Control;
    c.first();
    c.edit();
    c.field(field).setValue(value);
    c.post();
}

OwnConnection::OwnConnection(const QString &databaseFile, const QString &options)
{
    static int connections = 0;
    name_ = QStringLiteral("own-%1").arg(++connections);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(databaseFile);
    db_.setConnectOptions(options);
    if (!db_.open())
        qFatal("cannot open %s: %s", qPrintable(databaseFile), qPrintable(db_.lastError().text()));
}

OwnConnection::~OwnConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool OwnConnection::exec(const QString &sql)
{
    return QSqlQuery(db_).exec(sql);
}
