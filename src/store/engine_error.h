#pragma once

#include "store_error.h"

struct sqlite3;

// The error for the last failure on a connection. SQLite's words alone
// say little to a shop: for the failures a user can do something about
// (a damaged or read-only database, a full disk, another program holding
// the database) the message names the file and says what to do.
StoreError engineError(sqlite3 *db);

// The problem an SQLite result code stands for.
StoreProblem problemOfResultCode(int resultCode);

// The message for a problem of a database file: what is wrong (the
// engine's or the system's words in `detail`) and what to do.
QString databaseProblemText(StoreProblem problem, const QString &databaseFile, const QString &detail);
