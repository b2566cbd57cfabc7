#pragma once

#include "amount_families.h"
#include "money.h"

#include <QList>
#include <QString>
#include <span>
#include <stdexcept>

// The figures of a sale and every rule that computes them: subtotal, taxes
// and grand total from the lines; the balance while the customer pays; the
// change in each form the program keeps. The change rules differ on
// purpose (which tenders count, with or without sign, where they round):
// each is one named function here, so that the sale window, the posting,
// the receipts and the invoice show and keep the same figure for the same
// rule.

// The largest amount, either way, that a line total, a sale total or a
// tender may reach, and the largest quantity and unit price a line takes:
// far beyond any real sale, far below what the exact money form holds.
constexpr double AmountLimit = 99'999'999.99;
constexpr double QuantityLimit = 99'999;
constexpr double UnitPriceLimit = 999'999.99;
bool withinAmountLimit(long double amount);

// A figure beyond AmountLimit, refused before anything is written.
class AmountLimitError : public std::runtime_error {
public:
    explicit AmountLimitError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// A line as the totals see it.
struct LineAmount {
    double total = 0;
    bool taxed[TaxCount] = {};
};

// The taxes set up in the control record: rates (fractions of one) and,
// for every tax after the first, whether it is charged on the earlier
// taxes too.
struct TaxRules {
    double rates[TaxCount] = {};
    bool taxOnTax[TaxCount] = {}; // [0] unused
};

struct SaleTotals {
    double subtotal = 0;
    double taxes[TaxCount] = {};
    double grandTotal = 0;
};

// The subtotal: the line totals added one by one in extended precision,
// the running sum kept as a double, never rounded.
double subtotalOf(const QList<LineAmount> &lines);

// A tax: rate x base rounded to four decimals, then to cents.
double taxAmount(double rate, long double base);

// Subtotal + taxes, added in extended precision, not rounded.
double grandTotalOf(double subtotal, const double taxes[TaxCount]);

// Subtotal, the taxes and the grand total of a sale's lines. Each
// taxable base is the sum of the lines bearing that tax, rounded to four
// decimals at every addition; a tax on tax adds the earlier taxes as they
// were rounded.
SaleTotals saleTotals(const QList<LineAmount> &lines, const TaxRules &rules);

// The same keeping the taxes given (a line priced in receiving mode).
SaleTotals saleTotalsKeepingTaxes(const QList<LineAmount> &lines, const double taxes[TaxCount]);

// The amounts of one sale header (work or posted) and the foreign-currency
// rate, and the rules of its tenders and change.
struct SaleFigures : SaleTotals {
    double payments[PaymentCount] = {};
    double foreignUnits = 0; // the foreign currency tendered, in its own units
    double coupons[CouponCount] = {};
    double foreignRate = 0;  // the local value of one foreign unit

    // The amounts of one family, first to last (none for the discounts,
    // which no sale fills in).
    std::span<const double> amounts(AmountFamily::Kind family) const;

    // F: the local value of the foreign tender, units x rate rounded to four
    // decimals.
    Money foreignValue() const;

    // B, while the customer pays: |grand total| less every tender, to the
    // ten-thousandth. Zero or less means the sale is paid.
    Money balance() const;
    // R, when OK is pressed: the same with the grand total's sign; greater
    // than zero means the sale is not completely paid.
    Money remainder() const;

    // C, the change the sale window and the customer display show:
    // (|grand total| less every tender) unrounded, negative when money goes
    // back; zero when the payments and the foreign currency, without the
    // coupons, do not cover the grand total.
    long double changeShown() const;
    // Trxh_change of the sales register (and the invoice's "Your Change"):
    // grand total less the payments and F, coupons left out, to the
    // ten-thousandth, so an exact payment keeps no rounding residue.
    Money registerChange() const;
    // Added to Fin_change: grand total less the payments and the coupons;
    // the foreign currency left out.
    long double storeChange() const;
    // Added to Cashier_change: grand total less the payments and F exact to
    // four decimals; the coupons left out.
    long double cashierChange() const;
    // The change a training receipt prints, positive when money goes back:
    // (grand total, with its sign, less every tender) to the
    // ten-thousandth; zero when the payments and the foreign currency alone
    // do not cover the grand total.
    Money trainingReceiptChange() const;

private:
    // total less the payments (and the coupons when asked).
    long double lessTenders(long double total, bool includeCoupons) const;
    // An extended amount in ten-thousandths, less F.
    long double scaledLessForeign(long double amount) const;
};

// A payment after a quick-tender amount is added to it.
double paymentWithAdded(double payment, Money amount);
