#include "tax_boxes.h"

#include "widgets/db_check_box.h"

#include <QHBoxLayout>

TaxBoxes makeTaxBoxes(QWidget &window, Table *table, const QString &fieldPrefix)
{
    TaxBoxes taxes{new QHBoxLayout, {}};
    for (int i = 0; i < TaxCount; ++i) {
        auto *box = new DBCheckBox(QStringLiteral("Tax %1").arg(i + 1), &window);
        box->setObjectName(QStringLiteral("DBCheckBox%1").arg(i + 1));
        box->setDataSource(table, fieldPrefix + QString::number(i + 1));
        taxes.row->addWidget(box);
        taxes.boxes[i] = box;
    }
    taxes.row->addStretch();
    return taxes;
}

void frenchTaxCaptions(const QList<DBCheckBox *> &boxes)
{
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QStringLiteral("Taxe %1").arg(i + 1));
}
