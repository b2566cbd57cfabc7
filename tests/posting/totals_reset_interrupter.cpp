// Zeroes the day or the period totals of a data directory, and kills
// itself with SIGKILL when the reset reaches the checkpoint named, as a
// power cut or a crash would stop it.
//   totals_reset_interrupter DATA_DIRECTORY day|period CHECKPOINT
// CHECKPOINT is a PostingCheckpoint value, or -1 to run to the end.
#include "posting/posting_checkpoints.h"
#include "posting/totals_reset.h"
#include "store/data_module.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: totals_reset_interrupter DATA_DIRECTORY day|period CHECKPOINT\n");
        return 2;
    }
    const int checkpoint = args[3].toInt();
    try {
        TDataModule2 dm;
        dm.connectTo(args[1]);
        for (Table *t : dm.tables())
            t->open();
        PostingCheckpoints::setHandler([checkpoint](PostingCheckpoint reached) {
            if (int(reached) == checkpoint)
                ::kill(::getpid(), SIGKILL);
        });
        args[2] == QLatin1String("day") ? zeroDayTotals(dm) : zeroPeriodTotals(dm);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
