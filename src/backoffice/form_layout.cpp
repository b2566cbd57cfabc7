#include "form_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

QLabel *addLabelledRow(QGridLayout *grid, int row, const QString &caption, QWidget *field, int column,
                       QWidget *beside)
{
    auto *label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    grid->addWidget(label, row, column);
    auto *fieldRow = new QHBoxLayout;
    fieldRow->addWidget(field);
    if (beside)
        fieldRow->addWidget(beside);
    fieldRow->addStretch();
    grid->addLayout(fieldRow, row, column + 1);
    return label;
}

void nameFieldsAfterLabels(QWidget &window)
{
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
}
