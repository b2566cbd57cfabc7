#include "password_dialog.h"

#include "dialog_buttons.h"

#include "common/clock.h"
#include "common/language.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int CountdownTickMs = 200;
}

TPasswordDlg::TPasswordDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Cashier login"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);

    Label1 = new QLabel(QStringLiteral("Enter cashier code"), this);
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    Password->setEchoMode(QLineEdit::Password);
    Password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    WaitLabel = new QLabel(this);
    WaitLabel->setMinimumHeight(WaitLabel->fontMetrics().height());
    const DialogButtons buttons = makeDialogButtons(*this, QStringLiteral("OK"), QStringLiteral("Close"));
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    // While the code field is shut the focus falls on Close; Enter there
    // must not end the program.
    CancelBtn->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addWidget(WaitLabel);
    layout->addLayout(buttons.row);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));

    countdown_.setInterval(CountdownTickMs);
    connect(&countdown_, &QTimer::timeout, this, &TPasswordDlg::showWait);
}

void TPasswordDlg::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Entrée du caissier"));
    Label1->setText(QStringLiteral("Entrer code de caissier"));
    CancelBtn->setText(QStringLiteral("Fermer"));
}

void TPasswordDlg::holdOff(int seconds)
{
    holdSeconds_ = seconds;
    holdUntil_ = Clock::now().addSecs(seconds);
    showWait();
    if (holdingOff())
        countdown_.start();
}

bool TPasswordDlg::holdingOff() const
{
    return holdSeconds_ > 0 && Clock::now() < holdUntil_;
}

void TPasswordDlg::showWait()
{
    // Whole seconds left, rounded up; never more than the wait itself,
    // should the clock be set back.
    const qint64 ms = holdingOff() ? Clock::now().msecsTo(holdUntil_) : 0;
    const int left = int(qMin<qint64>(holdSeconds_, (ms + 999) / 1000));
    Password->setEnabled(left == 0);
    OKBtn->setEnabled(left == 0);
    WaitLabel->setText(left == 0 ? QString()
                                 : chooseText(QStringLiteral("Wrong code. Next try in %1 s."),
                                              QStringLiteral("Code erroné. Prochain essai dans %1 s."))
                                       .arg(left));
    if (left == 0) {
        countdown_.stop();
        Password->setFocus();
    }
}

void TPasswordDlg::accept()
{
    if (!holdingOff())
        QDialog::accept();
}

void TPasswordDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Password->setFocus();
}
