#pragma once

class Database;

// The tables a lane keeps beside the ten, created when a data directory is
// prepared as a lane (tillano-setup --server). A single terminal has none
// of them, and then nothing is queued.
//
//   lane_identity    one row: the lane's key on the server, its store and
//                    terminal, and the computer it was prepared on
//   lane_outbox      posted sales and stock receipts waiting to be sent,
//                    numbered in posting order (the lane's message number)
//   lane_sent        the messages the server acknowledged: their number and
//                    sale number (a stock receipt with its content), so that
//                    a server restored from an older backup gets them again
//   lane_sync_state  one row, written by tillano-sync and read by the sale
//                    window: reached or not, since when, why, the highest
//                    message number acknowledged, the number of the last of
//                    the server's shop changes taken in, the lane's edit
//                    numbers
//   lane_edits       the shop's rows changed on this lane and not yet
//                    acknowledged by the server, one per row, noted by
//                    triggers on the shop's tables (see LaneEdits)
//   lane_writer      one row: who is writing the shop's tables in the
//                    transaction under way; only a person's changes are
//                    edits to send (posting's stock moves travel with the
//                    sale or receipt, tillano-sync's come from the server)
//   lane_store_lanes the store's lanes as the server last told: up to
//                    which sale each one's stock moves are counted
namespace LaneTables {

inline constexpr const char *Identity = "lane_identity";
inline constexpr const char *Outbox = "lane_outbox";
inline constexpr const char *Sent = "lane_sent";
inline constexpr const char *SyncState = "lane_sync_state";
inline constexpr const char *Edits = "lane_edits";

// Creates the tables and the triggers; inside the caller's transaction.
void create(Database &db);

// A lane prepared by an earlier version gets what it lacks (its edits,
// its writer, its copy of the server's changes); one transaction.
void createWhenMissing(Database &db);

// The database is a lane's: it has its identity table.
bool present(Database &db);

}

// Who writes the shop's tables in the lane transaction under way. It is
// set back to Person before that transaction commits, so no other
// transaction ever sees anything else.
namespace LaneWriter {
enum class Writer { Person = 0, Posting = 1, Sync = 2 };
// On a lane only; inside the caller's transaction.
void set(Database &db, Writer writer);
}
