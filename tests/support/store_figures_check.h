#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QStringList>

// How tillano.report_NAME ("financial", "cashiers", "products",
// "departments", "line_totals") of an open store server differs, for a
// store and a range of days, from the same sales added up from the lanes'
// own registers (their data directories' posdb.sqlite3) the way a lane
// adds and prints them, to the cent: one text per difference ("terminal=2
// sales: server 10.00, lanes 10.01"), none when they agree.
QStringList storeReportDifferences(QSqlDatabase &server, const QString &report, int store, const QDate &from,
                                   const QDate &to, const QStringList &laneDirectories);

// The store financial report against the sum of the lanes' registers.
inline QStringList storeFinancialDifferences(QSqlDatabase &server, int store, const QDate &from, const QDate &to,
                                             const QStringList &laneDirectories)
{
    return storeReportDifferences(server, QStringLiteral("financial"), store, from, to, laneDirectories);
}
