// Zeroes the day or the period totals of a data directory, and kills
// itself with SIGKILL when the reset reaches the checkpoint named, as a
// power cut or a crash would stop it.
//   totals_reset_interrupter DATA_DIRECTORY day|period CHECKPOINT
// CHECKPOINT is a PostingCheckpoint value, or -1 to run to the end.
#include "interrupted_run.h"

#include "posting/totals_reset.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: totals_reset_interrupter DATA_DIRECTORY day|period CHECKPOINT\n");
        return 2;
    }
    const bool day = args[2] == QLatin1String("day");
    return runInterrupted(args[1], args[3].toInt(),
                          [day](TDataModule2 &dm) { day ? zeroDayTotals(dm) : zeroPeriodTotals(dm); });
}
