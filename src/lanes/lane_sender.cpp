#include "lane_sender.h"

#include "outbox.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    try {
        report();
    } catch (...) {
        server_.close();
        throw;
    }
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
