#include "password_dialog.h"

#include "dialog_buttons.h"

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
    const DialogButtons buttons = makeDialogButtons(*this, QStringLiteral("OK"), QStringLiteral("Close"));
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addLayout(buttons.row);
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
