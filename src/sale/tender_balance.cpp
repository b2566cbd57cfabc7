#include "tender_balance.h"

#include "posting/sale_figures.h"
#include "store/data_module.h"

#include <cmath>

TenderBalance TenderBalance::fromWorkHeader(TDataModule2 &dm)
{
    Table &header = dm.tmpmaster;
    const auto amount = [&header](const QString &name) { return header.field(name).asFloat(); };
    TenderBalance t;
    t.grandTotal = amount(QStringLiteral("Trxh_grand_total"));
    for (int n = 0; n < 5; ++n)
        t.payments[n] = amount(QStringLiteral("Trxh_pmt%1").arg(n + 1));
    t.foreignUnits = amount(QStringLiteral("Trxh_fc1"));
    for (int n = 0; n < 3; ++n)
        t.coupons[n] = amount(QStringLiteral("Trxh_cpn%1").arg(n + 1));
    t.foreignRate = dm.Control.field(QStringLiteral("Ctrl_fc_rate")).asFloat();
    return t;
}

Money TenderBalance::foreignValue() const
{
    return foreignCurrencyValue(foreignUnits, foreignRate);
}

long double TenderBalance::lessTenders(long double total, bool includeCoupons) const
{
    for (double payment : payments)
        total -= payment;
    if (includeCoupons)
        for (double coupon : coupons)
            total -= coupon;
    return total;
}

long double TenderBalance::scaledLessForeign(long double amount) const
{
    return amount * Money::Scale - static_cast<long double>(foreignValue().units());
}

Money TenderBalance::balance() const
{
    const long double owed = lessTenders(std::fabs(static_cast<long double>(grandTotal)), true);
    return Money::fromUnits(roundHalfEven(scaledLessForeign(owed)));
}

Money TenderBalance::remainder() const
{
    const long double owed = lessTenders(grandTotal, true);
    return Money::fromUnits(roundHalfEven(scaledLessForeign(owed)));
}

long double TenderBalance::change() const
{
    const long double magnitude = std::fabs(static_cast<long double>(grandTotal));
    if (scaledLessForeign(lessTenders(magnitude, false)) > 0)
        return 0;
    return scaledLessForeign(lessTenders(magnitude, true)) / Money::Scale;
}

double TenderBalance::withAdded(double payment, Money amount)
{
    const long double scaled = static_cast<long double>(payment) * Money::Scale + amount.units();
    return static_cast<double>(scaled / Money::Scale);
}
