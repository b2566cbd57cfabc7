#pragma once

// The benchmarks work in data directories under /tmp that later runs
// reuse. Each holds its directory as the till does, for the whole run, so
// that two runs (or a Tillano) never work in one directory at once: the
// second is refused and ends.

#include "store/data_directory_lock.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

inline void holdDataDirectory(const QString &directory)
{
    static std::map<QString, std::unique_ptr<DataDirectoryLock>> held;
    std::unique_ptr<DataDirectoryLock> &lock = held[QFileInfo(directory).absoluteFilePath()];
    if (lock)
        return;
    lock = std::make_unique<DataDirectoryLock>(directory);
    if (lock->held())
        return;
    const QString why = lock->state() == DataDirectoryLock::State::HeldElsewhere
        ? DataDirectoryLock::heldElsewhereText(directory)
        : QStringLiteral("Cannot lock the data directory %1 (%2).").arg(directory, lock->errorString());
    std::fprintf(stderr, "%s\n", qPrintable(why));
    std::exit(1);
}
