#pragma once

#include "common/amount_families.h"
#include "store/record.h"

#include <QString>
#include <QStringList>

// The pieces every receipt-printer printout shares: the header lines, the
// closing lines of the receipts, and plain field reading.

inline constexpr int Columns40 = 40;
inline constexpr int Columns30 = 30;

// What the head of every printout shows: the shop as the control record
// describes it, and the date and time of the work header.
struct ShopRecords {
    Record control;
    Record workHeader;
};

// The work header's date, 23 blanks, and its time.
QString dateTimeLine(const ShopRecords &shop);
// "Terminal ID" padded to 15, one blank, the terminal number in 4.
QString terminalIdLine(const ShopRecords &shop);
// Company name, two address lines and telephone, each centred, always four.
QStringList companyBlock(const ShopRecords &shop, int width);
// The three slip messages, centred, each only when not empty.
QStringList slipMessages(const ShopRecords &shop, int width);
// Date and time, Terminal ID, company block and the centred title, on
// 30-column or 40-column paper.
QStringList reportHeader(const ShopRecords &shop, bool columns30, const QString &title);

// "Cashier " (French "Caissier ") padded to 10, one blank, the number in 4.
QString cashierLine(double cashierId);
// Cashier label, number, and name padded to 20 (money count, cashier report).
QString cashierNameLine(const Record &cashier);
// "Transaction" padded to 15, one blank, the number left-aligned in 12.
QString transactionLine(double transactionId);
// The same with the figure 0 in 4, for a sale rung in training mode.
QString trainingTransactionLine();
