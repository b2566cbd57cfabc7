#pragma once

#include <cstdint>
#include <stdexcept>

// Rounds to the nearest integer, a tie going to the even neighbour.
int64_t roundHalfEven(long double value);

// n / d rounded to the nearest integer, a tie going to the even neighbour (d > 0).
int64_t divideRoundHalfEven(int64_t n, int64_t d);

// An amount too large for the fixed-point form (beyond about 922 trillion).
class MoneyOverflow : public std::overflow_error {
public:
    MoneyOverflow();
};

// An exact amount of money: a signed 64-bit count of ten-thousandths
// (1.25 is 12500). Money fields in the tables are doubles; wherever exact
// cents matter (taxes, tender balances, change) the program converts them
// into this form, with banker's rounding at every conversion. An amount or
// a result the form cannot hold raises MoneyOverflow instead of wrapping.
class Money {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t units) { return Money(units); }
    static Money fromDouble(long double value);
    // An amount already scaled to ten-thousandths, rounded to a whole one.
    static Money fromScaled(long double units);
    static Money fromCents(int64_t cents);
    // Whether fromDouble can hold the amount.
    static bool fits(long double value);

    constexpr int64_t units() const { return units_; }
    long double toLongDouble() const { return static_cast<long double>(units_) / Scale; }
    double toDouble() const { return static_cast<double>(toLongDouble()); }

    int64_t cents() const { return divideRoundHalfEven(units_, 100); }
    Money roundedToCents() const { return fromCents(cents()); }
    constexpr bool isZero() const { return units_ == 0; }

    constexpr Money operator-() const { return Money(difference(0, units_)); }
    constexpr Money operator+(Money other) const { return Money(sum(units_, other.units_)); }
    constexpr Money operator-(Money other) const { return Money(difference(units_, other.units_)); }
    Money &operator+=(Money other) { return *this = *this + other; }
    Money &operator-=(Money other) { return *this = *this - other; }
    constexpr bool operator==(Money other) const { return units_ == other.units_; }
    constexpr bool operator!=(Money other) const { return units_ != other.units_; }
    constexpr bool operator<(Money other) const { return units_ < other.units_; }
    constexpr bool operator>(Money other) const { return units_ > other.units_; }
    constexpr bool operator<=(Money other) const { return units_ <= other.units_; }
    constexpr bool operator>=(Money other) const { return units_ >= other.units_; }

private:
    constexpr explicit Money(int64_t units) : units_(units) {}
    static constexpr int64_t sum(int64_t a, int64_t b)
    {
        int64_t result = 0;
        if (__builtin_add_overflow(a, b, &result))
            throw MoneyOverflow();
        return result;
    }
    static constexpr int64_t difference(int64_t a, int64_t b)
    {
        int64_t result = 0;
        if (__builtin_sub_overflow(a, b, &result))
            throw MoneyOverflow();
        return result;
    }
    int64_t units_ = 0;
};
