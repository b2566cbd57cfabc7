#include "log_checkpointer.h"

#include <sqlite3.h>

LogCheckpointer::LogCheckpointer(const QByteArray &databaseFile) : file_(databaseFile) {}

LogCheckpointer::~LogCheckpointer()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void LogCheckpointer::request()
{
    {
        const std::lock_guard lock(mutex_);
        requested_ = true;
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void LogCheckpointer::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !requested_ && !busy_; });
}

void LogCheckpointer::run()
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file_.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    } else {
        sqlite3_close(db);
        db = nullptr;
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return requested_ || stopping_; });
        if (wake_.wait_for(lock, CopyPause, [this] { return stopping_; }))
            break;
        requested_ = false;
        busy_ = true;
        lock.unlock();
        // A copy that cannot be done now (another program is copying, or
        // the database cannot be opened) is left to the next request.
        if (db)
            sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
    lock.unlock();
    sqlite3_close(db);
}
