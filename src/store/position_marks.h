#pragma once

#include <QList>
#include <functional>
#include <optional>

class Database;
class SqliteStatement;

// Where records stand in key order, for a grid over a large table: every
// Spacing-th key, kept while nothing changes, so that the row of a record
// is found by counting at most Spacing keys instead of every key before
// it. The marks are read the second time a row is asked for with nothing
// changed in between: a table written between every question (the lines
// of a sale) is counted as before. Only numbers are marked, and only where
// the key changes from one record to the next (two records with the key
// of a mark would put the mark on the wrong row).
class PositionMarks {
public:
    static constexpr int Spacing = 256;

    // The statements the marks are read and used with.
    struct Queries {
        SqliteStatement &keysInOrder; // the key of every record, in order
        SqliteStatement &keysFrom;    // of the keys from ?1 on, those at offset ?2 and ?2 + 1
        SqliteStatement &rowsBetween; // counts the records with ?1 <= key < ?2
        SqliteStatement &count;       // counts every record
    };

    // The number of records before the one with `key`, or nothing when the
    // caller must count them. With an answer, `records` (when given) is set
    // to the number of records, as of the same reading. The statements are
    // asked for only when the marks may answer.
    std::optional<int> rowsBefore(Database &db, double key, const std::function<Queries()> &queries,
                                  int *records = nullptr);

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
    bool readKeys(const Queries &queries);
    int countFromMarks(double key, SqliteStatement &rowsBetween) const;

    Stamp stamp_;
    bool read_ = false;
    bool markable_ = true;
    QList<double> keys_; // the keys of records 0, Spacing, 2 × Spacing...
    int records_ = 0;
};
