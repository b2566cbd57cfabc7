#include "purge_window.h"

#include "common/clock.h"
#include "common/language.h"
#include "posting/sales_register_purge.h"
#include "posting/totals_reset.h"
#include "widgets/date_picker.h"
#include "widgets/dialogs.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TForm20::TForm20(TDataModule2 &dm, QWidget *parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Purge period to date sales register"));

    Label1 = new QLabel(QStringLiteral("Date up to which transactions are to be purged"), this);
    DateTimePicker1 = makeDatePicker(this, "DateTimePicker1");
    Label1->setBuddy(DateTimePicker1);
    BitBtn1 = new QPushButton(QStringLiteral("Proceed"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Close"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // Enter in the picker closes nothing by mistake: Proceed is only clicked.
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm20::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(DateTimePicker1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(440); // room for the title in both languages
}

void TForm20::showForToday()
{
    DateTimePicker1->setDate(Clock::today());
    DateTimePicker1->setFocus();
    dialogs().exec(*this);
}

void TForm20::BitBtn1Click()
{
    purgeSalesRegister(dm_, DateTimePicker1->date());
    // Closed before the message, so that the focus goes back to the sale
    // window when the message is acknowledged.
    accept();
    dialogs().message(parentWidget(),
                      chooseText(QStringLiteral("Proceess complete!"), QStringLiteral("Procédure terminée!")));
}

void TForm20::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Épurer le registre des ventes"));
    Label1->setText(QStringLiteral("Date limite pour l'épuration"));
    BitBtn1->setText(QStringLiteral("Procéder"));
    BitBtn2->setText(QStringLiteral("Fermer"));
}

bool Zeroperiodtotals1Click(TDataModule2 &dm, QWidget *parent)
{
    // A whole period is never zeroed without a Yes, whatever the language.
    if (!dialogs().question(parent, chooseText(QStringLiteral("Proceed with zeroing of totals?"),
                                               QStringLiteral("Procéder avec la mise à zéro?"))))
        return false;
    zeroPeriodTotals(dm);
    dialogs().message(parent, chooseText(QStringLiteral("Process complete"), QStringLiteral("Procédure terminée")));
    return true;
}
