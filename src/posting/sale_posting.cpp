#include "sale_posting.h"

#include "interrupted_sale.h"
#include "journal_queue.h"
#include "posting_checkpoints.h"
#include "running_totals.h"
#include "sale_check.h"
#include "transfer_sale.h"

#include "common/language.h"
#include "lanes/outbox.h"
#include "store/data_module.h"

double postSale(TDataModule2 &dm, int signedInCashierId)
{
    double transactionNumber = 0;
    {
        StoreTransaction transaction(dm.database());
        checkSaleToPost(dm);
        Update_financial(dm);
        PostingCheckpoints::reach(PostingCheckpoint::StoreTotalsPosted);
        Update_Cashier(dm, signedInCashierId);
        PostingCheckpoints::reach(PostingCheckpoint::CashierTotalsPosted);
        Update_Products(dm, false);
        PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
        const TransferredSale sale = Transfer_sale(dm);
        JournalQueue::add(dm.database(), sale.transactionNumber, sale.journalRecords);
        InterruptedSale::mark(dm.database(), sale.transactionNumber);
        Outbox::queueSale(dm.database(), sale.transactionNumber);
        PostingCheckpoints::reach(PostingCheckpoint::SaleTransferred);
        transaction.commit();
        transactionNumber = sale.transactionNumber;
    }
    PostingCheckpoints::reach(PostingCheckpoint::Committed);
    try {
        JournalQueue::writeQueued(dm.database());
    } catch (const JournalWriteError &e) {
        throw JournalWriteError(chooseText(QStringLiteral("The sale is posted. "),
                                           QStringLiteral("La vente est enregistrée. "))
                                    + e.message(),
                                e.filePath());
    }
    return transactionNumber;
}

void receiveStock(TDataModule2 &dm)
{
    StoreTransaction transaction(dm.database());
    Update_Products(dm, true);
    Outbox::queueStockReceipt(dm.database());
    PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
    transaction.commit();
}
