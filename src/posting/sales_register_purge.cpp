#include "sales_register_purge.h"

#include "posting_checkpoints.h"

#include "store/data_module.h"
#include "store/set_operations.h"

#include <QDate>

int purgeSalesRegister(TDataModule2 &dm, const QDate &upTo)
{
    Database &db = dm.database();
    Table &headers = dm.tranmaster;
    StoreTransaction transaction(db);

    // The first header to keep; none when every header goes.
    const QVariant firstKept =
        SetOperations::firstAfter(db, headers, QStringLiteral("Trxh_id"), QStringLiteral("Trxh_date"), upTo);
    SetOperations::deleteBelow(db, dm.trandetail, QStringLiteral("Trx_id"), firstKept);
    PostingCheckpoints::reach(PostingCheckpoint::RegisterLinesPurged);
    const int purged = SetOperations::deleteBelow(db, headers, QStringLiteral("Trxh_id"), firstKept);
    transaction.commit();
    PostingCheckpoints::reach(PostingCheckpoint::Committed);
    return purged;
}
