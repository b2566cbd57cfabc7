#pragma once

#include <QStringList>

class TDataModule2;

// The lines of the customer's receipt of a finished sale: the items of the
// work lines, then the figures of the posted sale (the current sales
// register record) or, for a cashier in training, of the work header.
QStringList saleReceiptLines(TDataModule2 &dm, bool columns30);
