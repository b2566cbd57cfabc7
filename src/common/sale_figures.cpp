#include "sale_figures.h"

#include <algorithm>
#include <cmath>

bool withinAmountLimit(long double amount)
{
    return std::fabs(amount) <= AmountLimit;
}

double subtotalOf(const QList<LineAmount> &lines)
{
    double subtotal = 0;
    for (const LineAmount &line : lines)
        subtotal = static_cast<double>(static_cast<long double>(subtotal) + line.total);
    return subtotal;
}

double taxAmount(double rate, long double base)
{
    const Money tax = Money::fromDouble(static_cast<long double>(rate) * base);
    return static_cast<double>(static_cast<long double>(tax.cents()) * 0.01L);
}

double grandTotalOf(double subtotal, const double taxes[TaxCount])
{
    long double total = subtotal;
    for (int n = 0; n < TaxCount; ++n)
        total += taxes[n];
    return static_cast<double>(total);
}

SaleTotals saleTotalsKeepingTaxes(const QList<LineAmount> &lines, const double taxes[TaxCount])
{
    SaleTotals totals;
    totals.subtotal = subtotalOf(lines);
    std::copy(taxes, taxes + TaxCount, totals.taxes);
    totals.grandTotal = grandTotalOf(totals.subtotal, totals.taxes);
    return totals;
}

SaleTotals saleTotals(const QList<LineAmount> &lines, const TaxRules &rules)
{
    Money base[TaxCount];
    for (const LineAmount &line : lines)
        for (int n = 0; n < TaxCount; ++n)
            if (line.taxed[n])
                base[n] = Money::fromDouble(base[n].toLongDouble() + line.total);

    double taxes[TaxCount];
    for (int n = 0; n < TaxCount; ++n) {
        long double taxBase = base[n].toLongDouble();
        if (n > 0 && rules.taxOnTax[n]) {
            // The first tax, the base, then the other earlier taxes, added
            // in this order in extended precision.
            taxBase = static_cast<long double>(taxes[0]) + taxBase;
            for (int earlier = 1; earlier < n; ++earlier)
                taxBase += taxes[earlier];
        }
        taxes[n] = taxAmount(rules.rates[n], taxBase);
    }
    return saleTotalsKeepingTaxes(lines, taxes);
}

// ---- tenders and change ------------------------------------------------------------

std::span<const double> SaleFigures::amounts(AmountFamily::Kind family) const
{
    switch (family) {
    case AmountFamily::Tax: return taxes;
    case AmountFamily::Payment: return payments;
    case AmountFamily::ForeignCurrency: return {&foreignUnits, 1};
    case AmountFamily::Coupon: return coupons;
    case AmountFamily::Discount: break;
    }
    return {};
}

Money SaleFigures::foreignValue() const
{
    return Money::fromDouble(static_cast<long double>(foreignUnits) * foreignRate);
}

long double SaleFigures::lessTenders(long double total, bool includeCoupons) const
{
    for (double payment : payments)
        total -= payment;
    if (includeCoupons)
        for (double coupon : coupons)
            total -= coupon;
    return total;
}

long double SaleFigures::scaledLessForeign(long double amount) const
{
    return amount * Money::Scale - static_cast<long double>(foreignValue().units());
}

Money SaleFigures::balance() const
{
    return Money::fromScaled(scaledLessForeign(lessTenders(std::fabs(static_cast<long double>(grandTotal)), true)));
}

Money SaleFigures::remainder() const
{
    return Money::fromScaled(scaledLessForeign(lessTenders(grandTotal, true)));
}

long double SaleFigures::changeShown() const
{
    const long double magnitude = std::fabs(static_cast<long double>(grandTotal));
    if (scaledLessForeign(lessTenders(magnitude, false)) > 0)
        return 0;
    return scaledLessForeign(lessTenders(magnitude, true)) / Money::Scale;
}

Money SaleFigures::registerChange() const
{
    return Money::fromDouble(lessTenders(grandTotal, false) - foreignValue().toLongDouble());
}

long double SaleFigures::storeChange() const
{
    return lessTenders(grandTotal, true);
}

long double SaleFigures::cashierChange() const
{
    return scaledLessForeign(lessTenders(grandTotal, false)) / Money::Scale;
}

Money SaleFigures::trainingReceiptChange() const
{
    if (scaledLessForeign(lessTenders(grandTotal, false)) > 0)
        return Money();
    return -Money::fromScaled(scaledLessForeign(lessTenders(grandTotal, true)));
}

double paymentWithAdded(double payment, Money amount)
{
    const long double scaled = static_cast<long double>(payment) * Money::Scale + amount.units();
    return static_cast<double>(scaled / Money::Scale);
}
