#pragma once

#include <QString>

class Database;

// Every insert and update of one table fails while this lives, with
// SQLite's words for a full disk: triggers put into the database, dropped
// again at the end.
class FailingWrites {
public:
    FailingWrites(Database &db, const QString &table);
    ~FailingWrites();
    FailingWrites(const FailingWrites &) = delete;
    FailingWrites &operator=(const FailingWrites &) = delete;

private:
    Database &db_;
    QString table_;
};
