#include "sales_register_purge.h"

#include "posting_checkpoints.h"

#include "store/bulk_writes.h"
#include "store/data_module.h"

#include <QDate>

int purgeSalesRegister(TDataModule2 &dm, const QDate &upTo)
{
    Database &db = dm.database();
    Table &headers = dm.tranmaster;
    StoreTransaction transaction(db);

    // The first header to keep; none when every header goes.
    QVariant firstKept;
    int purged = 0;
    const Field date = headers.field(QStringLiteral("Trxh_date"));
    for (headers.first(); !headers.eof(); headers.next(), ++purged) {
        if (date.asDate() > upTo) {
            firstKept = headers.field(QStringLiteral("Trxh_id")).value();
            break;
        }
    }
    BulkWrites::deleteBelow(db, dm.trandetail, QStringLiteral("Trx_id"), firstKept);
    PostingCheckpoints::reach(PostingCheckpoint::RegisterLinesPurged);
    BulkWrites::deleteBelow(db, headers, QStringLiteral("Trxh_id"), firstKept);
    transaction.commit();
    PostingCheckpoints::reach(PostingCheckpoint::Committed);
    return purged;
}
