#include "sale_check.h"

#include "common/formats.h"
#include "common/language.h"
#include "store/data_module.h"
#include "store/sale_records.h"
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

}

void checkSaleToPost(TDataModule2 &dm)
{
    const QList<LineAmount> lines = lineAmountsOf(dm.tmpdetail);
    const SaleFigures sale = saleFiguresOf(dm.tmpmaster, dm.Control);

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
