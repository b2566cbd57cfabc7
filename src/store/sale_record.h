#pragma once

#include "record.h"
#include "schema.h"

#include "common/sale_figures.h"

class TDataModule2;

// A sale as values, read once from the work tables when it is paid and
// handed to the posting, the receipt and the invoice. The posting numbers
// it: it then holds exactly what the sales register holds of it.
struct SaleRecord {
    Record header{Schema::tranmaster()}; // its number, change and terminal once posted
    QList<Record> lines;                 // trandetail's, in the order rung
    SaleFigures figures;                 // the header's, with the foreign-currency rate
    int cashierId = 0;                   // signed in: the sale goes into their totals
    bool training = false;               // rung in training: never posted

    double number() const { return header.asFloat(QStringLiteral("Trxh_id")); }
};

// The transaction of the work tables, with the control record's
// foreign-currency rate.
SaleRecord readWorkSale(TDataModule2 &dm, int signedInCashierId, bool training);

// A sale header's figures, the rules of the control record's taxes, and a
// sale's lines as the totals see them.
SaleFigures saleFiguresOf(const Record &header, const Record &control);
TaxRules taxRulesOf(const Record &control);
QList<LineAmount> lineAmountsOf(const QList<Record> &lines);
