#include "shop_data.h"

#include "lane_identity.h"
#include "server_connection.h"
#include "shop_changes.h"
#include "shop_tables.h"

#include "store/database.h"
#include "store/store_error.h"
#include "store/sqlite_statement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonArray rowsOf(Database &db, const ShopTables::ShopTable &t)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT %1 FROM \"%2\"").arg(t.columnList(), t.name));
    st.start();
    QJsonArray rows;
    while (st.step()) {
        QJsonObject row;
        for (int i = 0; i < t.columns.size(); ++i)
            row.insert(t.columns[i].name, ShopTables::toJson(ShopTables::fromLane(st, i, t.columns[i].kind),
                                                             t.columns[i].kind));
        rows.append(row);
    }
    return rows;
}

}

namespace ShopData {

bool onServer(ServerConnection &server, int store)
{
    return !server.query(QStringLiteral("SELECT 1 FROM tillano.control WHERE \"Store_id\" = ?"), {store}).isEmpty();
}

void copyFromServer(ServerConnection &server, int store, Database &lane)
{
    if (ShopChanges::copyAll(server, store, lane, CopyRows) == ShopChanges::Outcome::Held)
        throw StoreError(QStringLiteral("The lane has edits or sales not sent yet; the store's data was not copied."));
}

bool sendUp(ServerConnection &server, const LaneIdentity &lane, Database &db)
{
    QJsonObject shop;
    for (const ShopTables::ShopTable &t : ShopTables::all()) {
        const QJsonArray rows = rowsOf(db, t);
        if (t.keyed())
            shop.insert(t.name, rows);
        else if (!rows.isEmpty())
            shop.insert(t.name, rows.first());
    }
    const QList<QVariantList> answer = server.query(
        QStringLiteral("SELECT tillano.lane_send_shop(?, ?, ?, ?::jsonb)"),
        {lane.store, lane.terminal, lane.key, QString::fromUtf8(QJsonDocument(shop).toJson(QJsonDocument::Compact))});
    return !answer.isEmpty() && answer.first().value(0).toBool();
}

}
