#pragma once

#include "common/money.h"

class Table;

// The amounts of a finished sale, read once from the work header's
// current record: what the running totals add up and the change figures
// are made of.
struct SaleFigures {
    double total = 0;
    double taxes[3] = {};
    double payments[5] = {};
    double foreignUnits = 0; // foreign currency tendered, in its own units
    double coupons[3] = {};
    double grandTotal = 0;

    static SaleFigures fromHeader(Table &header);

    // The grand total less the five payments, subtracted one by one in
    // extended precision. Every change figure starts from it.
    long double grandTotalLessPayments() const;
};

// The local value of a foreign-currency tender: units x rate, rounded to
// four decimals with ties to even.
Money foreignCurrencyValue(double units, double rate);
