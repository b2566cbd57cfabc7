#include "report_command.h"

#include "report_csv.h"

#include "lanes/server_connection.h"
#include "lanes/store_report_query.h"

namespace {

int chosenStore(ServerConnection &server, int asked)
{
    if (asked > 0)
        return asked;
    const QList<int> stores = serverStores(server);
    if (stores.size() == 1)
        return stores.first();
    if (stores.isEmpty())
        throw ServerError(QStringLiteral("The store server holds no store yet: prepare a lane first."));
    QStringList numbers;
    for (int store : stores)
        numbers.append(QString::number(store));
    throw ServerError(QStringLiteral("The store server holds stores %1: name one with --store N.")
                          .arg(numbers.join(QStringLiteral(", "))));
}

}

QStringList reportNames()
{
    return {QStringLiteral("financial"), QStringLiteral("cashiers"),  QStringLiteral("products"),
            QStringLiteral("departments"), QStringLiteral("line-totals"), QStringLiteral("register"),
            QStringLiteral("register-lines"), QStringLiteral("lanes")};
}

QByteArray reportCsv(ServerConnection &server, const ReportRequest &request, QStringList &notes)
{
    if (!reportNames().contains(request.name))
        throw ServerError(QStringLiteral("No report is named \"%1\"; the reports are: %2.")
                              .arg(request.name, reportNames().join(QStringLiteral(", "))));
    const StoreReportRange range{chosenStore(server, request.store), request.from, request.to};
    // The server's functions are named like the reports, with underscores.
    const QString table = QString(request.name).replace(QLatin1Char('-'), QLatin1Char('_'));
    const bool lanesOnly = table == QLatin1String("lanes");
    const StoreReportData data = readStoreReport(server, range, lanesOnly ? QStringList() : QStringList{table});
    for (const LaneSummary &lane : laneSummaries(data.lanes))
        if (!lane.missing.isEmpty())
            notes.append(QStringLiteral("%1: %2").arg(lane.lane, lane.missing));
    return storeReportCsv(lanesOnly ? data.lanes : data.table(table));
}
