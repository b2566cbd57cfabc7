#pragma once

#include <QStringList>
#include <QVariantList>
#include <memory>

class Database;
class SqliteStatement;
class Table;

// Adds or updates many records of a table by their key, one prepared
// statement a record, inside the caller's transaction: what an import of
// thousands of products needs, where a walk through the table's cursor
// reads every record back and would take several times as long. Values
// are stored as the table's fields store them (texts cut to their size).
// Bound views are not told of each write: the table's current record is
// re-read once, when the writes end.
class KeyedWrites {
public:
    // `fields`: the fields every record gives, its key first.
    KeyedWrites(Database &db, Table &table, const QStringList &fields);
    ~KeyedWrites();
    KeyedWrites(const KeyedWrites &) = delete;
    KeyedWrites &operator=(const KeyedWrites &) = delete;

    // Writes the values into the record whose key is values[0]; a null
    // value leaves its field as it is. False when there is no such record.
    bool update(const QVariantList &values);
    // Adds a record with the values; a null value leaves its field without
    // value.
    void add(const QVariantList &values);

private:
    QVariantList stored(const QVariantList &values) const;
    void run(SqliteStatement &statement, const QVariantList &values);

    Database &db_;
    Table &table_;
    QList<int> fieldIndexes_;
    std::unique_ptr<SqliteStatement> update_;
    std::unique_ptr<SqliteStatement> add_;
};
