#pragma once

#include "lane_identity.h"
#include "outbox.h"
#include "server_connection.h"
#include "shop_changes.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <functional>

class Database;
class QSqlDriver;

// A lane's conversation with the store server.
//
// It sends the lane's outbox to the store server, oldest first, in batches:
// each batch is one call, so one server transaction, and leaves the
// outbox only after that call returned. Every call also tells the server
// what still waits, and brings back what the server holds of this lane,
// from which the lane finds out that the server lost sales it had
// acknowledged (a restore from an older backup: they are queued again)
// or that it holds sales this database does not know of (an
// acknowledgement lost, or the lane's database restored: new messages are
// numbered after them, and the invoice counter moves past the numbers the
// server holds, so that no new sale reuses one).
//
// It sends the lane's edits of the shop's data (LaneEdits), numbered, in
// batches, and takes in the store's changes (ShopChanges): a whole copy
// when the lane never had one or the server's database is another one
// (restored from a backup), else the changes after the last one taken.
//
// Failures throw ServerError (refused() when the lane may not send: its
// identity does not match) or StoreError (the lane's database).
class LaneSender {
public:
    static constexpr int BatchSize = 250;
    // Edits a call sends, rows a lane transaction takes in.
    static constexpr int EditBatchSize = 2000;
    static constexpr int ChangeBatchSize = 2000;
    // The channel the server announces changes of the shop's data on,
    // with the store's number.
    static constexpr const char *ShopChannel = "tillano_shop";

    // `store` and `conninfo` come from the lane's settings.
    LaneSender(Database &lane, const QString &conninfo, int store);

    // Checks the lane's identity, connects and says hello; a no-op while
    // connected.
    void connect();
    void disconnect();
    bool connected() const { return server_.isOpen(); }

    // Sends the oldest batch; returns how many messages went (0 when the
    // outbox is empty).
    int sendBatch();
    // Tells the server that the lane is there and what waits.
    void report();

    // Sends the oldest edits; returns how many (0 when none wait).
    int sendEdits();
    // Takes in one batch of the store's changes (a whole copy when due).
    ShopChanges::Outcome takeChanges();
    // The store's lanes and up to when their sales are counted, for the
    // stock report; written when they changed or a minute went by.
    void noteStoreLanes();

    // This lane's sales and edits the server set aside, as of the last call.
    int setAside() const { return setAside_; }
    int editsSetAside() const { return editsSetAside_; }

    // The driver of the open connection, which announces the server's
    // notifications; null while not connected.
    QSqlDriver *driver();

    // What to tell the operator beside failures (sales sent again, the
    // invoice counter moved).
    std::function<void(const QString &)> note = [](const QString &) {};
    // Called after the server committed a batch, before the outbox is
    // changed (tests stop the process there).
    std::function<void()> afterServerCommit = [] {};

private:
    LaneIdentity checkedIdentity();
    void call(const QByteArray &batch, int waiting, const QDateTime &waitingSince);
    void followServer(qint64 serverHolds, const QVariant &lastSaleNumber);
    qint64 callEdits(const QByteArray &edits);
    void followEdits(qint64 through);

    static constexpr int RecountAfterMs = 1000;

    Database &db_;
    int store_;
    ServerConnection server_;
    LaneIdentity identity_;
    int setAside_ = 0;
    Outbox::Backlog waiting_;
    QElapsedTimer counted_;
    int editsSetAside_ = 0;
    QString serverId_;
    bool copyDue_ = false;
    QList<QVariantList> storeLanes_;
    QDateTime storeLanesNoted_;
};
