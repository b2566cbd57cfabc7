#include "sync_loop.h"

#include "lanes/lane_edits.h"
#include "lanes/lane_sender.h"
#include "lanes/lane_status.h"
#include "lanes/outbox.h"
#include "store/database.h"
#include "store/store_error.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlDriver>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

constexpr int PollMs = 200;        // how often the outbox and the edits are looked at
constexpr int ReportEveryMs = 5000; // how often the server hears from an idle lane
constexpr int TakeEveryMs = 3000;  // how often the server's changes are looked for unannounced
constexpr int FirstPauseS = 2;
constexpr int LongestPauseS = 30;

void say(const QString &text)
{
    std::fprintf(stderr, "tillano-sync: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// Tests stop the process right after the server committed its Nth batch,
// before the outbox learns of it: an acknowledgement lost.
void stopAfterCommitWhenAsked()
{
    static int left = qEnvironmentVariableIntValue("TILLANO_SYNC_KILL_AFTER_BATCH");
    if (left > 0 && --left == 0)
        std::raise(SIGKILL);
}

// Takes in the server's changes until the lane has them all; false when
// the lane's own edits, sales or receipts must go first.
bool takeAll(LaneSender &sender)
{
    for (;;) {
        switch (sender.takeChanges()) {
        case ShopChanges::Outcome::UpToDate:
            return true;
        case ShopChanges::Outcome::Held:
            return false;
        case ShopChanges::Outcome::Taken:
            break;
        }
    }
}

int drain(LaneSender &sender, Database &lane)
{
    try {
        sender.connect();
        // Edits first: a sale of a product made here finds it on the server.
        while (sender.sendEdits() > 0) {
        }
        while (sender.sendBatch() > 0) {
        }
        if (!takeAll(sender))
            throw ServerError(QStringLiteral("the lane posted or edited while the store's changes were taken in; run again"));
        sender.noteStoreLanes();
        sender.report();
        LaneStatusRecord::reached(lane, sender.setAside(), sender.editsSetAside());
        return Outbox::backlog(lane).count == 0 && LaneEdits::waiting(lane) == 0 ? SyncDone : SyncFailed;
    } catch (const ServerError &e) {
        say(e.message());
        return e.refused() ? SyncRefused : SyncFailed;
    } catch (const StoreError &e) {
        say(QStringLiteral("the lane's database: %1").arg(e.message()));
        return SyncFailed;
    }
}

// Waits `ms`, or less when the server announces a change of the store's
// shop data (`announced` is then set).
void waitOrWake(LaneSender &sender, int store, int ms, bool &announced)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QMetaObject::Connection woken;
    if (QSqlDriver *driver = sender.driver())
        woken = QObject::connect(driver, &QSqlDriver::notification, &loop,
                                 [&](const QString &, QSqlDriver::NotificationSource, const QVariant &payload) {
                                     if (payload.toInt() == store || payload.isNull()) {
                                         announced = true;
                                         loop.quit();
                                     }
                                 });
    loop.exec();
    QObject::disconnect(woken);
}

}

int runSync(Database &lane, const SyncOptions &options)
{
    LaneSender sender(lane, options.conninfo, options.store);
    sender.note = say;
    sender.afterServerCommit = stopAfterCommitWhenAsked;
    if (options.drain)
        return drain(sender, lane);

    LaneStatusRecord::starting(lane);
    // The status is written when it changes only: the first pass writes it.
    int pause = -1;
    int recordedSetAside = -1;
    int recordedEditsSetAside = -1;
    bool takeWanted = true;
    QElapsedTimer sinceReport;
    QElapsedTimer sinceTake;
    for (;;) {
        try {
            if (!sender.connected()) {
                sender.connect();
                sinceReport.start();
                takeWanted = true;
                if (pause > 0)
                    say(QStringLiteral("the store server is reached again"));
            }
            bool sent = false;
            while (sender.sendEdits() > 0)
                sent = true;
            while (sender.sendBatch() > 0)
                sent = true;
            if (takeWanted || !sinceTake.isValid() || sinceTake.elapsed() >= TakeEveryMs) {
                takeWanted = !takeAll(sender);
                sinceTake.start();
            }
            if (!sent && sinceReport.elapsed() >= ReportEveryMs) {
                sender.report();
                sender.noteStoreLanes();
                sinceReport.start();
            }
            if (pause != 0 || recordedSetAside != sender.setAside()
                || recordedEditsSetAside != sender.editsSetAside()) {
                LaneStatusRecord::reached(lane, sender.setAside(), sender.editsSetAside());
                recordedSetAside = sender.setAside();
                recordedEditsSetAside = sender.editsSetAside();
            }
            if (pause != 0)
                sender.noteStoreLanes();
            pause = 0;
            waitOrWake(sender, options.store, PollMs, takeWanted);
        } catch (const ServerError &e) {
            sender.disconnect();
            pause = pause <= 0 ? FirstPauseS : std::min(pause * 2, LongestPauseS);
            say(QStringLiteral("%1 %2; trying again in %3 s")
                    .arg(e.refused() ? QStringLiteral("the lane is refused:") : QStringLiteral("cannot reach the store server:"),
                         e.message())
                    .arg(pause));
            try {
                LaneStatusRecord::unreachable(lane, e.message(), e.refused());
            } catch (const StoreError &) {
                // The status waits for the next try.
            }
            bool ignored = false;
            waitOrWake(sender, options.store, pause * 1000, ignored);
        } catch (const StoreError &e) {
            // The lane's own database is busy or failing: nothing was
            // removed from the outbox; the connection is kept.
            say(QStringLiteral("the lane's database: %1; trying again in %2 s").arg(e.message()).arg(FirstPauseS));
            bool announced = false;
            waitOrWake(sender, options.store, FirstPauseS * 1000, announced);
            takeWanted = takeWanted || announced;
        }
    }
}
