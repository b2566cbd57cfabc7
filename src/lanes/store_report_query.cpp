#include "store_report_query.h"

#include "lanes/lane_settings.h"
#include "lanes/server_connection.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

StoreReportTable tableOf(QSqlQuery &q)
{
    const QSqlRecord record = q.record();
    QStringList columns;
    for (int c = 0; c < record.count(); ++c)
        columns.append(record.fieldName(c));
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int c = 0; c < record.count(); ++c)
            row.append(q.value(c));
        rows.append(std::move(row));
    }
    return StoreReportTable(columns, std::move(rows));
}

StoreReportTable fetch(ServerConnection &server, const QString &name, const StoreReportRange &range)
{
    // The name is one of the program's own, never the user's text.
    // Sums come as the exact text the server rounded them to.
    QSqlQuery q = server.run(QStringLiteral("SELECT * FROM tillano.report_%1(?, ?, ?)").arg(name),
                             {range.store, range.from, range.to}, QSql::HighPrecision);
    return tableOf(q);
}

}

StoreReportData readStoreReport(ServerConnection &server, const StoreReportRange &range, const QStringList &tables)
{
    server.begin();
    try {
        server.execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
        server.execute(QStringLiteral("SET LOCAL statement_timeout = '60s'"));
        StoreReportData data;
        data.range = range;
        data.lanes = fetch(server, QStringLiteral("lanes"), range);
        for (const QString &name : tables)
            data.tables.insert(name, fetch(server, name, range));
        server.commit();
        return data;
    } catch (...) {
        server.rollback();
        throw;
    }
}

StoreReportData readStoreReport(ServerConnection &server, StoreReportKind kind, const StoreReportRange &range)
{
    StoreReportData data = readStoreReport(server, range, storeReportTables(kind));
    data.kind = kind;
    return data;
}

QList<int> serverStores(ServerConnection &server)
{
    QList<int> stores;
    for (const QVariantList &row : server.query(QStringLiteral("SELECT store FROM tillano.report_stores()")))
        stores.append(row.value(0).toInt());
    return stores;
}

StoreReportData readStoreReportForLane(const LaneSettings &lane, StoreReportKind kind, const QDate &from,
                                       const QDate &to)
{
    if (lane.store() < 1)
        throw ServerError(QStringLiteral("The lane's settings name no store (Store=%1).").arg(lane.storeText), true);
    ServerConnection server(lane.server, 5);
    server.open();
    return readStoreReport(server, kind, {lane.store(), from, to});
}
