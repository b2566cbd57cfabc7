#pragma once

#include "common/money.h"

class TDataModule2;

// The tenders of the sale in progress as the payment window and checkout
// weigh them: the work header's grand total, payments, foreign currency
// and coupons, and the control record's foreign-currency rate.
//
// Sums are taken in extended precision and scaled to ten-thousandths;
// the foreign currency enters at its local value, rounded to four
// decimals. A refund (negative grand total) is weighed by its magnitude
// wherever the cashier is asked for what is still to pay out.
struct TenderBalance {
    double grandTotal = 0;
    double payments[5] = {};
    double foreignUnits = 0;
    double coupons[3] = {};
    double foreignRate = 0;

    // Reads the work header's current record and the control record.
    static TenderBalance fromWorkHeader(TDataModule2 &dm);

    // What is still owed: |grand total| less every tender, rounded to a
    // whole ten-thousandth. Zero or less means the sale is paid.
    Money balance() const;

    // The same with the grand total taken with its sign: greater than zero
    // means the sale is not completely paid.
    Money remainder() const;

    // The change the sale window shows, negative when money goes back to
    // the customer; zero when the payments and the foreign currency alone,
    // without the coupons, do not cover the grand total.
    long double change() const;

    // A payment field after adding a quick-tender amount to it.
    static double withAdded(double payment, Money amount);

private:
    Money foreignValue() const;
    // total less the five payments (and the three coupons when asked).
    long double lessTenders(long double total, bool includeCoupons) const;
    // An extended amount in ten-thousandths, less the foreign currency.
    long double scaledLessForeign(long double amount) const;
};
