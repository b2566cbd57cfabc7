#include "database.h"

#include "database_check.h"
#include "locked_database.h"
#include "log_checkpointer.h"
#include "sqlite_statement.h"
#include "store_error.h"
#include "table.h"

#include "common/language.h"
#include "common/message_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {
int connectionCounter = 0;
}

Database::Database()
    : connectionName_(QStringLiteral("posdb-%1").arg(++connectionCounter))
{
}

Database::~Database()
{
    close();
}

QString Database::filePath() const
{
    return QDir(directory_).filePath(QLatin1String(FileName));
}

void Database::open(const QString &dataDirectory, bool create)
{
    close();
    const QFileInfo dir(dataDirectory);
    if (dataDirectory.isEmpty())
        throw StoreError(QStringLiteral("No data directory is set."), StoreProblem::NoDatabase);
    if (dir.exists() && !dir.isDir())
        throw StoreError(chooseText(QStringLiteral("The data directory %1 is a file, not a directory: the setting "
                                                   "Data must name the directory that holds the shop's database, "
                                                   "posdb.sqlite3."),
                                    QStringLiteral("Le répertoire de données %1 est un fichier, pas un répertoire : "
                                                   "le paramètre Data doit nommer le répertoire qui contient la base "
                                                   "de données du magasin, posdb.sqlite3."))
                             .arg(shortenedForMessage(dataDirectory)));
    if (!dir.isDir())
        throw StoreError(chooseText(QStringLiteral("The data directory %1 does not exist."),
                                    QStringLiteral("Le répertoire de données %1 n'existe pas."))
                             .arg(shortenedForMessage(dataDirectory)),
                         StoreProblem::NoDatabase);
    directory_ = dir.absoluteFilePath();
    const QString path = filePath();
    if (!create)
        checkDatabase(path);

    sql_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    sql_.setDatabaseName(path);
    sql_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockedDatabase::WaitMs));
    if (!sql_.open()) {
        const QString message = sql_.lastError().text();
        sql_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw StoreError(QStringLiteral("Cannot open %1: %2").arg(shortenedForMessage(path), message));
    }
    const QVariant v = sql_.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw StoreError(QStringLiteral("The SQLite driver gives no connection handle"));
    handle_ = *static_cast<sqlite3 *const *>(v.constData());
    try {
        executeSql(handle_, QStringLiteral("PRAGMA journal_mode=WAL"));
        executeSql(handle_, QStringLiteral("PRAGMA synchronous=FULL"));
    } catch (...) {
        close();
        throw;
    }
    checkpointer_ = std::make_unique<LogCheckpointer>(QByteArray(sqlite3_db_filename(handle_, "main")));
    sqlite3_wal_hook(handle_, &Database::logWritten, this); // instead of SQLite's own copying
}

int Database::logWritten(void *database, sqlite3 *, const char *, int pages)
{
    if (pages >= LogCheckpointer::LogPages)
        static_cast<Database *>(database)->checkpointer_->request();
    return SQLITE_OK;
}

void Database::waitForLogCopies()
{
    if (checkpointer_)
        checkpointer_->waitUntilIdle();
}

void Database::close()
{
    if (!handle_)
        return;
    beforeWrite();
    for (Table *t : std::as_const(tables_)) {
        t->close();
        t->releaseStatements();
    }
    statements_.clear();
    if (depth_ > 0)
        sqlite3_exec(handle_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    // The last connection to close copies what is left of the log.
    sqlite3_wal_hook(handle_, nullptr, nullptr);
    checkpointer_.reset();
    handle_ = nullptr;
    sql_.close();
    sql_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

void Database::beforeWrite()
{
    ++writeGeneration_;
    stopReads();
}

void Database::stopReads()
{
    for (Table *t : std::as_const(tables_))
        t->stopReading();
}

void Database::readingStarted()
{
    if (readsEndQueued_ || !QCoreApplication::instance())
        return;
    readsEndQueued_ = true;
    QMetaObject::invokeMethod(
        &readsEnd_,
        [this] {
            readsEndQueued_ = false;
            stopReads();
        },
        Qt::QueuedConnection);
}

void Database::begin()
{
    if (!handle_)
        throw StoreError(QStringLiteral("The database is not connected"));
    beforeWrite();
    executeSql(handle_, depth_ == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT s%1").arg(depth_));
    ++depth_;
}

void Database::commit()
{
    if (depth_ == 0)
        return;
    beforeWrite();
    executeSql(handle_, depth_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE s%1").arg(depth_ - 1));
    --depth_;
}

void Database::rollback()
{
    if (depth_ == 0 || !handle_)
        return;
    beforeWrite();
    --depth_;
    const QByteArray sql = depth_ == 0 ? QByteArray("ROLLBACK")
                                       : QStringLiteral("ROLLBACK TO s%1; RELEASE s%1").arg(depth_).toUtf8();
    sqlite3_exec(handle_, sql.constData(), nullptr, nullptr, nullptr);
    resyncTables();
}

bool Database::transactionLost() const
{
    return depth_ > 0 && handle_ && sqlite3_get_autocommit(handle_);
}

void Database::resyncTables()
{
    for (Table *t : std::as_const(tables_)) {
        try {
            t->resync();
        } catch (const StoreError &) {
            // A table that cannot be re-read shows no record until it moves.
        }
    }
}

SqliteStatement &Database::statement(const QString &sql)
{
    std::shared_ptr<SqliteStatement> &held = statements_[sql];
    if (!held)
        held = std::make_shared<SqliteStatement>(handle_, sql);
    return *held;
}

void Database::registerTable(Table *table)
{
    tables_.append(table);
}

void Database::unregisterTable(Table *table)
{
    tables_.removeAll(table);
}

void Database::setFullSync(bool full)
{
    // Switched around every write of a work table: prepared once. NORMAL
    // rather than OFF: a commit does not wait for the disk either way, but
    // with OFF a copy of the log into the database file made meanwhile
    // would not be synced, and a power cut after the log started over
    // could lose sales posted long before.
    statement(full ? QStringLiteral("PRAGMA synchronous=FULL") : QStringLiteral("PRAGMA synchronous=NORMAL")).run();
}

Database::FastWrite::FastWrite(Database &db, bool durable)
{
    // Only outside a transaction: inside one, the commit decides.
    if (!durable && db.handle_ && sqlite3_get_autocommit(db.handle_)) {
        db.setFullSync(false);
        db_ = &db;
    }
}

Database::FastWrite::~FastWrite()
{
    if (db_)
        db_->setFullSync(true);
}
