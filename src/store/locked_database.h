#pragma once

#include <QString>
#include <functional>

struct sqlite3;

// Another program (a backup, a second copy of Tillano, an sqlite3 shell)
// may hold the database's write lock. A write waits for it a short while;
// then the user is asked whether to wait once more or to give up, in
// which case the write fails with nothing of it saved. The program
// installs the question; without one the store gives up after the wait.
namespace LockedDatabase {

inline constexpr int WaitMs = 1000;

// Asked with the database file; true to wait once more.
using Question = std::function<bool(const QString &databaseFile)>;
void setQuestion(Question question);

// After SQLite gave up waiting for the lock on `db`: true to try again.
bool waitAgain(sqlite3 *db);

}
