#pragma once

#include "common/amount_families.h"

#include <QList>
#include <QString>

class DBCheckBox;
class QHBoxLayout;
class QWidget;
class Table;

// The boxes "Tax 1", "Tax 2" .. of the product and department editors,
// bound to the fields prefix + 1, 2 .., side by side.
struct TaxBoxes {
    QHBoxLayout *row;
    DBCheckBox *boxes[TaxCount];
};
TaxBoxes makeTaxBoxes(QWidget &window, Table *table, const QString &fieldPrefix);
void frenchTaxCaptions(const QList<DBCheckBox *> &boxes);
