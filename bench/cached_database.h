#pragma once

#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include <QDir>
#include <QFile>
#include <functional>

// A large database kept between runs in a cache directory: built when it
// is not there yet, by `fill` with bare SQL, beside the cache and renamed
// into place, so an interrupted build never leaves a half-filled cache.
// Returns the path of its database file.
inline QString cachedDatabase(const QString &cacheDirectory, const std::function<void(sqlite3 *)> &fill)
{
    const QString cached = QDir(cacheDirectory).filePath(QLatin1String(Database::FileName));
    if (QFile::exists(cached))
        return cached;
    const QString staging = cacheDirectory + QStringLiteral(".building");
    QDir(staging).removeRecursively();
    QDir().mkpath(staging);
    TDataModule2::createDatabase(staging);
    {
        Database db;
        db.open(staging);
        fill(db.handle());
        executeSql(db.handle(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QDir().rename(staging, cacheDirectory);
    return cached;
}
