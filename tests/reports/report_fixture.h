#pragma once

#include "sale_builder.h"
#include "test_database.h"

#include "store/sale_record.h"

#include <QDate>
#include <QList>
#include <QTime>

// Records the report tests share: a configured control record, posted
// sales with their lines, and work lines (sale_builder.h).

struct PostedSale {
    double id;
    QDate date;
    QTime time;
    int cashier;
    double subtotal;
    double tx1, tx2, tx3;
    double payments[5];
    double foreign;
    double change;
    QList<SaleLine> lines;
};

namespace ReportFixture {

// Store, tender, coupon and tax names, messages, terminal 3, rate 1.25.
void configureControl(TestDatabase &db);
// Leaves the empty payment names empty.
void nameTenders(TestDatabase &db, const QStringList &paymentNames);

void postSale(TDataModule2 &dm, const PostedSale &sale);
// A work header as a sale leaves it, with the given payments.
void setWorkHeader(TDataModule2 &dm, int cashier, const QDate &date, double subtotal, double tx1,
                   const QList<double> &payments, double foreign = 0);

PostedSale sampleSale(double id, const QDate &date, int lineCount);

// The sale an invoice shows as the tables hold it: the current header of
// the sales register with the work lines.
SaleRecord invoiceSale(TDataModule2 &dm);

}
