#include "sale_posting.h"

#include "interrupted_sale.h"
#include "journal_queue.h"
#include "posting_checkpoints.h"
#include "running_totals.h"
#include "transfer_sale.h"

#include "common/formats.h"
#include "common/language.h"
#include "lanes/outbox.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "store/store_error.h"

#include <algorithm>
#include <cmath>

namespace {

// Equal to the ten-thousandth: a residue of the doubles, such as a sum
// taken in another order, is no disagreement.
bool agree(double a, double b)
{
    return std::fabs(a - b) < 0.5 / Money::Scale;
}

// The first step of a posting, inside its transaction: the sale's header
// must agree with its lines. Its subtotal must be the sum of the lines and
// its grand total the subtotal plus its taxes, both to the ten-thousandth,
// and no line total, tender or sale total may pass the amount limit.
// Otherwise raises StoreError saying what is wrong, before anything is
// written.
void checkSaleToPost(const SaleRecord &record)
{
    const QList<LineAmount> lines = lineAmountsOf(record.lines);
    const SaleFigures &sale = record.figures;

    QList<double> amounts{sale.subtotal, sale.grandTotal, sale.foreignUnits};
    amounts << QList<double>(std::begin(sale.payments), std::end(sale.payments))
            << QList<double>(std::begin(sale.coupons), std::end(sale.coupons));
    for (const LineAmount &line : lines)
        amounts << line.total;
    if (!std::all_of(amounts.cbegin(), amounts.cend(), [](double a) { return withinAmountLimit(a); }))
        throw StoreError(chooseText(QStringLiteral("A line, a tender or the total of this sale is beyond %1."),
                                    QStringLiteral("Une ligne, un paiement ou le total de cette vente dépasse %1."))
                             .arg(currencyText(AmountLimit)));

    const double linesSubtotal = subtotalOf(lines);
    const double subtotalAndTaxes = grandTotalOf(sale.subtotal, sale.taxes);
    if (agree(sale.subtotal, linesSubtotal) && agree(sale.grandTotal, subtotalAndTaxes))
        return;
    throw StoreError(chooseText(QStringLiteral("The totals of this sale do not agree with its lines: subtotal %1, "
                                               "its lines %2; total %3, subtotal and taxes %4."),
                                QStringLiteral("Les totaux de cette vente ne concordent pas avec ses lignes : "
                                               "sous-total %1, ses lignes %2; total %3, sous-total et taxes %4."))
                         .arg(currencyText(sale.subtotal), currencyText(linesSubtotal), currencyText(sale.grandTotal),
                              currencyText(subtotalAndTaxes)));
}

}

double postSale(TDataModule2 &dm, SaleRecord &sale)
{
    {
        SaleRecord posted = sale;
        StoreTransaction transaction(dm.database());
        Outbox::startPosting(dm.database());
        checkSaleToPost(posted);
        Update_financial(dm, posted.figures);
        PostingCheckpoints::reach(PostingCheckpoint::StoreTotalsPosted);
        Update_Cashier(dm, posted.figures, posted.cashierId);
        PostingCheckpoints::reach(PostingCheckpoint::CashierTotalsPosted);
        const ProductAccounts accounts = Update_Products(dm, posted.lines, false);
        PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
        const TransferredSale transferred = Transfer_sale(dm, posted, accounts);
        JournalQueue::add(dm.database(), transferred.transactionNumber, transferred.journalRecords);
        InterruptedSale::mark(dm.database(), transferred.transactionNumber);
        Outbox::queueSale(dm.database(), posted);
        PostingCheckpoints::reach(PostingCheckpoint::SaleTransferred);
        transaction.commit();
        sale = posted;
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
    return sale.number();
}

void receiveStock(TDataModule2 &dm, const SaleRecord &received)
{
    StoreTransaction transaction(dm.database());
    Outbox::startPosting(dm.database());
    Update_Products(dm, received.lines, true);
    Outbox::queueStockReceipt(dm.database(), received);
    PostingCheckpoints::reach(PostingCheckpoint::ProductTotalsPosted);
    transaction.commit();
}
