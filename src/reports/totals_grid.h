#pragma once

#include <QString>

class ReportBand;

// The grid of running totals the cashier and financial reports share:
// six rows of three label and value pairs (sales and taxes, the payment
// modes, the coupons and voids, the grand total and counts). Field names
// are prefix + stem + suffix ("Fin_" "pmt1" "_pdt"); labels left-aligned,
// values right-aligned. Returns the height it takes.
qreal addTotalsGrid(ReportBand &band, qreal top, const QString &table, const QString &prefix,
                    const QString &suffix = QString());
