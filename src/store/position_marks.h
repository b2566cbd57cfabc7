#pragma once

#include <QList>
#include <optional>

class Database;
class SqliteStatement;

// Where records stand in key order, for a grid over a large table: every
// Spacing-th key, read in one pass and kept while nothing changes, so that
// the row of a record is found by counting at most Spacing keys instead of
// every key before it. The marks are read the second time a row is asked
// for with nothing changed in between: a table written between every
// question (the lines of a sale) is counted as before. Only keys that are
// numbers, different in every record, are marked.
class PositionMarks {
public:
    static constexpr int Spacing = 256;

    // The number of records before the one with `key`, or nothing when the
    // caller must count them. `keysInOrder` selects the key of every record
    // in order; `rowsBetween` counts the records with ?1 <= key < ?2.
    std::optional<int> rowsBefore(Database &db, double key, SqliteStatement &keysInOrder,
                                  SqliteStatement &rowsBetween);

private:
    // What the marks were read from: the writes through this connection
    // (a transaction not yet committed included) and the database file's
    // data version, which counts every commit, other connections' too, as
    // of the last statement run.
    struct Stamp {
        quint64 writes = 0;
        unsigned dataVersion = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp stampOf(Database &db);
    void restart(const Stamp &stamp);
    bool readKeys(SqliteStatement &keysInOrder);
    int countFromMarks(double key, SqliteStatement &rowsBetween) const;

    Stamp stamp_;
    bool read_ = false;
    bool markable_ = true;
    QList<double> keys_; // the keys of records 0, Spacing, 2 × Spacing...
};
