#include "money.h"

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

Money Money::fromDouble(long double value)
{
    return Money(roundHalfEven(value * Scale));
}
