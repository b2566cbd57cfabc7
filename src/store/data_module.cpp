#include "data_module.h"

#include "schema.h"
#include "sign_in_tables.h"
#include "sqlite_statement.h"
#include "store_error.h"

#include "common/amount_families.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

void setZero(Table &t, const QStringList &fields)
{
    for (const QString &f : fields)
        t.field(f).setFloat(0);
}

}

TDataModule2::TDataModule2(QObject *parent)
    : QObject(parent),
      cashiertb(db_, Schema::cashier(), this),
      producttb(db_, Schema::product(), this),
      DeptTb(db_, Schema::dept(), this),
      Control(db_, Schema::control(), this),
      fintb(db_, Schema::fin(), this),
      tranmaster(db_, Schema::tranmaster(), this),
      trandetail(db_, Schema::trandetail(), this),
      tmpmaster(db_, Schema::tmpmaster(), this),
      tmpdetail(db_, Schema::tmpdetail(), this),
      Moneytb(db_, Schema::money(), this)
{
    setObjectName(QStringLiteral("DataModule2"));

    producttb.setNewRecordHook([](Table &t) {
        t.field(QStringLiteral("Product_dept")).setInteger(0);
        setZero(t, {"Product_price", "Product_promo", "Product_qty", "Product_avg_cost", "Product_sales",
                    "Product_sales_ptd"});
        for (const QString &f : familyFields(QStringLiteral("Product_"), Taxes))
            t.field(f).setBoolean(false);
    });
    cashiertb.setNewRecordHook([](Table &t) {
        t.field(QStringLiteral("Cashier_type")).setBoolean(true);
        t.field(QStringLiteral("Cashier_train")).setBoolean(false);
        setZero(t, QStringList{"Cashier_sales", "Cashier_voids", "Cashier_float", "Cashier_moneyin", "Cashier_pickup",
                               "Cashier_change"}
                       + familyFields(QStringLiteral("Cashier_"), HeaderFamilies));
        t.field(QStringLiteral("Cashier_no_trx")).setInteger(0);
        t.field(QStringLiteral("Cashier_no_voids")).setInteger(0);
    });
    DeptTb.setNewRecordHook([](Table &t) {
        setZero(t, {"Dept_sales", "Dept_sales_ptd"});
        for (const QString &f : familyFields(QStringLiteral("Dept_"), Taxes))
            t.field(f).setBoolean(false);
    });

    producttb.setFilter(QStringLiteral("IFNULL(\"Product_sales\", 0) <> 0"));
    DeptTb.setFilter(QStringLiteral("IFNULL(\"Dept_sales\", 0) <> 0"));
    setSalesRegisterRange(QDate(), QDate());
    trandetail.setMasterLink(tranmaster, QStringLiteral("Trxh_id"), QStringLiteral("Trx_id"));
}

TDataModule2::~TDataModule2()
{
    db_.close();
}

QList<Table *> TDataModule2::tables()
{
    return {&cashiertb, &producttb, &DeptTb, &Control, &fintb,
            &tranmaster, &trandetail, &tmpmaster, &tmpdetail, &Moneytb};
}

void TDataModule2::connectTo(const QString &dataDirectory)
{
    db_.open(dataDirectory);
    try {
        createJournalQueueWhenMissing();
        SignInTables::createWhenMissing(db_);
    } catch (...) {
        db_.close();
        throw;
    }
}

void TDataModule2::createJournalQueueWhenMissing()
{
    // Databases of earlier versions have no queue yet.
    const QByteArray name(Schema::JournalQueueTable);
    if (sqlite3_table_column_metadata(db_.handle(), nullptr, name.constData(), nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr)
        != SQLITE_OK)
        executeSql(db_.handle(), Schema::journalQueueStatement());
}

void TDataModule2::disconnect()
{
    db_.close();
}

void TDataModule2::createDatabase(const QString &dataDirectory)
{
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("A database already exists in %1; it was left as it is.").arg(dataDirectory));
    // Only the till's user may read the shop's data; SQLite gives the WAL
    // files the database file's permissions.
    QFile file(path);
    if (!file.open(QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        throw StoreError(QStringLiteral("Cannot create %1: %2").arg(path, file.errorString()));
    file.close();
    Database db;
    try {
        db.open(dataDirectory, true);
        StoreTransaction transaction(db);
        for (const TableDef *def : Schema::all())
            for (const QString &sql : Schema::createStatements(*def))
                executeSql(db.handle(), sql);
        executeSql(db.handle(), Schema::journalQueueStatement());
        SignInTables::createWhenMissing(db);
        executeSql(db.handle(), QStringLiteral("INSERT INTO \"control\" DEFAULT VALUES"));
        executeSql(db.handle(), QStringLiteral("INSERT INTO \"fin\" DEFAULT VALUES"));
        transaction.commit();
    } catch (...) {
        db.close();
        removeDatabase(dataDirectory);
        throw;
    }
}

void TDataModule2::removeDatabase(const QString &dataDirectory)
{
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    for (const char *made : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(made));
}

void TDataModule2::openTablesForStartUp()
{
    Control.open();
    cashiertb.open();
    producttb.open();
    DeptTb.open();
    tmpmaster.emptyTable();
    tmpdetail.emptyTable();
    tmpmaster.open();
    tmpdetail.open();
    tranmaster.open();
    trandetail.open();
    fintb.open();
    Moneytb.open();
}

void TDataModule2::closeTablesForShutDown()
{
    for (Table *t : {&Control, &cashiertb, &producttb, &DeptTb, &tmpdetail, &tmpmaster, &trandetail, &tranmaster, &fintb})
        t->close();
    db_.close();
}

void TDataModule2::setSalesRegisterRange(const QDate &from, const QDate &to)
{
    // Dates are stored as YYYY-MM-DD text, so text order is date order.
    tranmaster.setFilter(QStringLiteral("\"Trxh_date\" >= ? AND \"Trxh_date\" <= ?"),
                         {from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
}
