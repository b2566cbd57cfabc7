#pragma once

#include <QString>
#include <QStringList>

class Database;

// Every insert (and update, unless only inserts are asked for) of one
// table fails while this lives, with SQLite's words for a full disk, or
// with `fullDisk` as a real full disk fails: with the engine's own result
// code (SQLITE_FULL). Triggers put into the database, dropped again at the
// end.
class FailingWrites {
public:
    enum Writes { InsertsAndUpdates, Inserts };
    FailingWrites(Database &db, const QString &table, Writes writes = InsertsAndUpdates, bool fullDisk = false);
    ~FailingWrites();
    FailingWrites(const FailingWrites &) = delete;
    FailingWrites &operator=(const FailingWrites &) = delete;

private:
    Database &db_;
    QString table_;
    QStringList writes_;
};
