#include "printer_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPrinterDialog::TPrinterDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterDialog"));
    setWindowTitle(QStringLiteral("Select printer"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    RadioGroup1 = new QGroupBox(QStringLiteral("Print Report"), this);
    ReceiptPrinterItem = new QRadioButton(QStringLiteral("Print to Receipt printer"), RadioGroup1);
    StandardPrinterItem = new QRadioButton(QStringLiteral("Print to Standard printer"), RadioGroup1);
    items_ = new QButtonGroup(this);
    items_->addButton(ReceiptPrinterItem, 0);
    items_->addButton(StandardPrinterItem, 1);
    ReceiptPrinterItem->setChecked(true);
    auto *group = new QVBoxLayout(RadioGroup1);
    group->addWidget(ReceiptPrinterItem);
    group->addWidget(StandardPrinterItem);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

int TPrinterDialog::ItemIndex() const
{
    return items_->checkedId();
}

void TPrinterDialog::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Choisir l'imprimante"));
    RadioGroup1->setTitle(QStringLiteral("Imprimer rapport"));
    ReceiptPrinterItem->setText(QStringLiteral("Imprimer à l'imprimante reçu"));
    StandardPrinterItem->setText(QStringLiteral("Imprimer à l'imprimante standard"));
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void TPrinterDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The arrow keys move the choice; Enter is OK.
    items_->checkedButton()->setFocus();
}
