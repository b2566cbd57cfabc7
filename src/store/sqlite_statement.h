#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, reused: bind, step, reset. Values are
// bound as parameters only; nothing is ever spliced into the SQL text.
class SqliteStatement {
public:
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Resets the statement and binds the values to ?1, ?2, ... (a QByteArray
    // as a BLOB)
    void start(const QVariantList &values = {});
    void bind(int index, const QVariant &value); // 1-based
    // Binds a value of a known kind without passing through QVariant; a
    // text is stored as bind() stores a QString.
    void bindNull(int index);
    void bindInteger(int index, qint64 value);
    void bindReal(int index, double value);
    void bindText(int index, QStringView text);

    // Steps once; true while a row is available. A write kept waiting by
    // another program's lock asks whether to wait again (LockedDatabase).
    bool step();
    // Runs the statement to its end.
    void run(const QVariantList &values = {});
    void reset();

    int columnCount() const;
    bool isNull(int column) const;
    bool isNumber(int column) const; // stored as an INTEGER or a REAL
    QVariant value(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray bytes(int column) const; // a BLOB, bound as a QByteArray
    // The column as UTF-8, valid until the next step or reset.
    QByteArrayView utf8(int column) const;

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
    QString sql_;
    bool midway_ = false; // rows were returned since the last reset
    std::vector<QByteArray> texts_; // bound by bindText(), by parameter from 1
};

// Runs one plain SQL statement without parameters (schema, pragma,
// transaction control); a locked database is handled as by step().
void executeSql(sqlite3 *db, const QString &sql);
