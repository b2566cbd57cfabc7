#include "sale_figures.h"

#include "store/table.h"

namespace {
double amount(Table &header, const QString &name)
{
    return header.field(name).asFloat();
}
}

SaleFigures SaleFigures::fromHeader(Table &header)
{
    SaleFigures s;
    s.total = amount(header, QStringLiteral("Trxh_total"));
    for (int n = 0; n < 3; ++n) {
        s.taxes[n] = amount(header, QStringLiteral("Trxh_tx%1").arg(n + 1));
        s.coupons[n] = amount(header, QStringLiteral("Trxh_cpn%1").arg(n + 1));
    }
    for (int n = 0; n < 5; ++n)
        s.payments[n] = amount(header, QStringLiteral("Trxh_pmt%1").arg(n + 1));
    s.foreignUnits = amount(header, QStringLiteral("Trxh_fc1"));
    s.grandTotal = amount(header, QStringLiteral("Trxh_grand_total"));
    return s;
}

long double SaleFigures::grandTotalLessPayments() const
{
    long double rest = grandTotal;
    for (double payment : payments)
        rest -= payment;
    return rest;
}

Money foreignCurrencyValue(double units, double rate)
{
    return Money::fromDouble(static_cast<long double>(units) * rate);
}
