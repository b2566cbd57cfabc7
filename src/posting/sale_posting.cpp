#include "sale_posting.h"

#include "export_journal.h"
#include "posting_checkpoints.h"
#include "running_totals.h"
#include "sale_check.h"
#include "transfer_sale.h"

#include "store/data_module.h"

double postSale(TDataModule2 &dm, int signedInCashierId)
{
    TransferredSale sale;
    {
        StoreTransaction transaction(dm.database());
        checkSaleToPost(dm);
        Update_financial(dm);
        PostingCheckpoints::reach(PostingCheckpoint::StoreTotalsPosted);
        Update_Cashier(dm, signedInCashierId);
        PostingCheckpoints::reach(PostingCheckpoint::CashierTotalsPosted);
        Update_Products(dm, false);
        PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
        sale = Transfer_sale(dm);
        PostingCheckpoints::reach(PostingCheckpoint::SaleTransferred);
        transaction.commit();
    }
    PostingCheckpoints::reach(PostingCheckpoint::Committed);
    ExportJournal().append(sale.journalRecords);
    return sale.transactionNumber;
}

void receiveStock(TDataModule2 &dm)
{
    StoreTransaction transaction(dm.database());
    Update_Products(dm, true);
    PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
    transaction.commit();
}
