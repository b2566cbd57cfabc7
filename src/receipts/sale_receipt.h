#pragma once

#include <QStringList>

class TDataModule2;

// The lines of the customer's receipt of a finished sale: the items of the
// work lines, then the figures of the posted sale (the current sales
// register record) or, for a cashier in training, of the work header.
QStringList saleReceiptLines(TDataModule2 &dm, bool columns30);

// The change a training receipt shows, in ten-thousandths: what the five
// payment modes, the coupons and the foreign tender give back beyond the
// grand total, none when the payment modes and the foreign tender alone
// do not cover it.
qint64 trainingChangeUnits(TDataModule2 &dm);
