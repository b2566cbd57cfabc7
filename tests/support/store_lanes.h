#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <memory>

class PostgresCluster;
class TDataModule2;

// A demo lane of a store server for tests: its data directory and
// settings, prepared as `tillano-setup --demo --server` prepares one
// (without a connection string, a single terminal's demo shop).
struct TestLane {
    QString directory;
    QString settings;
    int store = 0;
    int terminal = 0;

    // Empty on success, else why it could not be prepared.
    static QString prepare(TestLane &lane, const QString &root, const QString &conninfo, int store, int terminal,
                           bool replace = false);
    QString databaseFile() const;
};

// Sells on a lane through the posting engine, as checkout posts: each sale
// one to four lines of the lane's products, paid exactly in cash. The
// sales differ with the seed. `varied` sales move every figure of the
// store's reports instead: three days (2026-03-07 to 09), cashiers 1 and
// 2, quarter quantities, line discounts, the shop's taxes, cash with
// change, the second payment mode, a coupon, foreign currency, and one
// sale in ten voided (every line negative).
class LaneSeller {
public:
    explicit LaneSeller(const QString &directory, unsigned seed = 1, bool varied = false);
    ~LaneSeller();
    // `perTransaction` sales share one database transaction (a quick way to
    // queue thousands); 1 is a till's way.
    void sell(int sales, int perTransaction = 1);
    // A stock receipt of `lines` lines, as receiving mode posts it.
    void receive(int lines);
    // One sale, or one stock receipt at `cost`, of these products and
    // quantities, at the prices the lane has for them now.
    void sellThese(const QList<std::pair<double, double>> &lines);
    void receiveThese(const QList<std::pair<double, double>> &lines, double cost);
    TDataModule2 &dataModule() { return *dm_; }

private:
    void sellOne();
    void ringLines(int count, bool receiving);
    void sellVaried();
    void ringLine(double upc, double qty, bool receiving);
    void postWorkSale();
    unsigned next(unsigned n);
    std::unique_ptr<TDataModule2> dm_;
    QList<double> products_;
    unsigned state_;
    bool varied_;
};

// Runs tillano-sync for the lane's settings; its exit code and standard
// error. `extra` adds to the environment.
struct SyncRun {
    int exitCode = -1;
    QString errors;
};
SyncRun runSync(const TestLane &lane, const QStringList &arguments = {QStringLiteral("--drain")},
                const QProcessEnvironment &extra = {});

// How a lane's sales register and the store server's sales of that lane
// differ: the number of sales and lines, and each sale's header and lines
// field by field, the grand totals to the cent. Empty when they agree.
QString laneAgainstServer(const TestLane &lane, PostgresCluster &cluster, const QString &database);

// Messages waiting in the lane's outbox.
int outboxCount(const TestLane &lane);
