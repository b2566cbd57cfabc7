#pragma once

#include <QDateTime>
#include <QString>

class Database;

// What the sale window shows of a lane's sending: read from what
// tillano-sync records in the lane's database, so that the till never
// waits for the network to know it.
struct LaneStatus {
    // NotPrepared: the settings name a server, but the database was never
    // prepared as a lane (tillano-setup --server), so nothing is queued.
    enum class Sending { Starting, Reached, Unreachable, Refused, NotPrepared };
    Sending sending = Sending::Starting;
    QDateTime unreachableSince; // the first failure of the current outage
    QString problem;            // the last failure, in the system's words
    int setAside = 0;           // this lane's sales the server set aside
    int editsSetAside = 0;      // this lane's edits the server set aside
    int waiting = 0;            // messages in the outbox
    QDateTime waitingSince;     // the oldest of them was queued then
    int editsWaiting = 0;       // rows edited here not yet taken by the server

    static LaneStatus read(Database &db);

    // One line for the sale window, in the run-time language, ending with
    // the reason of a refusal; `running` false when tillano-sync is not
    // running for the till.
    QString text(bool running) const;
};

// What tillano-sync records; each write is one short statement, made only
// when something changed.
namespace LaneStatusRecord {
void starting(Database &db);
void reached(Database &db, int setAside, int editsSetAside);
void unreachable(Database &db, const QString &problem, bool refused);
}
