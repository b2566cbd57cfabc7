#pragma once

#include "store/data_module.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <memory>

// A data directory in a temporary folder with a fresh database and a data
// module connected to it, every table open.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    TDataModule2 &dm() { return *dm_; }
    QString directory() const { return dir_.path(); }
    QString databaseFile() const { return directory() + QLatin1Char('/') + QLatin1String(Database::FileName); }

    // Closes and reopens the connection, as a restart of the program would.
    void reconnect();

    // Small builders for the records most tests need.
    void addProduct(double upc, const QString &shortDesc, double price, bool tx1 = false, bool tx2 = false,
                    bool tx3 = false, int dept = 0);
    void addCashier(int id, const QString &name, bool manager = false, bool training = false);
    void addDepartment(int code, const QString &desc);
    void setControl(const QString &field, const QVariant &value);

private:
    QTemporaryDir dir_;
    std::unique_ptr<TDataModule2> dm_;
};

// A connection of its own to a database file, as another program (or a
// test looking on) has it, through Qt's SQL module: opened at once (or the
// test stops), closed and removed again at the end. `options` are Qt's
// connect options ("QSQLITE_OPEN_READONLY").
class OwnConnection {
public:
    explicit OwnConnection(const QString &databaseFile, const QString &options = QString());
    ~OwnConnection();
    OwnConnection(const OwnConnection &) = delete;
    OwnConnection &operator=(const OwnConnection &) = delete;

    QSqlDatabase &db() { return db_; }
    // Runs one statement; false when it is refused.
    bool exec(const QString &sql);

private:
    QString name_;
    QSqlDatabase db_;
};
