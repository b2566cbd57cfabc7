#pragma once

#include "database.h"
#include "table.h"

#include <QDate>
#include <QObject>

// The data module: the connection to the data directory's database and
// the ten table objects, with their new-record defaults, record filters
// and the link of the posted lines to their header.
class TDataModule2 : public QObject {
    Q_OBJECT
public:
    explicit TDataModule2(QObject *parent = nullptr);
    ~TDataModule2() override;

    // Points the module at a data directory; throws StoreError naming the
    // directory or the file, the problem and what to do when it or its
    // database does not exist or is refused (see checkDatabase).
    void connectTo(const QString &dataDirectory);
    void disconnect();
    bool connected() const { return db_.isOpen(); }
    Database &database() { return db_; }

    // Creates posdb.sqlite3 with the ten empty tables and the single
    // records of control and fin; refuses when a database is already there.
    static void createDatabase(const QString &dataDirectory);
    // Removes the database files of a data directory, for a database whose
    // making failed half-way (it would later pass for a damaged one).
    static void removeDatabase(const QString &dataDirectory);

    // Opens the ten tables in start-up order, emptying the two work tables
    // on the way: control, cashier, product, Dept, (tmpmaster and tmpdetail
    // emptied, then opened), tranmaster, trandetail, fin, money.
    void openTablesForStartUp();
    // Closes the tables in shutdown order and disconnects.
    void closeTablesForShutDown();

    // The sales register filter: From <= Trxh_date <= To.
    void setSalesRegisterRange(const QDate &from, const QDate &to);

    QList<Table *> tables();

    Database db_;
    Table cashiertb;
    Table producttb;
    Table DeptTb;
    Table Control;
    Table fintb;
    Table tranmaster;
    Table trandetail;
    Table tmpmaster;
    Table tmpdetail;
    Table Moneytb;

private:
    void createJournalQueueWhenMissing();
};
