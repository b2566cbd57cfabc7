#pragma once

#include "lanes/store_report_data.h"

class ServerConnection;
struct LaneSettings;

// Asking the store server for its reports (the functions
// tillano.report_NAME of the schema). Each call reads in one read-only
// snapshot, so that the tables of one report agree with each other; a
// report that takes longer than a minute is stopped. Throws ServerError
// with the server's or the system's words.

// The lanes of the store and the tables of the report functions named
// ("financial", "register_lines"), under those names.
StoreReportData readStoreReport(ServerConnection &server, const StoreReportRange &range, const QStringList &tables);

// Everything a page report of that kind shows.
StoreReportData readStoreReport(ServerConnection &server, StoreReportKind kind, const StoreReportRange &range);

// The stores the server holds data or lanes of.
QList<int> serverStores(ServerConnection &server);

// A lane's way: the server and store its settings name, a connection
// given up after 5 seconds (a manager waits at the till meanwhile).
StoreReportData readStoreReportForLane(const LaneSettings &lane, StoreReportKind kind, const QDate &from,
                                       const QDate &to);
