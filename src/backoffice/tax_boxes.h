#pragma once

#include <QList>
#include <QString>

class DBCheckBox;
class QHBoxLayout;
class QWidget;
class Table;

// The three boxes "Tax 1" to "Tax 3" of the product and department
// editors, bound to the fields prefix + 1 to 3, side by side.
struct TaxBoxes {
    QHBoxLayout *row;
    DBCheckBox *boxes[3];
};
TaxBoxes makeTaxBoxes(QWidget &window, Table *table, const QString &fieldPrefix);
void frenchTaxCaptions(const QList<DBCheckBox *> &boxes);
