#include "money.h"

#include "language.h"

#include <cmath>

int64_t roundHalfEven(long double value)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::llrintl(value);
}

int64_t divideRoundHalfEven(int64_t n, int64_t d)
{
    int64_t quotient = n / d;
    int64_t remainder = n % d;
    if (remainder == 0)
        return quotient;
    const int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const int64_t away = (n < 0) ? -1 : 1;
    if (twice > d || (twice == d && (quotient % 2 != 0)))
        quotient += away;
    return quotient;
}

MoneyOverflow::MoneyOverflow()
    : std::overflow_error(
          chooseText(QStringLiteral("An amount is too large to be counted exactly; nothing was done."),
                     QStringLiteral("Un montant est trop grand pour être compté exactement; rien n'a été fait."))
              .toStdString())
{
}

namespace {

bool scaledFits(long double units)
{
    // A long double holds 2^63 - 1 exactly; what rounds beyond it (or is
    // not a number at all) does not fit.
    constexpr long double limit = 9223372036854775807.0L;
    return std::fabs(units) < limit;
}

}

bool Money::fits(long double value)
{
    return scaledFits(value * Scale);
}

Money Money::fromScaled(long double units)
{
    if (!scaledFits(units))
        throw MoneyOverflow();
    return Money(roundHalfEven(units));
}

Money Money::fromDouble(long double value)
{
    return fromScaled(value * Scale);
}

Money Money::fromCents(int64_t cents)
{
    int64_t units = 0;
    if (__builtin_mul_overflow(cents, int64_t(100), &units))
        throw MoneyOverflow();
    return Money(units);
}
