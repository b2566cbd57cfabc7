#include "sync_loop.h"

#include "lanes/lane_sender.h"
#include "lanes/lane_status.h"
#include "lanes/outbox.h"
#include "store/database.h"
#include "store/store_error.h"

#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <cstdio>

namespace {

constexpr int PollMs = 200;        // how often the outbox is looked at
constexpr int ReportEveryMs = 5000; // how often the server hears from an idle lane
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

int drain(LaneSender &sender)
{
    try {
        sender.connect();
        while (sender.sendBatch() > 0) {
        }
        sender.report();
        return SyncDone;
    } catch (const ServerError &e) {
        say(e.message());
        return e.refused() ? SyncRefused : SyncFailed;
    } catch (const StoreError &e) {
        say(QStringLiteral("the lane's database: %1").arg(e.message()));
        return SyncFailed;
    }
}

}

int runSync(Database &lane, const SyncOptions &options)
{
    LaneSender sender(lane, options.conninfo, options.store);
    sender.note = say;
    sender.afterServerCommit = stopAfterCommitWhenAsked;
    if (options.drain)
        return drain(sender);

    LaneStatusRecord::starting(lane);
    // The status is written when it changes only: the first pass writes it.
    int pause = -1;
    int recordedSetAside = -1;
    QElapsedTimer sinceReport;
    for (;;) {
        try {
            if (!sender.connected()) {
                sender.connect();
                sinceReport.start();
                if (pause > 0)
                    say(QStringLiteral("the store server is reached again"));
            }
            bool sent = false;
            while (sender.sendBatch() > 0)
                sent = true;
            if (!sent && sinceReport.elapsed() >= ReportEveryMs) {
                sender.report();
                sinceReport.start();
            }
            if (pause != 0 || recordedSetAside != sender.setAside()) {
                LaneStatusRecord::reached(lane, sender.setAside());
                recordedSetAside = sender.setAside();
            }
            pause = 0;
            QThread::msleep(PollMs);
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
            QThread::sleep(pause);
        } catch (const StoreError &e) {
            // The lane's own database is busy or failing: nothing was
            // removed from the outbox; the connection is kept.
            say(QStringLiteral("the lane's database: %1; trying again in %2 s").arg(e.message()).arg(FirstPauseS));
            QThread::sleep(FirstPauseS);
        }
    }
}
