#include "outbox.h"

#include "lane_tables.h"
#include "outbox_messages.h"

#include "common/clock.h"
#include "store/database.h"
#include "store/sale_record.h"
#include "store/sqlite_statement.h"

namespace {

// Each write of tillano-sync is one short transaction, so that the till,
// which shares the database, never waits for it.
constexpr int RowsPerTransaction = 200;

QString now()
{
    return Clock::now().toString(Qt::ISODate);
}

void queue(Database &db, const char *kind, double key, const QByteArray &content)
{
    db.beforeWrite();
    db.statement(QStringLiteral("INSERT INTO \"lane_outbox\" (\"Outbox_kind\", \"Outbox_key\", "
                                "\"Outbox_queued_at\", \"Outbox_content\") VALUES (?, ?, ?, ?)"))
        .run({QString::fromLatin1(kind), key, now(), QString::fromUtf8(content)});
    LaneWriter::set(db, LaneWriter::Writer::Person);
}

}

namespace Outbox {

void startPosting(Database &db)
{
    if (LaneTables::present(db))
        LaneWriter::set(db, LaneWriter::Writer::Posting);
}

void queueSale(Database &db, const SaleRecord &posted)
{
    if (LaneTables::present(db))
        queue(db, SaleKind, posted.number(), OutboxMessages::sale(posted));
}

void queueStockReceipt(Database &db, const SaleRecord &received)
{
    if (LaneTables::present(db))
        queue(db, StockKind, 0, OutboxMessages::stockReceipt(db, received));
}

Backlog backlog(Database &db)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT COUNT(*), MIN(\"Outbox_queued_at\") FROM \"lane_outbox\""));
    st.start();
    st.step();
    Backlog b{int(st.integer(0)), QDateTime::fromString(st.text(1), Qt::ISODate)};
    st.reset();
    return b;
}

QList<Message> oldest(Database &db, int limit)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Outbox_seq\", \"Outbox_kind\", \"Outbox_key\", "
                                                   "\"Outbox_content\" FROM \"lane_outbox\" "
                                                   "ORDER BY \"Outbox_seq\" LIMIT ?"));
    st.start({limit});
    QList<Message> batch;
    while (st.step())
        batch.append({st.integer(0), st.text(1), st.real(2), st.text(3).toUtf8()});
    st.reset();
    return batch;
}

void acknowledge(Database &db, const QList<Message> &batch)
{
    if (batch.isEmpty())
        return;
    // The batch is every message numbered up to its last one: posting
    // numbers new messages above all others, and only the sender queues
    // messages again under their old numbers.
    const qint64 first = batch.constFirst().number;
    const qint64 last = batch.constLast().number;
    StoreTransaction transaction(db);
    // A sale can be sent again from the register; a stock receipt only
    // from what is kept here.
    db.statement(QStringLiteral("INSERT OR REPLACE INTO \"lane_sent\" (\"Sent_seq\", \"Sent_kind\", \"Sent_key\", "
                                "\"Sent_content\") SELECT \"Outbox_seq\", \"Outbox_kind\", \"Outbox_key\", "
                                "CASE WHEN \"Outbox_kind\" = '%1' THEN \"Outbox_content\" END FROM \"lane_outbox\" "
                                "WHERE \"Outbox_seq\" BETWEEN ? AND ?")
                     .arg(QLatin1String(StockKind)))
        .run({first, last});
    db.statement(QStringLiteral("DELETE FROM \"lane_outbox\" WHERE \"Outbox_seq\" BETWEEN ? AND ?")).run({first, last});
    db.statement(QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_acked_through\" = ? "
                                "WHERE \"State_acked_through\" < ?"))
        .run({last, last});
    transaction.commit();
}

qint64 acknowledgedThrough(Database &db)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT MAX(\"State_acked_through\") FROM \"lane_sync_state\""));
    st.start();
    st.step();
    const qint64 n = st.integer(0);
    st.reset();
    return n;
}

Requeued queueAgainAfter(Database &db, qint64 serverHolds)
{
    SqliteStatement sent(db.handle(), QStringLiteral("SELECT \"Sent_seq\", \"Sent_kind\", \"Sent_key\", "
                                                     "\"Sent_content\" FROM \"lane_sent\" WHERE \"Sent_seq\" > ? "
                                                     "ORDER BY \"Sent_seq\" LIMIT ?"));
    SqliteStatement queued(db.handle(), QStringLiteral("INSERT OR IGNORE INTO \"lane_outbox\" (\"Outbox_seq\", "
                                                       "\"Outbox_kind\", \"Outbox_key\", \"Outbox_queued_at\", "
                                                       "\"Outbox_content\") VALUES (?, ?, ?, ?, ?)"));
    SqliteStatement forget(db.handle(), QStringLiteral("DELETE FROM \"lane_sent\" WHERE \"Sent_seq\" = ?"));
    Requeued result;
    qint64 after = serverHolds;
    for (;;) {
        QList<Message> chunk;
        sent.start({after, RowsPerTransaction});
        while (sent.step())
            chunk.append({sent.integer(0), sent.text(1), sent.real(2), sent.text(3).toUtf8()});
        sent.reset();
        if (chunk.isEmpty())
            break;
        StoreTransaction transaction(db);
        for (Message &m : chunk) {
            if (m.kind == QLatin1String(SaleKind))
                m.content = OutboxMessages::saleFromRegister(db, m.key);
            if (m.content.isEmpty()) {
                ++result.lost;
            } else {
                queued.run({m.number, m.kind, m.key, now(), QString::fromUtf8(m.content)});
                ++result.queued;
            }
            forget.run({m.number});
            after = m.number;
        }
        transaction.commit();
    }
    return result;
}

void numberAfter(Database &db, qint64 serverHolds)
{
    StoreTransaction transaction(db);
    // AUTOINCREMENT keeps the highest number given in sqlite_sequence.
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"sqlite_sequence\" SET \"seq\" = ? "
                                                "WHERE \"name\" = 'lane_outbox' AND \"seq\" < ?"))
        .run({serverHolds, serverHolds});
    SqliteStatement(db.handle(), QStringLiteral("INSERT INTO \"sqlite_sequence\" (\"name\", \"seq\") "
                                                "SELECT 'lane_outbox', ? WHERE NOT EXISTS "
                                                "(SELECT 1 FROM \"sqlite_sequence\" WHERE \"name\" = 'lane_outbox')"))
        .run({serverHolds});
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_acked_through\" = ? "
                                                "WHERE \"State_acked_through\" < ?"))
        .run({serverHolds, serverHolds});
    transaction.commit();
}

}
