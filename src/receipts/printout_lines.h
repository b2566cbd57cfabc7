#pragma once

#include "common/amount_families.h"

#include <QString>
#include <QStringList>

class Table;
class TDataModule2;

// The pieces every receipt-printer printout shares: the header lines, the
// closing lines of the receipts, and plain field reading.

inline constexpr int Columns40 = 40;
inline constexpr int Columns30 = 30;

double numberField(Table &table, const QString &field);
QString textField(Table &table, const QString &field);

// The work header's date, 23 blanks, and its time.
QString dateTimeLine(TDataModule2 &dm);
// "Terminal ID" padded to 15, one blank, the terminal number in 4.
QString terminalIdLine(TDataModule2 &dm);
// Company name, two address lines and telephone, each centred, always four.
QStringList companyBlock(TDataModule2 &dm, int width);
// The three slip messages, centred, each only when not empty.
QStringList slipMessages(TDataModule2 &dm, int width);
// Date and time, Terminal ID, company block and the centred title.
QStringList reportHeader(TDataModule2 &dm, int width, const QString &title);

// "Cashier " (French "Caissier ") padded to 10, one blank, the number in 4.
QString cashierLine(double cashierId);
// Cashier label, number, and name padded to 20 (money count, cashier report).
QString cashierNameLine(TDataModule2 &dm);
// "Transaction" padded to 15, one blank, the number left-aligned in 12.
QString transactionLine(double transactionId);
// The same with the figure 0 in 4, for a sale rung in training mode.
QString trainingTransactionLine();

// The signed-in cashier (the current cashier record) is in training.
bool trainingMode(TDataModule2 &dm);
