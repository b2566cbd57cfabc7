#include "shop_changes.h"

#include "lane_edits.h"
#include "lane_tables.h"
#include "outbox.h"
#include "server_connection.h"
#include "shop_tables.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QHash>
#include <QSet>
#include <sqlite3.h>

using ShopTables::ShopTable;

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString keyKind(const ShopTable &t)
{
    return t.columns.first().kind == ShopTables::Kind::Integer ? QStringLiteral("::integer") : QString();
}

// The values a new row's own fields start with.
QVariantList ownDefaults(const ShopTable &t)
{
    QVariantList values;
    for (const auto &[name, value] : t.ownDefaults)
        values << value;
    return values;
}

// One statement that writes the shop's fields of a keyed row, made once
// per table: a row the lane has keeps its own fields.
const QString &upsertOf(const ShopTable &t)
{
    static QHash<QString, QString> made;
    QString &sql = made[t.name];
    if (sql.isEmpty()) {
        QStringList names{t.columnList()};
        QStringList sets;
        for (const ShopTables::Column &c : t.columns)
            if (c.name != t.key)
                sets << QStringLiteral("%1 = excluded.%1").arg(quoted(c.name));
        for (const auto &[name, value] : t.ownDefaults)
            names << quoted(name);
        QStringList marks;
        for (qsizetype i = 0; i < t.columns.size() + t.ownDefaults.size(); ++i)
            marks << QStringLiteral("?");
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO UPDATE SET %5")
                  .arg(quoted(t.name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                       quoted(t.key), sets.join(QStringLiteral(", ")));
    }
    return sql;
}

// Writes the server's row into the lane: the shop's fields of the row the
// lane has, or a new row whose own fields start as a new record's.
void writeRow(Database &db, const ShopTable &t, const QVariantList &values)
{
    if (t.keyed()) {
        db.statement(upsertOf(t)).run(values + ownDefaults(t));
        return;
    }
    // A table of one row: that row, or a new one.
    QStringList sets;
    for (const ShopTables::Column &c : t.columns)
        sets << quoted(c.name) + QStringLiteral(" = ?");
    db.statement(QStringLiteral("UPDATE %1 SET %2").arg(quoted(t.name), sets.join(QStringLiteral(", ")))).run(values);
    if (sqlite3_changes(db.handle()) > 0)
        return;
    QStringList names{t.columnList()};
    QStringList marks;
    const QVariantList inserted = values + ownDefaults(t);
    for (const auto &[name, value] : t.ownDefaults)
        names << quoted(name);
    for (qsizetype i = 0; i < inserted.size(); ++i)
        marks << QStringLiteral("?");
    db.statement(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(quoted(t.name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))))
        .run(inserted);
}

// Deletes a row the server no longer has; the lane's control record stays.
void deleteRow(Database &db, const ShopTable &t, const QVariant &key)
{
    if (t.keyed())
        db.statement(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(t.name), quoted(t.key))).run({key});
    else if (t.name != QLatin1String("control"))
        db.statement(QStringLiteral("DELETE FROM %1").arg(quoted(t.name))).run();
}

QVariantList typed(const ShopTable &t, const QVariantList &row, int from)
{
    QVariantList values;
    for (int i = 0; i < t.columns.size(); ++i)
        values << ShopTables::fromServer(row.value(from + i), t.columns[i].kind);
    return values;
}

void setPlace(Database &db, qint64 through, const QString &serverId)
{
    db.statement(QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_changes_through\" = ?, "
                                "\"State_server_id\" = COALESCE(?, \"State_server_id\")"))
        .run({through, serverId.isNull() ? QVariant() : QVariant(serverId)});
}

// The lane has edits, or sales and receipts, that the server must have
// first: its rows would be written over with what does not count them.
bool mustWait(Database &db)
{
    return LaneEdits::waiting(db) > 0 || Outbox::backlog(db).count > 0;
}

// One lane transaction writing as tillano-sync; false, writing nothing,
// when the lane has edits, sales or receipts to send first.
template <typename Work>
bool asSync(Database &db, Work work)
{
    StoreTransaction transaction(db);
    if (mustWait(db))
        return false;
    LaneWriter::set(db, LaneWriter::Writer::Sync);
    work();
    LaneWriter::set(db, LaneWriter::Writer::Person);
    transaction.commit();
    return true;
}

qint64 latestChange(ServerConnection &server, int store)
{
    return server
        .query(QStringLiteral("SELECT coalesce(max(change_no), 0) FROM tillano.change_log WHERE \"Store_id\" = ?"),
               {store})
        .value(0)
        .value(0)
        .toLongLong();
}

// The lane's keys of a table in (after, upTo]; either end open when null.
QList<QVariant> laneKeys(Database &db, const ShopTable &t, const QVariant &after, const QVariant &upTo)
{
    QStringList where;
    QVariantList values;
    if (!after.isNull()) {
        where << quoted(t.key) + QStringLiteral(" > ?");
        values << after;
    }
    if (!upTo.isNull()) {
        where << quoted(t.key) + QStringLiteral(" <= ?");
        values << upTo;
    }
    SqliteStatement st(db.handle(), QStringLiteral("SELECT %1 FROM %2%3")
                                        .arg(quoted(t.key), quoted(t.name),
                                             where.isEmpty() ? QString()
                                                             : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))));
    st.start(values);
    QList<QVariant> keys;
    while (st.step())
        keys << st.value(0);
    return keys;
}

// Copies one table of one row per store.
bool copySingle(ServerConnection &server, int store, Database &db, const ShopTable &t)
{
    const QList<QVariantList> rows = server.query(
        QStringLiteral("SELECT %1 FROM tillano.%2 WHERE \"Store_id\" = ?").arg(t.columnList(), quoted(t.name)), {store});
    return asSync(db, [&] {
        if (rows.isEmpty())
            deleteRow(db, t, {});
        else
            writeRow(db, t, typed(t, rows.first(), 0));
    });
}

// Copies one keyed table, page by page in key order; each page also
// removes the lane's rows in its range of keys that the server lacks.
bool copyKeyed(ServerConnection &server, int store, Database &db, const ShopTable &t, int limit)
{
    const QString select = QStringLiteral("SELECT %1 FROM tillano.%2 WHERE \"Store_id\" = ?%3 ORDER BY %4 LIMIT ?");
    QVariant after;
    for (;;) {
        const QList<QVariantList> rows =
            after.isNull()
                ? server.query(select.arg(t.columnList(), quoted(t.name), QString(), quoted(t.key)), {store, limit})
                : server.query(select.arg(t.columnList(), quoted(t.name),
                                          QStringLiteral(" AND %1 > ?").arg(quoted(t.key)), quoted(t.key)),
                               {store, after, limit});
        const bool lastPage = rows.size() < limit;
        const QVariant upTo = lastPage ? QVariant() : ShopTables::fromServer(rows.last().first(), t.columns.first().kind);
        const bool done = asSync(db, [&] {
            QSet<double> serverKeys;
            for (const QVariantList &row : rows)
                serverKeys.insert(row.first().toDouble());
            for (const QVariant &key : laneKeys(db, t, after, upTo))
                if (!serverKeys.contains(key.toDouble()))
                    deleteRow(db, t, key);
            for (const QVariantList &row : rows)
                writeRow(db, t, typed(t, row, 0));
        });
        if (!done)
            return false;
        if (lastPage)
            return true;
        after = upTo;
    }
}

}

namespace ShopChanges {

Place place(Database &lane)
{
    SqliteStatement st(lane.handle(), QStringLiteral("SELECT \"State_changes_through\", \"State_server_id\" "
                                                     "FROM \"lane_sync_state\" LIMIT 1"));
    st.start();
    Place p;
    if (st.step() && !st.isNull(0)) {
        p.known = true;
        p.through = st.integer(0);
        p.serverId = st.text(1);
    }
    return p;
}

QString serverId(ServerConnection &server)
{
    return server.query(QStringLiteral("SELECT oid::text FROM pg_database WHERE datname = current_database()"))
        .value(0)
        .value(0)
        .toString();
}

Outcome takeBatch(ServerConnection &server, int store, int terminal, Database &lane, int limit)
{
    if (mustWait(lane))
        return Outcome::Held;
    const qint64 after = place(lane).through;
    const QVariant bound = server
                               .query(QStringLiteral("SELECT max(change_no) FROM (SELECT change_no FROM "
                                                     "tillano.change_log WHERE \"Store_id\" = ? AND change_no > ? "
                                                     "ORDER BY change_no LIMIT ?) s"),
                                      {store, after, limit})
                               .value(0)
                               .value(0);
    if (bound.isNull())
        return Outcome::UpToDate;

    struct Changed {
        const ShopTable *table;
        QList<QVariantList> rows; // key, gone, the shop's fields
    };
    QList<Changed> changes;
    for (const ShopTable &t : ShopTables::all()) {
        const QString join = t.keyed() ? QStringLiteral(" AND t.%1 = c.row_key%2").arg(quoted(t.key), keyKind(t)) : QString();
        changes.append({&t, server.query(QStringLiteral("SELECT c.row_key, t.\"Store_id\" IS NULL, %1 "
                                                        "FROM tillano.change_log c LEFT JOIN tillano.%2 t "
                                                        "ON t.\"Store_id\" = c.\"Store_id\"%3 WHERE c.\"Store_id\" = ? "
                                                        "AND c.table_name = ? AND c.change_no > ? AND c.change_no <= ? "
                                                        "AND c.made_by IS DISTINCT FROM ?")
                                             .arg(t.columnList(QStringLiteral("t.")), quoted(t.name), join),
                                         {store, t.name, after, bound, terminal})});
    }
    const bool taken = asSync(lane, [&] {
        for (const Changed &changed : changes)
            for (const QVariantList &row : changed.rows) {
                if (row.value(1).toBool())
                    deleteRow(lane, *changed.table, row.first());
                else
                    writeRow(lane, *changed.table, typed(*changed.table, row, 2));
            }
        setPlace(lane, bound.toLongLong(), QString());
    });
    return taken ? Outcome::Taken : Outcome::Held;
}

Outcome copyAll(ServerConnection &server, int store, Database &lane, int limit)
{
    if (mustWait(lane))
        return Outcome::Held;
    const QString id = serverId(server);
    const qint64 from = latestChange(server, store);
    for (const ShopTable &t : ShopTables::all()) {
        const bool copied = t.keyed() ? copyKeyed(server, store, lane, t, limit) : copySingle(server, store, lane, t);
        if (!copied)
            return Outcome::Held;
    }
    StoreTransaction transaction(lane);
    setPlace(lane, from, id);
    transaction.commit();
    return Outcome::Taken;
}

}
