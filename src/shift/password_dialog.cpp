#include "password_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPasswordDlg::TPasswordDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Cashier login"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);

    Label1 = new QLabel(QStringLiteral("Enter cashier code"), this);
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    Password->setEchoMode(QLineEdit::Password);
    Password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Close"), this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void TPasswordDlg::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Entrée du caissier"));
    Label1->setText(QStringLiteral("Entrer code de caissier"));
    CancelBtn->setText(QStringLiteral("Fermer"));
}

void TPasswordDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Password->setFocus();
}
