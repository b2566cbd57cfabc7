#include "report_range_controls.h"

#include "common/clock.h"
#include "widgets/date_picker.h"

#include <QDateEdit>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ReportRangeControls::ReportRangeControls(QDialog *window)
{
    Label1 = new QLabel(QStringLiteral("Select a starting date"), window);
    Label2 = new QLabel(QStringLiteral("Select an ending date"), window);
    DateTimePicker1 = makeDatePicker(window, "DateTimePicker1");
    DateTimePicker2 = makeDatePicker(window, "DateTimePicker2");
    Label1->setBuddy(DateTimePicker1);
    Label2->setBuddy(DateTimePicker2);

    BitBtn1 = new QPushButton(QStringLiteral("Preview"), window);
    BitBtn2 = new QPushButton(QStringLiteral("Print"), window);
    BitBtn3 = new QPushButton(QStringLiteral("Close"), window);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn1->setDefault(true);
    QObject::connect(BitBtn3, &QPushButton::clicked, window, &QDialog::accept);
    window->setMinimumWidth(440); // room for the title in both languages
}

void ReportRangeControls::addTo(QVBoxLayout *layout)
{
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DateTimePicker1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(DateTimePicker2, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {BitBtn1, BitBtn2, BitBtn3})
        buttons->addWidget(button);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void ReportRangeControls::showToday()
{
    DateTimePicker1->setDate(Clock::today());
    DateTimePicker2->setDate(Clock::today());
    DateTimePicker1->setFocus();
}

void ReportRangeControls::applyFrenchCaptions()
{
    Label1->setText(QStringLiteral("Selectionner date début"));
    Label2->setText(QStringLiteral("Selectionner date fin"));
    BitBtn1->setText(QStringLiteral("Aperçu"));
    BitBtn2->setText(QStringLiteral("Imprimer"));
    BitBtn3->setText(QStringLiteral("Fermer"));
}
