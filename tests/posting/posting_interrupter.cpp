// Posts the sale waiting in a data directory's work tables, and kills
// itself with SIGKILL when the posting reaches the checkpoint named, as a
// power cut or a crash would stop it.
//   posting_interrupter DATA_DIRECTORY CASHIER_ID CHECKPOINT
// CHECKPOINT is a PostingCheckpoint value, or -1 to post to the end.
#include "posting/posting_checkpoints.h"
#include "posting/sale_posting.h"
#include "store/data_module.h"

#include <QCoreApplication>
#include <QLocale>
#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The regional settings of the tests that run it.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: posting_interrupter DATA_DIRECTORY CASHIER_ID CHECKPOINT\n");
        return 2;
    }
    const int cashier = args[2].toInt();
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
        postSale(dm, cashier);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
