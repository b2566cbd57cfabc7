#include "lane_edits.h"

#include "shop_tables.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QJsonDocument>
#include <QJsonObject>

using ShopTables::ShopTable;

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString keyOf(const ShopTable &t, const QString &row)
{
    return t.keyed() ? row + QLatin1Char('.') + quoted(t.key) : QStringLiteral("0");
}

// Notes a row as changed, keeping the "before" of a change not yet sent.
QString note(const ShopTable &t, const QString &key, const QString &before, const QString &condition = QString())
{
    return QStringLiteral("INSERT INTO \"lane_edits\" (\"Edit_table\", \"Edit_key\", \"Edit_before\") "
                          "SELECT '%1', %2, %3 WHERE %4 ON CONFLICT (\"Edit_table\", \"Edit_key\") "
                          "DO UPDATE SET \"Edit_changes\" = \"Edit_changes\" + 1;")
        .arg(t.name, key, before, condition.isEmpty() ? QStringLiteral("1") : condition);
}

QStringList triggers(const ShopTable &t)
{
    const QString person = QStringLiteral("(SELECT \"Writer\" FROM \"lane_writer\") = 0");
    QStringList differs;
    for (const ShopTables::Column &c : t.columns)
        differs << QStringLiteral("OLD.%1 IS NOT NEW.%1").arg(quoted(c.name));
    const QString head = QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"lane_edit_%1_%2\" AFTER %3 ON %4 WHEN %5 BEGIN ");
    return {
        head.arg(t.name, QStringLiteral("inserted"), QStringLiteral("INSERT"), quoted(t.name), person)
            + note(t, keyOf(t, QStringLiteral("NEW")), QStringLiteral("NULL")) + QStringLiteral(" END"),
        head.arg(t.name, QStringLiteral("updated"), QStringLiteral("UPDATE"), quoted(t.name),
                 person + QStringLiteral(" AND (") + differs.join(QStringLiteral(" OR ")) + QLatin1Char(')'))
            + note(t, keyOf(t, QStringLiteral("OLD")), t.literalRow(QStringLiteral("OLD")))
            // A new key is a row made here.
            + (t.keyed() ? note(t, keyOf(t, QStringLiteral("NEW")), QStringLiteral("NULL"),
                                keyOf(t, QStringLiteral("NEW")) + QStringLiteral(" IS NOT ")
                                    + keyOf(t, QStringLiteral("OLD")))
                         : QString())
            + QStringLiteral(" END"),
        head.arg(t.name, QStringLiteral("deleted"), QStringLiteral("DELETE"), quoted(t.name), person)
            + note(t, keyOf(t, QStringLiteral("OLD")), t.literalRow(QStringLiteral("OLD"))) + QStringLiteral(" END"),
    };
}

// Posting moves a noted product's stock: the move travels with its sale
// or receipt, so the edit must not carry it too. The quantity it moved and
// the average cost it started from are kept beside the edit.
QString postingMoves()
{
    return QStringLiteral(
        "CREATE TRIGGER IF NOT EXISTS \"lane_edit_product_posted\" AFTER UPDATE OF \"Product_qty\", "
        "\"Product_avg_cost\" ON \"product\" WHEN (SELECT \"Writer\" FROM \"lane_writer\") = 1 BEGIN "
        "UPDATE \"lane_edits\" SET \"Edit_stock_moved\" = \"Edit_stock_moved\" + coalesce(NEW.\"Product_qty\", 0) "
        "- coalesce(OLD.\"Product_qty\", 0), \"Edit_cost_before_receipts\" = coalesce(\"Edit_cost_before_receipts\", "
        "CASE WHEN OLD.\"Product_avg_cost\" IS NOT NEW.\"Product_avg_cost\" THEN quote(OLD.\"Product_avg_cost\") END) "
        "WHERE \"Edit_table\" = 'product' AND \"Edit_key\" = OLD.\"Product_upc\"; END");
}

// A person who sets the average cost sets the one the edit carries.
QString costSetByPerson()
{
    return QStringLiteral(
        "CREATE TRIGGER IF NOT EXISTS \"lane_edit_product_cost_set\" AFTER UPDATE OF \"Product_avg_cost\" "
        "ON \"product\" WHEN (SELECT \"Writer\" FROM \"lane_writer\") = 0 "
        "AND OLD.\"Product_avg_cost\" IS NOT NEW.\"Product_avg_cost\" BEGIN "
        "UPDATE \"lane_edits\" SET \"Edit_cost_before_receipts\" = NULL "
        "WHERE \"Edit_table\" = 'product' AND \"Edit_key\" = NEW.\"Product_upc\"; END");
}

// The row as it stands without posting's moves since it was noted.
QString withoutPostingMoves(Database &db, const QString &row, double moved, const QVariant &costBefore)
{
    SqliteStatement &st = db.statement(QStringLiteral(
        "SELECT json_set(?1, '$.Product_qty', quote(CAST(json_extract(?1, '$.Product_qty') AS REAL) - ?2), "
        "'$.Product_avg_cost', coalesce(?3, json_extract(?1, '$.Product_avg_cost')))"));
    st.start({row, moved, costBefore});
    const QString net = st.step() ? st.text(0) : row;
    st.reset();
    return net;
}

// A row of SQL literals as the server takes it: typed JSON, every column.
QJsonValue typedRow(const ShopTable &t, const QString &literals)
{
    if (literals.isNull())
        return QJsonValue::Null;
    const QJsonObject values = QJsonDocument::fromJson(literals.toUtf8()).object();
    QJsonObject row;
    for (const ShopTables::Column &c : t.columns) {
        const QJsonValue literal = values.value(c.name);
        row.insert(c.name, literal.isString() ? ShopTables::toJson(ShopTables::fromLiteral(literal.toString(), c.kind), c.kind)
                                              : QJsonValue(QJsonValue::Null));
    }
    return row;
}

// The row of a table as it stands, as SQL literals; null when it is not there.
QString currentRow(Database &db, const ShopTable &t, double key)
{
    SqliteStatement &st = db.statement(
        QStringLiteral("SELECT %1 FROM %2 AS t %3 LIMIT 1")
            .arg(t.literalRow(QStringLiteral("t")), quoted(t.name),
                 t.keyed() ? QStringLiteral("WHERE t.%1 = ?").arg(quoted(t.key)) : QString()));
    st.start(t.keyed() ? QVariantList{key} : QVariantList{});
    const QString row = st.step() ? st.text(0) : QString();
    st.reset();
    return row;
}

qint64 lastNumber(Database &db)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"State_edit_no\" FROM \"lane_sync_state\" LIMIT 1"));
    st.start();
    return st.step() ? st.integer(0) : 0;
}

}

namespace LaneEdits {

void createTriggers(Database &db)
{
    db.beforeWrite();
    for (const ShopTable &t : ShopTables::all())
        for (const QString &sql : triggers(t))
            executeSql(db.handle(), sql);
    executeSql(db.handle(), postingMoves());
    executeSql(db.handle(), costSetByPerson());
}

QList<Edit> numbered(Database &db, int limit)
{
    if (waiting(db) == 0)
        return {};
    struct Noted {
        qint64 seq;
        QString table;
        double key;
        QString before;
        qint64 number;
        QString after;
        double moved;
        QVariant costBefore;
    };
    QList<Noted> rows;
    StoreTransaction transaction(db);
    {
        SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Edit_seq\", \"Edit_table\", \"Edit_key\", "
                                                       "\"Edit_before\", \"Edit_no\", \"Edit_after\", \"Edit_stock_moved\", "
                                                       "\"Edit_cost_before_receipts\" FROM \"lane_edits\" "
                                                       "ORDER BY \"Edit_seq\" LIMIT ?"));
        st.start({limit});
        while (st.step())
            rows.append({st.integer(0), st.text(1), st.real(2), st.isNull(3) ? QString() : st.text(3),
                          st.isNull(4) ? 0 : st.integer(4), st.isNull(5) ? QString() : st.text(5), st.real(6),
                          st.isNull(7) ? QVariant() : QVariant(st.text(7))});
    }
    qint64 number = lastNumber(db);
    const qint64 first = number;
    SqliteStatement give(db.handle(), QStringLiteral("UPDATE \"lane_edits\" SET \"Edit_no\" = ?, \"Edit_after\" = ?, "
                                                     "\"Edit_changes\" = 0 WHERE \"Edit_seq\" = ?"));
    for (Noted &r : rows) {
        if (r.number != 0)
            continue;
        r.number = ++number;
        r.after = currentRow(db, ShopTables::named(r.table), r.key);
        if (!r.after.isNull() && (r.moved != 0 || !r.costBefore.isNull()))
            r.after = withoutPostingMoves(db, r.after, r.moved, r.costBefore);
        give.run({r.number, r.after.isNull() ? QVariant() : QVariant(r.after), r.seq});
    }
    if (number != first)
        SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_edit_no\" = ?")).run({number});
    transaction.commit();

    QList<Edit> edits;
    for (const Noted &r : rows) {
        const ShopTable &t = ShopTables::named(r.table);
        edits.append({r.number, r.table, r.key, typedRow(t, r.before), typedRow(t, r.after)});
    }
    return edits;
}

void acknowledge(Database &db, qint64 through)
{
    StoreTransaction transaction(db);
    SqliteStatement(db.handle(), QStringLiteral("DELETE FROM \"lane_edits\" WHERE \"Edit_no\" <= ? "
                                                "AND \"Edit_changes\" = 0"))
        .run({through});
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_edits\" SET \"Edit_before\" = \"Edit_after\", "
                                                "\"Edit_no\" = NULL, \"Edit_after\" = NULL WHERE \"Edit_no\" <= ?"))
        .run({through});
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_edit_no\" = ? "
                                                "WHERE \"State_edit_no\" < ?"))
        .run({through, through});
    transaction.commit();
}

void numberAfter(Database &db, qint64 through)
{
    StoreTransaction transaction(db);
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_edits\" SET \"Edit_no\" = NULL, \"Edit_after\" = NULL, "
                                                "\"Edit_changes\" = \"Edit_changes\" + 1 WHERE \"Edit_no\" IS NOT NULL"))
        .run();
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_edit_no\" = ?")).run({through});
    transaction.commit();
}

int waiting(Database &db)
{
    SqliteStatement &st = db.statement(QStringLiteral("SELECT COUNT(*) FROM \"lane_edits\""));
    st.start();
    const int n = st.step() ? int(st.integer(0)) : 0;
    st.reset();
    return n;
}

}
