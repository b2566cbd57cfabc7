#pragma once

#include "posting/posting_checkpoints.h"
#include "store/data_module.h"

#include <QLocale>
#include <csignal>
#include <cstdio>
#include <functional>
#include <unistd.h>

// The body of a program that runs one operation on a data directory and
// kills itself with SIGKILL when the operation reaches the checkpoint
// numbered, as a power cut or a crash would stop it (-1: to the end).
// Returns the program's exit code.
inline int runInterrupted(const QString &dataDirectory, int checkpoint,
                          const std::function<void(TDataModule2 &)> &operation)
{
    // The regional settings of the tests that run it.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    try {
        TDataModule2 dm;
        dm.connectTo(dataDirectory);
        for (Table *t : dm.tables())
            t->open();
        PostingCheckpoints::setHandler([checkpoint](PostingCheckpoint reached) {
            if (int(reached) == checkpoint)
                ::kill(::getpid(), SIGKILL);
        });
        operation(dm);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
