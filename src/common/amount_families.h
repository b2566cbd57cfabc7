#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The amounts a sale carries in numbered families: the taxes, the
// discounts, the payment modes, the foreign currency and the coupons.
// Every table that keeps such amounts names its fields the same way: a
// prefix, the family's stem, the number from 1, and a suffix
// ("Trxh_pmt3", "Fin_tx1_pdt", "Ctrl_cpn2", "Ctrl_tx2_rate").

inline constexpr int TaxCount = 3;
inline constexpr int DiscountCount = 3;
inline constexpr int PaymentCount = 5;
inline constexpr int ForeignCurrencyCount = 1;
inline constexpr int CouponCount = 3;

struct AmountFamily {
    enum Kind { Tax, Discount, Payment, ForeignCurrency, Coupon };
    Kind kind;
    const char *stem;
    int count;
};

inline constexpr AmountFamily Taxes{AmountFamily::Tax, "tx", TaxCount};
inline constexpr AmountFamily Discounts{AmountFamily::Discount, "dsc", DiscountCount};
inline constexpr AmountFamily Payments{AmountFamily::Payment, "pmt", PaymentCount};
inline constexpr AmountFamily ForeignCurrency{AmountFamily::ForeignCurrency, "fc", ForeignCurrencyCount};
inline constexpr AmountFamily Coupons{AmountFamily::Coupon, "cpn", CouponCount};

// Every family in the order of a sale header's fields; those the running
// totals and the money count keep (no sale fills in the discounts); what
// the customer hands over.
inline constexpr AmountFamily HeaderFamilies[] = {Taxes, Discounts, Payments, ForeignCurrency, Coupons};
inline constexpr AmountFamily TotalledFamilies[] = {Taxes, Payments, ForeignCurrency, Coupons};
inline constexpr AmountFamily TenderFamilies[] = {Payments, ForeignCurrency, Coupons};

// stem + n + suffix: numbered("Ctrl_pmt", 3) is "Ctrl_pmt3".
QString numbered(const QString &stem, int n, const QString &suffix = {});
// The field names of one family, or of several one after the other:
// prefix + stem + 1 .. count + suffix.
QStringList familyFields(const QString &prefix, const AmountFamily &family, const QString &suffix = {});
QStringList familyFields(const QString &prefix, std::span<const AmountFamily> families,
                         const QString &suffix = {});
