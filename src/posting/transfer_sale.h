#pragma once

#include <QStringList>

class TDataModule2;

struct TransferredSale {
    double transactionNumber = 0;
    // The export journal records of the sale, header first; empty when
    // the control record's export flag is off. Queuing them is the
    // caller's, in the same transaction (JournalQueue).
    QStringList journalRecords;
};

// Posts the sale of the work tables to the sales register under the next
// free transaction number: the header with its change figure and the
// terminal number, then every work line in order; advances the invoice
// counter. The work tables are only read. Leaves tranmaster on the new
// header and trandetail on its last line, for the receipt.
TransferredSale Transfer_sale(TDataModule2 &dm);
