#pragma once

#include <QByteArray>
#include <QDate>
#include <QStringList>

class ServerConnection;

// `tillano-server report NAME --from DATE --to DATE [--store N] CONNINFO`:
// one of the store's reports as CSV, for accounting and head office.
struct ReportRequest {
    QString name;  // one of reportNames()
    int store = 0; // 0: the only store the server holds
    QDate from;
    QDate to;
};

// financial, cashiers, products, departments, line-totals, register,
// register-lines, lanes.
QStringList reportNames();

// The report as CSV. `notes` receives, for standard error, what the
// server lacks of each lane (sales still waiting on it, sales set
// aside), so that figures taken during an outage do not pass for whole.
// Throws ServerError, also for a store that cannot be chosen.
QByteArray reportCsv(ServerConnection &server, const ReportRequest &request, QStringList &notes);
