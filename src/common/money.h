#pragma once

#include <cstdint>

// Rounds to the nearest integer, a tie going to the even neighbour.
int64_t roundHalfEven(long double value);

// n / d rounded to the nearest integer, a tie going to the even neighbour (d > 0).
int64_t divideRoundHalfEven(int64_t n, int64_t d);

// An exact amount of money: a signed 64-bit count of ten-thousandths
// (1.25 is 12500). Money fields in the tables are doubles; wherever exact
// cents matter (taxes, tender balances, change) the program converts them
// into this form, with banker's rounding at every conversion.
class Money {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t units) { return Money(units); }
    static Money fromDouble(long double value);
    static Money fromCents(int64_t cents) { return Money(cents * 100); }

    constexpr int64_t units() const { return units_; }
    long double toLongDouble() const { return static_cast<long double>(units_) / Scale; }
    double toDouble() const { return static_cast<double>(toLongDouble()); }

    int64_t cents() const { return divideRoundHalfEven(units_, 100); }
    Money roundedToCents() const { return fromCents(cents()); }
    constexpr bool isZero() const { return units_ == 0; }

    constexpr Money operator-() const { return Money(-units_); }
    constexpr Money operator+(Money other) const { return Money(units_ + other.units_); }
    constexpr Money operator-(Money other) const { return Money(units_ - other.units_); }
    Money &operator+=(Money other) { units_ += other.units_; return *this; }
    Money &operator-=(Money other) { units_ -= other.units_; return *this; }
    constexpr bool operator==(Money other) const { return units_ == other.units_; }
    constexpr bool operator!=(Money other) const { return units_ != other.units_; }
    constexpr bool operator<(Money other) const { return units_ < other.units_; }
    constexpr bool operator>(Money other) const { return units_ > other.units_; }
    constexpr bool operator<=(Money other) const { return units_ <= other.units_; }
    constexpr bool operator>=(Money other) const { return units_ >= other.units_; }

private:
    constexpr explicit Money(int64_t units) : units_(units) {}
    int64_t units_ = 0;
};
