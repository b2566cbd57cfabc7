#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariantList>
#include <memory>

class Database;
class SqliteStatement;
class Table;

// Adds or updates many records of a table by their key, one prepared
// statement a record, inside the caller's transaction: what an import of
// thousands of products needs, where a walk through the table's cursor
// reads every record back and takes several times as long. Values are
// stored as the table's fields store them (texts cut to their size).
// Bound views are not told of each write: the table's current record is
// re-read once, when the writes end.
class KeyedWrites {
public:
    using NewRecordValues = QList<QPair<QString, QVariant>>;

    // `fields`: the fields every record gives, its key first.
    // `newRecordValues`: what a field of a new record holds where the
    // record gives no value, for the given fields and for others a new
    // record has.
    KeyedWrites(Database &db, Table &table, const QStringList &fields, const NewRecordValues &newRecordValues);
    ~KeyedWrites();
    KeyedWrites(const KeyedWrites &) = delete;
    KeyedWrites &operator=(const KeyedWrites &) = delete;

    // Writes the record whose key is values[0]: into the record that is
    // there, where a null value leaves its field as it is, or as a new
    // record. True when it was added.
    bool write(QVariantList values);

private:
    Database &db_;
    Table &table_;
    QList<int> fieldIndexes_;
    std::unique_ptr<SqliteStatement> upsert_; // adds, or updates the record there
    std::unique_ptr<SqliteStatement> update_;
    bool updating_ = false; // the last record written was there already
};
