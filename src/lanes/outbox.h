#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class Database;
struct SaleRecord;

// A lane's posted sales and stock receipts waiting for the store server.
// Posting queues each one inside its own transaction, beside the journal
// queue, so a sale is queued if and only if it is posted. tillano-sync
// sends them oldest first and removes them only after the server
// committed them; the server stores each under its key, so sending one
// again changes nothing. On a database that is not a lane's (a single
// terminal) nothing is queued.
namespace Outbox {

inline constexpr const char *SaleKind = "sale";
inline constexpr const char *StockKind = "stock";

struct Message {
    qint64 number = 0; // the lane's message number, in queuing order
    QString kind;
    double key = 0; // the sale's number; 0 for a stock receipt
    QByteArray content;
};

struct Backlog {
    int count = 0;
    QDateTime oldest; // when the oldest waiting message was queued
};

// First thing inside the posting or receiving transaction: the quantities
// on hand it moves travel with the sale or the receipt, and are no edit of
// the product (LaneEdits). Queueing the sale or the receipt ends it.
void startPosting(Database &db);

// Inside the posting transaction: the sale just posted, numbered.
void queueSale(Database &db, const SaleRecord &posted);
// Inside the receiving transaction: the stock received.
void queueStockReceipt(Database &db, const SaleRecord &received);

Backlog backlog(Database &db);
QList<Message> oldest(Database &db, int limit);

// The server committed the batch: its messages leave the outbox and are
// remembered as sent, in one short transaction.
void acknowledge(Database &db, const QList<Message> &batch);

// The highest message number the server acknowledged.
qint64 acknowledgedThrough(Database &db);

struct Requeued {
    int queued = 0;
    int lost = 0; // sales purged from the register since they were sent
};
// The server holds this lane's messages only up to `serverHolds` (it was
// restored from an older backup): every message sent after it is queued
// again under its own number, a sale as the register holds it.
Requeued queueAgainAfter(Database &db, qint64 serverHolds);

// The server holds messages of this lane up to `serverHolds` that this
// database does not know of (an acknowledgement lost, or the database
// restored from an older backup): new messages are numbered after them.
void numberAfter(Database &db, qint64 serverHolds);

}
