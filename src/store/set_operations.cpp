#include "set_operations.h"

#include "database.h"
#include "sqlite_statement.h"
#include "store_error.h"
#include "table.h"

#include <sqlite3.h>

namespace {

// The quoted column of a field; an unknown field raises StoreError.
QString column(Table &table, const QString &field)
{
    table.fieldIndex(field);
    return QLatin1Char('"') + field + QLatin1Char('"');
}

// The table's record order in SQL.
QString orderBy(Table &table)
{
    QStringList columns;
    for (const QString &field : table.definition().orderColumns)
        columns.append(column(table, field));
    return columns.isEmpty() ? QStringLiteral("rowid") : columns.join(QStringLiteral(", "));
}

void checkConnected(Database &db, Table &table)
{
    if (!db.isOpen())
        throw StoreError(QStringLiteral("Table %1 cannot be used: the database is not connected").arg(table.name()));
}

// Returns the number of records written.
int run(Database &db, Table &table, const QString &sql, const QVariantList &parameters = {})
{
    checkConnected(db, table);
    db.beforeWrite();
    SqliteStatement(db.handle(), sql).run(parameters);
    const int changed = sqlite3_changes(db.handle());
    table.resync();
    return changed;
}

}

namespace SetOperations {

void zeroFields(Database &db, Table &table, const QStringList &fields)
{
    QStringList assignments, notZero;
    for (const QString &field : fields) {
        const QString name = column(table, field);
        assignments.append(name + QStringLiteral(" = 0"));
        notZero.append(name + QStringLiteral(" IS NOT 0"));
    }
    run(db, table,
        QStringLiteral("UPDATE \"%1\" SET %2 WHERE %3")
            .arg(table.name(), assignments.join(QStringLiteral(", ")), notZero.join(QStringLiteral(" OR "))));
}

int deleteBelow(Database &db, Table &table, const QString &field, const QVariant &bound)
{
    if (bound.isNull())
        return run(db, table, QStringLiteral("DELETE FROM \"%1\"").arg(table.name()));
    return run(db, table, QStringLiteral("DELETE FROM \"%1\" WHERE %2 < ?").arg(table.name(), column(table, field)),
               {bound});
}

QVariant firstAfter(Database &db, Table &table, const QString &key, const QString &field, const QVariant &value)
{
    checkConnected(db, table);
    SqliteStatement query(db.handle(), QStringLiteral("SELECT %1 FROM \"%2\" WHERE %3 > ? ORDER BY %4 LIMIT 1")
                                           .arg(column(table, key), table.name(), column(table, field), orderBy(table)));
    query.start({value});
    return query.step() ? query.value(0) : QVariant();
}

}
