#include "money_count_question.h"

#include "widgets/dialog_buttons.h"

#include <QFrame>
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

    const DialogButtons buttons = makeDialogButtons(*this, QStringLiteral("Yes"), QStringLiteral("No"));
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons.row);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void TMoneyCountDlg::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Décompte"));
    Label1->setText(QStringLiteral("Voulez vous faire le décompte et fermer?"));
    OKBtn->setText(QStringLiteral("Oui"));
    CancelBtn->setText(QStringLiteral("Non"));
}
