#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <memory>

struct sqlite3;
class SqliteStatement;
class LogCheckpointer;
class Table;

// The connection to posdb.sqlite3: a QSqlDatabase with the QSQLITE driver,
// whose SQLite handle the tables use for their prepared statements.
// Every post is durable when it returns (WAL journal, full sync), except
// for the work tables, whose writes skip the sync outside a transaction.
class Database {
public:
    static constexpr const char *FileName = "posdb.sqlite3";

    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the database of a data directory after checking it (see
    // checkDatabase); throws StoreError when the directory or its database
    // does not exist or is refused. `create` opens a new one unchecked.
    void open(const QString &dataDirectory, bool create = false);
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    sqlite3 *handle() const { return handle_; }
    QString filePath() const;

    // Nested transactions: the outermost one is a real SQL transaction,
    // the inner ones savepoints. A rollback re-reads every table's current
    // record, so no table shows a record that is no longer there.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return depth_ > 0; }
    // The engine gave up the open transaction by itself, undoing all of it
    // (a full disk, an I/O error): later writes would land one by one.
    bool transactionLost() const;

    void registerTable(Table *table);
    void unregisterTable(Table *table);

    // Called before every write: stops the tables' open read streams (an
    // unfinished read would keep an automatic transaction open, holding
    // the write back from the disk) and makes them restart afterwards.
    void beforeWrite();
    quint64 writeGeneration() const { return writeGeneration_; }

    // A prepared statement kept for the life of the connection, for work
    // done on every sale (the lane's outbox), where preparing the same
    // SQL again each time would cost more than running it.
    SqliteStatement &statement(const QString &sql);

    // A table started a read stream. An unfinished read keeps this
    // connection on the data as it was when it began (another program's
    // writes stay unseen, the log cannot be emptied); streams end when the
    // event loop next turns, so none outlives the event that started it.
    void readingStarted();

    // Waits until the log copies asked for so far are done (see
    // LogCheckpointer); for tests.
    void waitForLogCopies();

    // Runs a write of a work table without waiting for the disk.
    class FastWrite {
    public:
        FastWrite(Database &db, bool durable);
        ~FastWrite();

    private:
        Database *db_ = nullptr;
    };

private:
    void resyncTables();
    void stopReads();
    void setFullSync(bool full);
    static int logWritten(void *database, sqlite3 *, const char *, int pages);

    QString connectionName_;
    QSqlDatabase sql_;
    sqlite3 *handle_ = nullptr;
    QString directory_;
    int depth_ = 0;
    quint64 writeGeneration_ = 0;
    QList<Table *> tables_;
    QHash<QString, std::shared_ptr<SqliteStatement>> statements_;
    std::unique_ptr<LogCheckpointer> checkpointer_;
    QObject readsEnd_; // receives the call that ends the streams
    bool readsEndQueued_ = false;
};

// Runs a block of store work as one transaction: committed by commit(),
// rolled back when the guard goes out of scope without it (an exception).
class StoreTransaction {
public:
    explicit StoreTransaction(Database &db) : db_(db) { db_.begin(); }
    ~StoreTransaction()
    {
        if (!done_)
            db_.rollback();
    }
    StoreTransaction(const StoreTransaction &) = delete;
    StoreTransaction &operator=(const StoreTransaction &) = delete;
    void commit()
    {
        db_.commit();
        done_ = true;
    }

private:
    Database &db_;
    bool done_ = false;
};
