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

QString mark(qsizetype parameter)
{
    return QLatin1Char('?') + QString::number(parameter);
}

// Binds a value in the form its field stores (see FieldValues::canonical)
// by its type, read in place: the import's thousands of lines spend
// nothing on QVariant's conversions.
void bindStored(SqliteStatement &statement, int index, const QVariant &value)
{
    if (value.isNull()) {
        statement.bindNull(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Double:
        statement.bindReal(index, *static_cast<const double *>(value.constData()));
        break;
    case QMetaType::LongLong:
        statement.bindInteger(index, *static_cast<const qint64 *>(value.constData()));
        break;
    case QMetaType::Bool:
        statement.bindInteger(index, *static_cast<const bool *>(value.constData()) ? 1 : 0);
        break;
    case QMetaType::QString:
        statement.bindText(index, *static_cast<const QString *>(value.constData()));
        break;
    default: // dates and times, written as bind() writes them
        statement.bind(index, value);
    }
}

// Runs `statement` with the values bound to ?1, ?2, ...; the parameters
// after them keep what they hold.
void run(SqliteStatement &statement, const QVariantList &values)
{
    statement.reset();
    for (qsizetype i = 0; i < values.size(); ++i)
        bindStored(statement, int(i + 1), values[i]);
    statement.run();
}

}

KeyedWrites::KeyedWrites(Database &db, Table &table, const QStringList &fields, const NewRecordValues &newRecordValues)
    : db_(db), table_(table)
{
    if (!db.isOpen())
        throw StoreError(QStringLiteral("Table %1 cannot be written: the database is not connected").arg(table.name()));
    // Whether a record was added is told by its rowid, which only a table
    // with rowids has.
    SqliteStatement(db.handle(), QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(quoted(table.name())));
    // One statement adds or updates: ?1 .. ?n are the record's values,
    // the parameters after them the new-record values, bound once.
    QStringList columns, values, assignments;
    QVariantList defaults;
    const auto newRecordValue = [&](const QString &field) -> QString {
        for (const auto &[name, value] : newRecordValues)
            if (name == field) {
                defaults.append(FieldValues::canonical(table.name(), table.definition().fields[table.fieldIndex(name)],
                                                       value));
                return mark(fields.size() + defaults.size());
            }
        return QString();
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        fieldIndexes_.append(table.fieldIndex(fields[i])); // an unknown field raises StoreError
        const QString column = quoted(fields[i]);
        const QString given = newRecordValue(fields[i]);
        columns.append(column);
        values.append(given.isEmpty() ? mark(i + 1) : QStringLiteral("coalesce(%1, %2)").arg(mark(i + 1), given));
        if (i > 0)
            assignments.append(QStringLiteral("%1 = coalesce(%2, %1)").arg(column, mark(i + 1)));
    }
    for (const auto &[name, value] : newRecordValues) {
        if (fields.contains(name))
            continue;
        columns.append(quoted(name));
        values.append(newRecordValue(name));
    }
    upsert_ = std::make_unique<SqliteStatement>(
        db.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO UPDATE SET %5")
                         .arg(quoted(table.name()), columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")),
                              columns.first(), assignments.join(QStringLiteral(", "))));
    for (qsizetype i = 0; i < defaults.size(); ++i)
        upsert_->bind(int(fields.size() + i + 1), defaults[i]);
    update_ = std::make_unique<SqliteStatement>(
        db.handle(), QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?1")
                         .arg(quoted(table.name()), assignments.join(QStringLiteral(", ")), columns.first()));
}

KeyedWrites::~KeyedWrites()
{
    try {
        table_.resync();
    } catch (const StoreError &) {
        // the table is re-read at its next move
    }
}

bool KeyedWrites::write(QVariantList values)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        const FieldDef &field = table_.definition().fields[fieldIndexes_[i]];
        // Most values come in their stored form: the list is then not copied.
        if (!values[i].isNull() && !FieldValues::alreadyStored(field, values[i]))
            values[i] = FieldValues::canonical(table_.name(), field, values[i]);
    }
    try {
        db_.beforeWrite();
        // A file brings mostly new records or mostly records already
        // there. After an update, the next record is updated first, by a
        // plain update, which costs less than the one that both adds and
        // updates; only where it finds no record does that one follow.
        if (updating_) {
            run(*update_, values);
            if (sqlite3_changes(db_.handle()) > 0)
                return false;
        }
        // The rowid of the last record added changes only when one is.
        sqlite3_set_last_insert_rowid(db_.handle(), 0);
        run(*upsert_, values);
        updating_ = sqlite3_last_insert_rowid(db_.handle()) == 0;
        return !updating_;
    } catch (const StoreError &e) {
        if (e.problem() != StoreProblem::Other)
            throw; // names the database and what to do already
        throw StoreError(QStringLiteral("Table %1: %2").arg(table_.name(), e.message()));
    }
}
