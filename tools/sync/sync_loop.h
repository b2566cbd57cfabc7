#pragma once

#include "lanes/sync_exit.h"

#include <QString>

class Database;

struct SyncOptions {
    QString conninfo;
    int store = 0;
    bool drain = false;
};

// Serves the lane until the process is stopped: connected, it sends what
// posting queues and the shop's rows edited on the lane within a fraction
// of a second, takes in the store's changes as soon as the server
// announces them (LISTEN tillano_shop), and in any case every few
// seconds, and tells the server every few seconds that the lane is there;
// on any failure it writes the reason to standard error, records it for
// the sale window, keeps everything queued and tries again after a pause
// that grows from 2 s to 30 s. With drain it sends everything, takes in
// the store's changes once and returns.
int runSync(Database &lane, const SyncOptions &options);
