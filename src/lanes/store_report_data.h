#pragma once

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVariant>

// The store reports, which the store server computes from the sales it
// holds (its functions tillano.report_NAME) for a store and a range of
// days. A lane prints them as page reports, tillano-server writes them
// as CSV; both show the server's figures as they come.
enum class StoreReportKind { Financial, Cashiers, Products, Departments, Register };

struct StoreReportRange {
    int store = 0;
    QDate from;
    QDate to; // included
};

// One answer of the server: a report function's columns and rows. Sums
// come as the exact text the server rounded them to ("1234.50"); other
// values as Qt reads them; NULL as a null QVariant.
class StoreReportTable {
public:
    StoreReportTable() = default;
    StoreReportTable(QStringList columns, QList<QVariantList> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    const QStringList &columns() const { return columns_; }
    const QList<QVariantList> &rows() const { return rows_; }
    int rowCount() const { return int(rows_.size()); }

    // The index of a column; throws std::logic_error when the server's
    // function has none of that name (a server older than the program).
    int column(const QString &name) const;
    const QVariant &value(int row, int column) const { return rows_[row][column]; }
    // A number of the row, 0 when NULL.
    double number(int row, int column) const { return rows_[row][column].toDouble(); }

private:
    QStringList columns_;
    QList<QVariantList> rows_;
};

// Everything one report shows, read from one snapshot of the server: the
// lanes of the store (tillano.report_lanes) and the report's own tables
// under their function's name without "report_" ("financial",
// "register_lines").
struct StoreReportData {
    StoreReportKind kind = StoreReportKind::Financial;
    StoreReportRange range;
    StoreReportTable lanes;
    QHash<QString, StoreReportTable> tables;

    const StoreReportTable &table(const QString &name) const;
};

// The functions a report reads beside report_lanes, without "report_".
QStringList storeReportTables(StoreReportKind kind);

// What the server holds of one lane (a row of report_lanes): its sales in
// the range and its last sale received, when it arrived; then, when there
// is any, what the lane still holds and since when, and its sales set
// aside. A report taken while a lane cannot reach the server says so with
// these. In the language of the program's texts.
struct LaneSummary {
    QString lane;     // "Lane 2"
    QString received; // its sales and the last one received
    QString missing;  // what the server lacks of it, or empty
};
QList<LaneSummary> laneSummaries(const StoreReportTable &lanes);

// "Lane 3", or for a NULL terminal the store's total, as captions.
QString laneCaption(const QVariant &terminal);
