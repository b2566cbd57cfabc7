#include "sales_register_window.h"

#include "common/clock.h"
#include "reports/sales_register_report.h"
#include "store/data_module.h"
#include "store/filter_scope.h"
#include "widgets/date_picker.h"
#include "widgets/dialogs.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TForm14::TForm14(TDataModule2 &dm, TForm13 &report, QWidget *parent) : QDialog(parent), dm_(dm), report_(report)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Print Sales Register"));

    Label1 = new QLabel(QStringLiteral("Select a starting date"), this);
    Label2 = new QLabel(QStringLiteral("Select an ending date"), this);
    DateTimePicker1 = makeDatePicker(this, "DateTimePicker1");
    DateTimePicker2 = makeDatePicker(this, "DateTimePicker2");
    Label1->setBuddy(DateTimePicker1);
    Label2->setBuddy(DateTimePicker2);

    BitBtn1 = new QPushButton(QStringLiteral("Preview"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Print"), this);
    BitBtn3 = new QPushButton(QStringLiteral("Close"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm14::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm14::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DateTimePicker1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(DateTimePicker2, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {BitBtn1, BitBtn2, BitBtn3})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(440); // room for the title in both languages
}

void TForm14::showForToday()
{
    DateTimePicker1->setDate(Clock::today());
    DateTimePicker2->setDate(Clock::today());
    DateTimePicker1->setFocus();
    dialogs().exec(*this);
}

void TForm14::BitBtn1Click()
{
    runOverRange([this] { report_.preview(this); });
}

void TForm14::BitBtn2Click()
{
    runOverRange([this] { report_.print(); });
}

void TForm14::runOverRange(const std::function<void()> &run)
{
    // The time of day of the pickers plays no part: whole days count.
    dm_.setSalesRegisterRange(DateTimePicker1->date(), DateTimePicker2->date());
    const FilterScope onlyTheRange(dm_.tranmaster);
    run();
}

void TForm14::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Imprimer registre des ventes"));
    Label1->setText(QStringLiteral("Selectionner date début"));
    Label2->setText(QStringLiteral("Selectionner date fin"));
    BitBtn1->setText(QStringLiteral("Aperçu"));
    BitBtn2->setText(QStringLiteral("Imprimer"));
    BitBtn3->setText(QStringLiteral("Fermer"));
}
