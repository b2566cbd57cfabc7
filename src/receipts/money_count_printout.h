#pragma once

#include <QStringList>

class TDataModule2;

// The blind money count report: the counted amounts of the money record
// beside the signed-in cashier's money-count totals.
QStringList moneyCountLines(TDataModule2 &dm, bool columns30);
