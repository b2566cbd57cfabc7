#include "keyed_writes.h"

#include "database.h"
#include "field_values.h"
#include "sqlite_statement.h"
#include "store_error.h"
#include "table.h"

#include <sqlite3.h>

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

}

KeyedWrites::KeyedWrites(Database &db, Table &table, const QStringList &fields) : db_(db), table_(table)
{
    if (!db.isOpen())
        throw StoreError(QStringLiteral("Table %1 cannot be written: the database is not connected").arg(table.name()));
    QStringList columns, marks, assignments;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        fieldIndexes_.append(table.fieldIndex(fields[i])); // an unknown field raises StoreError
        const QString column = quoted(fields[i]);
        const QString mark = QLatin1Char('?') + QString::number(i + 1);
        columns.append(column);
        marks.append(mark);
        if (i > 0)
            assignments.append(QStringLiteral("%1 = coalesce(%2, %1)").arg(column, mark));
    }
    update_ = std::make_unique<SqliteStatement>(
        db.handle(), QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?1")
                         .arg(quoted(table.name()), assignments.join(QStringLiteral(", ")), columns.first()));
    add_ = std::make_unique<SqliteStatement>(db.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                              .arg(quoted(table.name()),
                                                                   columns.join(QStringLiteral(", ")),
                                                                   marks.join(QStringLiteral(", "))));
}

KeyedWrites::~KeyedWrites()
{
    try {
        table_.resync();
    } catch (const StoreError &) {
        // the table is re-read at its next move
    }
}

QVariantList KeyedWrites::stored(const QVariantList &values) const
{
    QVariantList result;
    result.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        const FieldDef &field = table_.definition().fields[fieldIndexes_[i]];
        result.append(values[i].isNull() ? QVariant() : FieldValues::canonical(table_.name(), field, values[i]));
    }
    return result;
}

void KeyedWrites::run(SqliteStatement &statement, const QVariantList &values)
{
    try {
        db_.beforeWrite();
        statement.run(stored(values));
    } catch (const StoreError &e) {
        const int code = sqlite3_extended_errcode(db_.handle());
        if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
            throw StoreError(QStringLiteral("Key violation in table %1: a record with %2 already exists (%3)")
                                 .arg(table_.name(), values.value(0).toString(), e.message()));
        if (e.problem() != StoreProblem::Other)
            throw; // names the database and what to do already
        throw StoreError(QStringLiteral("Table %1: %2").arg(table_.name(), e.message()));
    }
}

bool KeyedWrites::update(const QVariantList &values)
{
    run(*update_, values);
    return sqlite3_changes(db_.handle()) > 0;
}

void KeyedWrites::add(const QVariantList &values)
{
    run(*add_, values);
}
