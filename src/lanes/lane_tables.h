#pragma once

class Database;

// The tables a lane keeps beside the ten, created when a data directory is
// prepared as a lane (tillano-setup --server). A single terminal has none
// of them, and then nothing is queued.
//
//   lane_identity   one row: the lane's key on the server, its store and
//                   terminal, and the computer it was prepared on
//   lane_outbox     posted sales and stock receipts waiting to be sent,
//                   numbered in posting order (the lane's message number)
//   lane_sent       the messages the server acknowledged: their number and
//                   sale number (a stock receipt with its content), so that
//                   a server restored from an older backup gets them again
//   lane_sync_state one row, written by tillano-sync and read by the sale
//                   window: reached or not, since when, why, and the highest
//                   message number acknowledged
namespace LaneTables {

inline constexpr const char *Identity = "lane_identity";
inline constexpr const char *Outbox = "lane_outbox";
inline constexpr const char *Sent = "lane_sent";
inline constexpr const char *SyncState = "lane_sync_state";

// Creates the four tables; inside the caller's transaction.
void create(Database &db);

// The database is a lane's: it has its identity table.
bool present(Database &db);

}
