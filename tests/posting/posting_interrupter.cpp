// Posts the sale waiting in a data directory's work tables, and kills
// itself with SIGKILL when the posting reaches the checkpoint named, as a
// power cut or a crash would stop it.
//   posting_interrupter DATA_DIRECTORY CASHIER_ID CHECKPOINT
// CHECKPOINT is a PostingCheckpoint value, or -1 to post to the end.
#include "interrupted_run.h"

#include "posting/sale_posting.h"
#include "store/sale_record.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: posting_interrupter DATA_DIRECTORY CASHIER_ID CHECKPOINT\n");
        return 2;
    }
    const int cashier = args[2].toInt();
    return runInterrupted(args[1], args[3].toInt(), [cashier](TDataModule2 &dm) {
        SaleRecord sale = readWorkSale(dm, cashier, false);
        postSale(dm, sale);
    });
}
