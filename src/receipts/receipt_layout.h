#pragma once

#include <QString>
#include <QStringList>

class TDataModule2;

// The two paper layouts of the sale and stock receipts. The money column
// ends in column 42 (40-column paper) or 31 (30-column paper).
class ReceiptLayout {
public:
    explicit ReceiptLayout(bool columns30) : columns30_(columns30) {}

    int width() const;
    // The column heading, with "Qty" or "Qte" by language.
    QString columnHeading() const;
    // One item line from the current work line: code (40 columns only),
    // short description, quantity truncated, line total.
    QString itemLine(TDataModule2 &dm) const;
    // "Total" in its column, then the amount.
    QString totalLine(double amount) const;
    // A name or label right-aligned in 10, then the amount.
    QString amountLine(const QString &label, double amount) const;

    // The receipt header block: date and time, the title when there is
    // one (stock receipt), company block, slip messages, "TRAINING MODE"
    // in training, an empty line, the column heading.
    QStringList header(TDataModule2 &dm, const QString &title = QString()) const;
    // Every work line, in table order.
    QStringList itemLines(TDataModule2 &dm) const;

private:
    bool columns30_;
};
