#include "money_count_question.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TMoneyCountDlg::TMoneyCountDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Money count"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);

    auto *frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label1 = new QLabel(QStringLiteral("Do you want to count the money and close?"), frame);
    Label1->setWordWrap(true);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(Label1);

    OKBtn = new QPushButton(QStringLiteral("Yes"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("No"), this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void TMoneyCountDlg::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Décompte"));
    Label1->setText(QStringLiteral("Voulez vous faire le décompte et fermer?"));
    OKBtn->setText(QStringLiteral("Oui"));
    CancelBtn->setText(QStringLiteral("Non"));
}
