#pragma once

#include <QString>

class Database;

// Exit codes of tillano-sync, which tests and scripts rely on.
enum SyncExit {
    SyncDone = 0,        // --drain: nothing left to send
    SyncFailed = 1,      // the server cannot be reached, or the lane's database failed
    SyncUsage = 2,       // wrong arguments or settings
    SyncRefused = 3,     // the server or the lane's own checks refuse the lane
    SyncAlreadyRuns = 4, // another tillano-sync serves this data directory
};

struct SyncOptions {
    QString conninfo;
    int store = 0;
    bool drain = false;
};

// Sends the lane's outbox until the process is stopped: connected, it
// sends what posting queues within a fraction of a second and tells the
// server every few seconds that the lane is there; on any failure it
// writes the reason to standard error, records it for the sale window,
// keeps everything queued and tries again after a pause that grows from
// 2 s to 30 s. With drain it sends everything once and returns.
int runSync(Database &lane, const SyncOptions &options);
