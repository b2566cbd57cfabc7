#pragma once

#include <QDateTime>
#include <QString>

class TDataModule2;
struct SaleModes;

// The code in the UPC field as a number; text that is not a number gives 0.
double codeFromText(const QString &text);

// One row of the customer display: a label (a line's short description,
// "Total", "Change") left-aligned in nine characters, a space, and the
// amount text right-aligned in ten. A row wider than the display's
// `columns` loses the end of its label, never a digit of its amount.
QString lineDisplayText(const QString &label, const QString &amountText, int columns);

// Whether a product's promotional price applies at `now`. The dates carry
// no time of day: the promotion runs from the first moment of the start
// day to the first moment of the end day. A missing start date is the
// earliest day there is; a missing end date ends the promotion before it
// begins.
bool promotionApplies(const QDate &start, const QDate &end, const QDateTime &now);

// The rules of the work lines of the sale in progress, apart from the
// window's fields and focus: the entry line, filling a line from its
// product, the sign rule and the pricing of a line.
class LineEntry {
public:
    LineEntry(TDataModule2 &dm, SaleModes &modes);

    // True while the current line is still the entry line for `code`: no
    // product has the code, or the line has no total yet although the
    // product's regular price is not zero.
    bool currentLineUnfinished(double code);

    // Switches void-item mode off and appends a new empty line, posted; it
    // becomes the current line.
    void appendEntryLine();

    // Fills the current line (a new one when there is no line) from the
    // product with `code`, for a sale, a return or receiving; false, with
    // nothing changed, when no product has it.
    bool fillFromProduct(double code);

    // Deletes every line without a product (no code, or a code no product
    // has and nothing rung from it), so that none reaches the register,
    // the receipt or the journal. A line rung from a product deleted since
    // stays as it was rung.
    // True when a deleted line carried an amount: the totals are then out
    // of date.
    bool removeLinesWithoutProduct();

    // In void-item or return mode a positive quantity turns negative.
    void applySignRule();

    // Computes the discount amount and the total of the current line in
    // extended precision, stores them unrounded and posts the line. A total
    // beyond the amount limit raises AmountLimitError with nothing written.
    // The sale window runs it with the totals in one change of the work
    // tables (work_tables_change.h), which a failure undoes whole.
    void priceLine();

private:
    TDataModule2 &dm_;
    SaleModes &modes_;
};
