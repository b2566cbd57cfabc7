#pragma once

#include <QString>
#include <optional>

class Database;

// Who a lane is on the store server. The key is made when the lane is
// prepared and registered with the server, which refuses any other
// database claiming the same (store, terminal). The machine is the
// computer it was prepared on: a copy of the database on another computer
// has the same key, so a lane only sends from the computer it was
// prepared on (or prepared again on, which makes a new key and makes the
// server refuse the old database).
struct LaneIdentity {
    QString key;
    int store = 0;
    int terminal = 0;
    QString machine;

    static std::optional<LaneIdentity> read(Database &db);
    // Replaces the lane's identity; inside the caller's transaction.
    void write(Database &db) const;

    static QString newKey();
    // This computer's machine id (/etc/machine-id); TILLANO_MACHINE_ID
    // stands for another computer in tests.
    static QString thisMachine();
};
