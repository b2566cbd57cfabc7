#pragma once

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariant>

class SqliteStatement;

// The shop's tables that one store's lanes share through the store
// server: the control record's shop fields, the products, departments,
// cashiers and their secret codes, and the shop's switches. Each lane
// keeps a copy; the server's table (schema tillano) has the same columns
// plus "Store_id". What is not listed here is the lane's own: the
// terminal's fields of the control record, every running total.
namespace ShopTables {

// How a column's values travel: the lane's SQLite value, the server's
// PostgreSQL type, and JSON between them.
enum class Kind { Integer, Real, Logical, Date, Text, Bytes };

struct Column {
    QString name;
    Kind kind;
};

struct ShopTable {
    QString name;            // the same on the lane and, quoted, in schema tillano
    QString key;             // its key column; empty for a table of one row per store
    QList<Column> columns;   // the shop's fields, the key first
    // The lane's own columns of a row the lane did not have, with the
    // values a new record starts with (zero totals).
    QList<QPair<QString, QVariant>> ownDefaults;

    bool keyed() const { return !key.isEmpty(); }
    // "a", "b", ... quoted, with an optional table alias ("t." "a").
    QString columnList(const QString &alias = QString()) const;
    // A JSON object of the columns as SQL literals (SQLite's quote(),
    // which keeps every double exact), of the row `alias` (OLD, NEW, a
    // table name).
    QString literalRow(const QString &alias) const;
};

// In the order the server takes edits in: a row before the rows that
// refer to it.
const QList<ShopTable> &all();
const ShopTable &named(const QString &name);

// The value of a column as the lane's SQLite gives it, in the form Qt
// uses for its kind (qint64, double, bool, QDate, QString, QByteArray).
QVariant fromLane(const SqliteStatement &st, int column, Kind kind);
// As the server's QPSQL driver gives it.
QVariant fromServer(const QVariant &value, Kind kind);
// From the SQL literal quote() made of it.
QVariant fromLiteral(const QString &literal, Kind kind);
// As JSON for the server: bytes as PostgreSQL's "\x..." text.
QJsonValue toJson(const QVariant &value, Kind kind);

}
