#include "lane_sender.h"

#include "lane_edits.h"
#include "outbox.h"
#include "store_stock.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDriver>

namespace {

double terminalNumber(Database &db)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Ctrl_terminal_id\" FROM \"control\" LIMIT 1"));
    st.start();
    return st.step() ? st.real(0) : 0;
}

QString prepareAgain(const LaneIdentity &id)
{
    return QStringLiteral("tillano-setup --server CONNINFO --store %1 --terminal %2 --existing --replace DIRECTORY")
        .arg(id.store)
        .arg(id.terminal);
}

}

LaneSender::LaneSender(Database &lane, const QString &conninfo, int store)
    : db_(lane), store_(store), server_(conninfo)
{
}

LaneIdentity LaneSender::checkedIdentity()
{
    const std::optional<LaneIdentity> id = LaneIdentity::read(db_);
    if (!id)
        throw ServerError(QStringLiteral("This data directory is not prepared as a lane of a store server; "
                                         "prepare it with tillano-setup --server."),
                          true);
    if (id->machine != LaneIdentity::thisMachine())
        throw ServerError(QStringLiteral("This lane's database was prepared on another computer (machine %1, this "
                                         "one is %2): a copy of a lane sends nothing. If this computer now is that "
                                         "lane, prepare it again with %3.")
                              .arg(id->machine, LaneIdentity::thisMachine(), prepareAgain(*id)),
                          true);
    if (id->store != store_)
        throw ServerError(QStringLiteral("The settings name store %1, but this lane is a lane of store %2: set "
                                         "Store=%2 in the section [software\\Tillano\\Store].")
                              .arg(store_)
                              .arg(id->store),
                          true);
    const double terminal = terminalNumber(db_);
    if (terminal != id->terminal)
        throw ServerError(QStringLiteral("The terminal number in the general parameters is %1, but this lane is "
                                         "terminal %2 of store %3 on the store server: set it back to %2, or "
                                         "prepare the lane again with %4.")
                              .arg(terminal)
                              .arg(id->terminal)
                              .arg(id->store)
                              .arg(prepareAgain(*id)),
                          true);
    return *id;
}

void LaneSender::connect()
{
    if (server_.isOpen())
        return;
    identity_ = checkedIdentity();
    server_.open();
    serverId_.clear();
    try {
        report();
        followEdits(callEdits(QByteArrayLiteral("[]")));
        server_.database().driver()->subscribeToNotification(QLatin1String(ShopChannel));
    } catch (...) {
        server_.close();
        throw;
    }
}

QSqlDriver *LaneSender::driver()
{
    return server_.isOpen() ? server_.database().driver() : nullptr;
}

void LaneSender::disconnect()
{
    server_.close();
}

void LaneSender::report()
{
    const Outbox::Backlog backlog = Outbox::backlog(db_);
    call(QByteArrayLiteral("[]"), backlog.count, backlog.oldest);
}

int LaneSender::sendBatch()
{
    const QList<Outbox::Message> batch = Outbox::oldest(db_, BatchSize);
    if (batch.isEmpty())
        return 0;
    QJsonArray messages;
    for (const Outbox::Message &m : batch) {
        messages.append(QJsonObject{{QStringLiteral("seq"), m.number},
                                    {QStringLiteral("kind"), m.kind},
                                    {QStringLiteral("content"), QString::fromUtf8(m.content)}});
    }
    // Counting what waits reads the whole outbox: while a backlog drains
    // it is counted once a second, and told from that count in between.
    if (!counted_.isValid() || counted_.hasExpired(RecountAfterMs)) {
        waiting_ = Outbox::backlog(db_);
        counted_.start();
    }
    waiting_.count = std::max(waiting_.count - int(batch.size()), 0);
    call(QJsonDocument(messages).toJson(QJsonDocument::Compact), waiting_.count, waiting_.oldest);
    afterServerCommit();
    Outbox::acknowledge(db_, batch);
    return int(batch.size());
}

int LaneSender::sendEdits()
{
    const QList<LaneEdits::Edit> edits = LaneEdits::numbered(db_, EditBatchSize);
    if (edits.isEmpty())
        return 0;
    QJsonArray batch;
    for (const LaneEdits::Edit &e : edits)
        batch.append(QJsonObject{{QStringLiteral("no"), e.number},
                                 {QStringLiteral("table"), e.table},
                                 {QStringLiteral("key"), e.key},
                                 {QStringLiteral("before"), e.before},
                                 {QStringLiteral("after"), e.after}});
    const qint64 through = callEdits(QJsonDocument(batch).toJson(QJsonDocument::Compact));
    afterServerCommit();
    followEdits(through);
    return int(edits.size());
}

qint64 LaneSender::callEdits(const QByteArray &edits)
{
    QList<QVariantList> rows;
    try {
        rows = server_.query(QStringLiteral("SELECT edits_through, edits_set_aside "
                                            "FROM tillano.lane_edit(?, ?, ?, ?, ?::jsonb)"),
                             {identity_.store, identity_.terminal, identity_.key, identity_.machine,
                              QString::fromUtf8(edits)});
    } catch (const ServerError &) {
        server_.close();
        throw;
    }
    if (rows.isEmpty())
        throw ServerError(QStringLiteral("The store server gave no answer to the lane's edits."));
    editsSetAside_ = rows.first().value(1).toInt();
    return rows.first().value(0).toLongLong();
}

void LaneSender::followEdits(qint64 through)
{
    // Numbers this database never gave: it was restored, or took the lane
    // over; what it has not sent is numbered after them.
    SqliteStatement numbered(db_.handle(), QStringLiteral("SELECT \"State_edit_no\" FROM \"lane_sync_state\""));
    numbered.start();
    const qint64 given = numbered.step() ? numbered.integer(0) : 0;
    numbered.reset();
    if (through > given)
        LaneEdits::numberAfter(db_, through);
    else
        LaneEdits::acknowledge(db_, through);
}

ShopChanges::Outcome LaneSender::takeChanges()
{
    try {
        if (serverId_.isEmpty()) {
            serverId_ = ShopChanges::serverId(server_);
            const ShopChanges::Place place = ShopChanges::place(db_);
            const qint64 latest = server_
                                      .query(QStringLiteral("SELECT coalesce(max(change_no), 0) FROM "
                                                            "tillano.change_log WHERE \"Store_id\" = ?"),
                                             {identity_.store})
                                      .value(0)
                                      .value(0)
                                      .toLongLong();
            copyDue_ = !place.known || place.serverId != serverId_ || place.through > latest;
        }
        if (copyDue_) {
            const ShopChanges::Outcome copied = ShopChanges::copyAll(server_, identity_.store, db_, ChangeBatchSize);
            copyDue_ = copied == ShopChanges::Outcome::Held;
            if (!copyDue_)
                note(QStringLiteral("took in a whole copy of the store's shop data"));
            return copied;
        }
        return ShopChanges::takeBatch(server_, identity_.store, identity_.terminal, db_, ChangeBatchSize);
    } catch (const ServerError &) {
        server_.close();
        throw;
    }
}

void LaneSender::noteStoreLanes()
{
    QList<QVariantList> lanes;
    try {
        lanes = server_.query(QStringLiteral("SELECT \"Terminal_id\", last_sale_date, last_sale_time "
                                             "FROM tillano.store_lanes(?)"),
                              {identity_.store});
    } catch (const ServerError &) {
        server_.close();
        throw;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (lanes == storeLanes_ && storeLanesNoted_.isValid() && storeLanesNoted_.secsTo(now) < 60)
        return;
    QList<StoreStock::Lane> counted;
    for (const QVariantList &l : lanes)
        counted.append({l.value(0).toInt(), l.value(1).toDate(), l.value(2).toTime()});
    StoreStock::note(db_, counted);
    storeLanes_ = lanes;
    storeLanesNoted_ = now;
}

void LaneSender::call(const QByteArray &batch, int waiting, const QDateTime &waitingSince)
{
    QList<QVariantList> rows;
    try {
        rows = server_.query(QStringLiteral("SELECT received_through, last_sale_id, set_aside "
                                            "FROM tillano.lane_sync(?, ?, ?, ?, ?::jsonb, ?, ?::timestamptz)"),
                             {identity_.store, identity_.terminal, identity_.key, identity_.machine,
                              QString::fromUtf8(batch), std::max(waiting, 0),
                              waiting > 0 ? waitingSince.toString(Qt::ISODateWithMs) : QVariant(QMetaType(QMetaType::QString))});
    } catch (const ServerError &) {
        server_.close(); // a broken connection is opened anew next time
        throw;
    }
    if (rows.isEmpty())
        throw ServerError(QStringLiteral("The store server gave no answer to the lane's call."));
    setAside_ = rows.first().value(2).toInt();
    followServer(rows.first().value(0).toLongLong(), rows.first().value(1));
}

void LaneSender::followServer(qint64 serverHolds, const QVariant &lastSaleNumber)
{
    const qint64 acknowledged = Outbox::acknowledgedThrough(db_);
    if (serverHolds < acknowledged) {
        const Outbox::Requeued r = Outbox::queueAgainAfter(db_, serverHolds);
        if (r.queued + r.lost > 0)
            note(QStringLiteral("the store server holds this lane's messages only up to number %1, though it had "
                                "acknowledged %2 (restored from an older backup?): %3 queued again%4")
                     .arg(serverHolds)
                     .arg(acknowledged)
                     .arg(r.queued)
                     .arg(r.lost ? QStringLiteral(", %1 no longer in the sales register").arg(r.lost) : QString()));
    } else if (serverHolds > acknowledged) {
        Outbox::numberAfter(db_, serverHolds);
    }

    if (lastSaleNumber.isNull())
        return;
    // A counter set back below numbers the server holds for this lane
    // would give new sales a key the server has: move it past them.
    const double next = lastSaleNumber.toDouble() + 1;
    SqliteStatement counter(db_.handle(), QStringLiteral("SELECT \"Ctrl_invoice_no\" FROM \"control\" LIMIT 1"));
    counter.start();
    if (!counter.step() || counter.real(0) >= next)
        return;
    counter.reset();
    db_.beforeWrite();
    SqliteStatement(db_.handle(), QStringLiteral("UPDATE \"control\" SET \"Ctrl_invoice_no\" = ? "
                                                 "WHERE \"Ctrl_invoice_no\" < ?"))
        .run({next, next});
    note(QStringLiteral("the invoice counter was below sale numbers the store server holds for this lane; "
                            "it now is %1").arg(next, 0, 'f', 0));
}
