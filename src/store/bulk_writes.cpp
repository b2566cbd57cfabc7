#include "bulk_writes.h"

#include "database.h"
#include "sqlite_statement.h"
#include "table.h"

namespace {

// The quoted column of a field; an unknown field raises StoreError.
QString column(Table &table, const QString &field)
{
    table.fieldIndex(field);
    return QLatin1Char('"') + field + QLatin1Char('"');
}

void run(Database &db, Table &table, const QString &sql, const QVariantList &parameters = {})
{
    db.beforeWrite();
    SqliteStatement(db.handle(), sql).run(parameters);
    table.resync();
}

}

namespace BulkWrites {

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

void deleteBelow(Database &db, Table &table, const QString &field, const QVariant &bound)
{
    if (bound.isNull())
        run(db, table, QStringLiteral("DELETE FROM \"%1\"").arg(table.name()));
    else
        run(db, table, QStringLiteral("DELETE FROM \"%1\" WHERE %2 < ?").arg(table.name(), column(table, field)),
            {bound});
}

}
