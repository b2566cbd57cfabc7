#include "sync_loop.h"

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "lanes/lane_settings.h"
#include "lanes/lane_tables.h"
#include "lanes/server_connection.h"
#include "store/database.h"
#include "store/sign_in_tables.h"
#include "store/store_error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <cstdio>

namespace {

int fail(int code, const QString &text)
{
    std::fprintf(stderr, "tillano-sync: %s\n", qPrintable(text));
    return code;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tillano-sync"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILLANO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends a lane's posted sales, stock receipts and edits of the shop's data to the store server named in "
        "its settings ([software\\Tillano\\Store] Server and Store), and takes in the store's shop data as it "
        "changes there. Tillano starts it and stops it.\n\n"
        "Exit codes: 0 nothing left to send (--drain), 1 the server cannot be reached, 2 wrong arguments or "
        "settings, 3 the lane is refused, 4 another tillano-sync serves the data directory, 5 the data directory's "
        "database is not prepared as a lane (tillano-setup --server)."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Settings file of the lane."),
                                QStringLiteral("FILE"));
    QCommandLineOption drain(QStringLiteral("drain"),
                             QStringLiteral("Send everything queued, take in the store's changes, then exit."));
    parser.addOptions({settings, drain});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        parser.showHelp(SyncUsage);

    const SettingsStore store(parser.isSet(settings) ? parser.value(settings) : SettingsStore::defaultPath());
    const AppSettings app_settings = AppSettings::load(store);
    const LaneSettings lane = LaneSettings::load(store);
    if (app_settings.data.isEmpty())
        return fail(SyncUsage, QStringLiteral("the settings file %1 names no data directory").arg(store.path()));
    if (!lane.isLane())
        return fail(SyncUsage, QStringLiteral("the settings file %1 names no store server ([%2] Server)")
                                   .arg(store.path(), StoreSection));
    if (lane.store() == 0)
        return fail(SyncUsage, QStringLiteral("the store number in %1 ([%2] Store) must be a whole number of 1 or "
                                              "more, not \"%3\"")
                                   .arg(store.path(), StoreSection, lane.storeText));

    // One sender per data directory; a lock left by a dead one is taken over.
    QLockFile lock(QDir(app_settings.data).filePath(QStringLiteral("tillano-sync.lock")));
    if (!lock.tryLock(0)) {
        qint64 pid = 0;
        QString host, name;
        lock.getLockInfo(&pid, &host, &name);
        return fail(SyncAlreadyRuns, QStringLiteral("another tillano-sync (process %1) serves %2 already")
                                         .arg(pid)
                                         .arg(app_settings.data));
    }

    Database db;
    try {
        db.open(app_settings.data);
        // A lane prepared by an earlier version gets what this one keeps.
        SignInTables::createWhenMissing(db);
        LaneTables::createWhenMissing(db);
    } catch (const StoreError &e) {
        return fail(SyncFailed, e.message());
    }
    if (!LaneTables::present(db))
        return fail(SyncNotALane,
                    QStringLiteral("the settings file %1 names a store server, but the database in %2 is not "
                                   "prepared as a lane: prepare it with tillano-setup --server CONNINFO --store %3 "
                                   "--terminal T --existing %2 (while Tillano is closed)")
                        .arg(store.path(), app_settings.data)
                        .arg(lane.store()));
    try {
        return runSync(db, {lane.server, lane.store(), parser.isSet(drain)});
    } catch (const StoreError &e) {
        return fail(SyncFailed, QStringLiteral("the lane's database: %1").arg(e.message()));
    } catch (const ServerError &e) {
        return fail(SyncFailed, e.message());
    }
}
