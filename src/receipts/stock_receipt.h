#pragma once

#include <QStringList>

class TDataModule2;

// The lines of a stock receiving: "STOCK RECEIPT", the received items and
// their total, all from the transaction in progress.
QStringList stockReceiptLines(TDataModule2 &dm, bool columns30);
