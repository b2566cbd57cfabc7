#include "lane_status.h"

#include "lane_edits.h"
#include "lane_tables.h"
#include "outbox.h"

#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QLocale>

namespace {

QString moment(const QDateTime &when)
{
    const QLocale locale;
    if (when.date() == Clock::today())
        return locale.toString(when.time(), QLocale::ShortFormat);
    return locale.toString(when, QLocale::ShortFormat);
}

QString salesWaiting(int n)
{
    return n == 1 ? chooseText(QStringLiteral("1 sale waiting"), QStringLiteral("1 vente en attente"))
                  : chooseText(QStringLiteral("%1 sales waiting"), QStringLiteral("%1 ventes en attente")).arg(n);
}

QString changesWaiting(int n)
{
    return n == 1 ? chooseText(QStringLiteral("1 change waiting"), QStringLiteral("1 modification en attente"))
                  : chooseText(QStringLiteral("%1 changes waiting"), QStringLiteral("%1 modifications en attente"))
                        .arg(n);
}

// Edits the server did not apply because the rows changed elsewhere first.
QString changesSetAside(int n)
{
    return n == 1 ? chooseText(QStringLiteral("1 change not applied (changed elsewhere first)"),
                               QStringLiteral("1 modification non appliquée (modifiée ailleurs avant)"))
                  : chooseText(QStringLiteral("%1 changes not applied (changed elsewhere first)"),
                               QStringLiteral("%1 modifications non appliquées (modifiées ailleurs avant)"))
                        .arg(n);
}

}

LaneStatus LaneStatus::read(Database &db)
{
    LaneStatus s;
    if (!LaneTables::present(db)) {
        s.sending = Sending::NotPrepared;
        return s;
    }
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"State_reached\", \"State_unreachable_since\", "
                                                   "\"State_problem\", \"State_refused\", \"State_set_aside\", "
                                                   "\"State_edits_set_aside\" FROM \"lane_sync_state\" LIMIT 1"));
    st.start();
    if (st.step()) {
        if (st.integer(3))
            s.sending = Sending::Refused;
        else if (!st.isNull(0))
            s.sending = st.integer(0) ? Sending::Reached : Sending::Unreachable;
        s.unreachableSince = QDateTime::fromString(st.text(1), Qt::ISODate);
        s.problem = st.text(2);
        s.setAside = int(st.integer(4));
        s.editsSetAside = int(st.integer(5));
    }
    st.reset();
    const Outbox::Backlog backlog = Outbox::backlog(db);
    s.waiting = backlog.count;
    s.waitingSince = backlog.oldest;
    s.editsWaiting = LaneEdits::waiting(db);
    return s;
}

QString LaneStatus::text(bool running) const
{
    if (sending == Sending::NotPrepared)
        return chooseText(QStringLiteral("Store server: this lane is not set up for the server "
                                         "(tillano-setup --server)"),
                          QStringLiteral("Serveur du magasin : cette caisse n'est pas préparée pour le serveur "
                                         "(tillano-setup --server)"));
    QString line;
    if (!running)
        line = chooseText(QStringLiteral("Store server: not sending (tillano-sync is not running)"),
                          QStringLiteral("Serveur du magasin : aucun envoi (tillano-sync ne tourne pas)"));
    else if (sending == Sending::Reached)
        line = chooseText(QStringLiteral("Store server: connected"), QStringLiteral("Serveur du magasin : connecté"));
    else if (sending == Sending::Refused)
        line = chooseText(QStringLiteral("Store server refuses this lane"),
                          QStringLiteral("Le serveur du magasin refuse cette caisse"));
    else if (sending == Sending::Unreachable)
        line = chooseText(QStringLiteral("Store server out of reach since %1"),
                          QStringLiteral("Serveur du magasin injoignable depuis %1"))
                   .arg(moment(unreachableSince.isValid() ? unreachableSince : Clock::now()));
    else
        line = chooseText(QStringLiteral("Store server: connecting"),
                          QStringLiteral("Serveur du magasin : connexion"));
    if (waiting > 0 && (sending != Sending::Reached || !running))
        line += QStringLiteral(" · ") + salesWaiting(waiting);
    else if (waiting > 0)
        line += chooseText(QStringLiteral(", sending %1"), QStringLiteral(", envoi de %1")).arg(waiting);
    if (editsWaiting > 0 && (sending != Sending::Reached || !running))
        line += QStringLiteral(" · ") + changesWaiting(editsWaiting);
    if (setAside > 0)
        line += QStringLiteral(" · ")
            + chooseText(QStringLiteral("%1 set aside on the server"), QStringLiteral("%1 mises de côté sur le serveur"))
                  .arg(setAside);
    if (editsSetAside > 0)
        line += QStringLiteral(" · ") + changesSetAside(editsSetAside);
    // What to do about a refusal is in the reason: the manager must see it.
    if (running && sending == Sending::Refused && !problem.isEmpty())
        line += QStringLiteral(": ") + problem;
    return line;
}

namespace LaneStatusRecord {

namespace {
void write(Database &db, const QString &sql, const QVariantList &values)
{
    db.beforeWrite();
    SqliteStatement(db.handle(), sql).run(values);
}
}

void starting(Database &db)
{
    write(db, QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_reached\" = NULL, \"State_refused\" = 0, "
                             "\"State_problem\" = NULL"),
          {});
}

void reached(Database &db, int setAside, int editsSetAside)
{
    write(db, QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_reached\" = 1, \"State_refused\" = 0, "
                             "\"State_unreachable_since\" = NULL, \"State_problem\" = NULL, \"State_set_aside\" = ?1, "
                             "\"State_edits_set_aside\" = ?2 WHERE \"State_reached\" IS NOT 1 OR \"State_refused\" <> 0 "
                             "OR \"State_set_aside\" <> ?1 OR \"State_edits_set_aside\" <> ?2"),
          {setAside, editsSetAside});
}

void unreachable(Database &db, const QString &problem, bool refused)
{
    write(db, QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_reached\" = 0, \"State_refused\" = ?, "
                             "\"State_unreachable_since\" = COALESCE(\"State_unreachable_since\", ?), "
                             "\"State_problem\" = ? WHERE \"State_reached\" IS NOT 0 OR \"State_refused\" <> ? "
                             "OR \"State_problem\" IS NOT ?"),
          {refused ? 1 : 0, Clock::now().toString(Qt::ISODate), problem, refused ? 1 : 0, problem});
}

}
