#pragma once

// Exit codes of tillano-sync, which the till, tests and scripts rely on.
enum SyncExit {
    SyncDone = 0,        // --drain: nothing left to send
    SyncFailed = 1,      // the server cannot be reached, or the lane's database failed
    SyncUsage = 2,       // wrong arguments or settings
    SyncRefused = 3,     // the server or the lane's own checks refuse the lane
    SyncAlreadyRuns = 4, // another tillano-sync serves this data directory
    SyncNotALane = 5,    // the settings name a server, the database is not a lane's
};

// Starting tillano-sync again cannot help until someone changes the
// settings or prepares the lane.
constexpr bool syncEndedForGood(int exitCode)
{
    return exitCode == SyncUsage || exitCode == SyncNotALane;
}
