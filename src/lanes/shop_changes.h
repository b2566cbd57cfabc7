#pragma once

#include <QString>

class Database;
class ServerConnection;

// The lane's copy of the store's shop data follows the store server.
//
// The server numbers the latest change of every shop row in its change
// log, in commit order; the lane keeps the number of the last change it
// took in and takes the rows changed after it, as they stand on the
// server: a row the server has is written, one it no longer has is
// deleted. Only the shop's fields are written (ShopTables): the lane's
// running totals and its terminal's own fields stay as they are.
//
// Each batch is one short lane transaction, so that the till, which
// shares the database, is never held up. While the lane has edits the
// server has not acknowledged, or sales and stock receipts it has not
// sent, nothing is taken in: the rows would be written over with what
// does not count them; they are sent first, and the server's answer comes
// back through its change log.
namespace ShopChanges {

enum class Outcome {
    UpToDate, // nothing more to take in
    Taken,    // a batch was taken in; there may be more
    Held,     // the lane has edits, sales or receipts to send first
};

// The lane's place in the server's change log, and the server it is
// from; the lane needs a whole copy when the server is another one (a
// database restored from a backup) or never gave it one.
struct Place {
    bool known = false;
    qint64 through = 0;
    QString serverId;
};
Place place(Database &lane);

// The identity of the server's database, which a restore changes.
QString serverId(ServerConnection &server);

// Takes in the store's changes after the lane's place, at most `limit`
// rows in one lane transaction; a new row that lane `terminal` made and
// the server stored as it is is not taken back.
Outcome takeBatch(ServerConnection &server, int store, int terminal, Database &lane, int limit);

// Copies every shop row of the store into the lane, `limit` rows a lane
// transaction (inside the caller's, when there is one), deleting what the
// server does not have, and sets the lane's place. Held leaves the place
// as it was: the copy starts again the next time.
Outcome copyAll(ServerConnection &server, int store, Database &lane, int limit);

}
