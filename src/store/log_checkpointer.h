#pragma once

#include <QByteArray>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Copies the write-ahead log back into the database file in a thread of
// its own, on a connection of its own. Left to SQLite, the commit that
// fills the log past its limit does the copying, and the sale being
// posted waits for it; here no write waits. The copying syncs the log
// and the database file as SQLite's own would, and never blocks a writer
// (a passive checkpoint); what it cannot copy yet waits for the next one.
// A copy starts a short pause after it was asked for: commits that follow
// each other closely (a busy till posting sale after sale) are copied
// together, with one sync of each file, instead of a copy after each
// commit whose syncs compete with the next commit's for the disk.
class LogCheckpointer {
public:
    // Pages of log after which a commit asks for a copy (SQLite's own default).
    static constexpr int LogPages = 1000;
    static constexpr std::chrono::milliseconds CopyPause{30};

    explicit LogCheckpointer(const QByteArray &databaseFile);
    // Waits for a copy in progress.
    ~LogCheckpointer();
    LogCheckpointer(const LogCheckpointer &) = delete;
    LogCheckpointer &operator=(const LogCheckpointer &) = delete;

    // Asks for a copy; the thread starts with the first request.
    void request();
    // Waits until every copy asked for so far is done.
    void waitUntilIdle();

private:
    void run();

    QByteArray file_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    bool requested_ = false;
    bool busy_ = false;
    bool stopping_ = false;
};
