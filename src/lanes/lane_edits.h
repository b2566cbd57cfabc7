#pragma once

#include <QJsonValue>
#include <QList>
#include <QString>

class Database;

// The shop's rows changed on this lane, on their way to the store server.
//
// Triggers on the shop's tables (ShopTables) note every row a person's
// change touches, whichever window or program makes it: its table and
// key, and the row as it stood before the first change not yet sent (its
// "before"; none for a row made here). A row changed again before it is
// sent keeps its first "before". Posting's stock moves and the server's
// own changes taken in by tillano-sync are not noted (LaneWriter).
//
// Sending numbers each edit once and keeps with it the row as it stands
// then (its "after"; none for a row deleted), so that an edit sent again
// after a lost answer is the same message, which the server recognises by
// its number. The server applies an edit only to the fields it changed,
// and only when none of them changed there since its "before"; otherwise
// the edit is set aside there, whole. Edits are kept, in order, while the
// server is out of reach.
namespace LaneEdits {

// Creates the triggers; inside the caller's transaction.
void createTriggers(Database &db);

// One edit as the server takes it.
struct Edit {
    qint64 number = 0;
    QString table;
    double key = 0;
    QJsonValue before; // an object, or null
    QJsonValue after;  // an object, or null
};

// The oldest edits, at most `limit`, those not yet numbered numbered with
// their rows as they stand, in one short transaction.
QList<Edit> numbered(Database &db, int limit);

// The server has taken the edits numbered up to `through`: those not
// changed since leave; a row changed since waits again, with what the
// server got as its "before". New edits are numbered after `through`.
void acknowledge(Database &db, qint64 through);

// The server holds edits of this lane up to `through` while this database
// numbered fewer (it was restored from a backup, or took the lane over):
// edits not yet acknowledged are numbered anew, after it. One transaction.
void numberAfter(Database &db, qint64 through);

// Rows changed here and not yet acknowledged by the server.
int waiting(Database &db);

}
