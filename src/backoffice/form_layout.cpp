#include "form_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

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

void fitToCaptions(QWidget &window)
{
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
    // The nested layouts take the captions just set into their hints.
    window.layout()->invalidate();
    window.layout()->activate();
    window.setFixedSize(window.sizeHint());
}
