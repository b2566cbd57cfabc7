#pragma once

#include <QStringList>

class TDataModule2;

// The field names of one family of sale totals (see running_totals.h):
// sales, the taxes, payments, foreign currency and coupons, then the
// number of sales, the change, the voids and their number. The
// prefix is "Fin_" or "Cashier_", the suffix "" for the day or "_pdt"
// for the period to date.
QStringList saleTotalsFields(const QString &prefix, const QString &suffix = QString());
// The money-count totals of a cashier: the amounts and the change.
QStringList moneyCountTotalsFields();

// End of day: the day totals of the store, of every cashier (money-count
// totals included), of every product and of every department set to zero
// in one database transaction, so that a failure or a crash leaves either
// all of them zeroed or none. Period-to-date totals, stock, the sales
// register and the invoice counter are not touched.
void zeroDayTotals(TDataModule2 &dm);

// Period end: the period-to-date totals of the store, of every product and
// of every department set to zero, in one database transaction. The day
// totals are not touched.
void zeroPeriodTotals(TDataModule2 &dm);
