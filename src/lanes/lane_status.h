#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class Database;

// What the sale window shows of a lane's sending: read from what
// tillano-sync records in the lane's database, so that the till never
// waits for the network to know it.
struct LaneStatus {
    enum class Sending { Starting, Reached, Unreachable, Refused };
    Sending sending = Sending::Starting;
    QDateTime unreachableSince; // the first failure of the current outage
    QString problem;            // the last failure, in the system's words
    int setAside = 0;           // this lane's sales the server set aside
    int waiting = 0;            // messages in the outbox
    QDateTime waitingSince;     // the oldest of them was queued then

    // Nothing when the database is not a lane's.
    static std::optional<LaneStatus> read(Database &db);

    // One line for the sale window, in the run-time language, ending with
    // the reason of a refusal; `running` false when tillano-sync is not
    // running for the till.
    QString text(bool running) const;
};

// What tillano-sync records; each write is one short statement, made only
// when something changed.
namespace LaneStatusRecord {
void starting(Database &db);
void reached(Database &db, int setAside);
void unreachable(Database &db, const QString &problem, bool refused);
}
