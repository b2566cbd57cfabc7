#include "password_dialog.h"

#include "sign_in_wait.h"

#include "common/clock.h"
#include "common/language.h"
#include "widgets/dialog_buttons.h"
#include "widgets/new_pin_dialog.h"

#include <QKeyEvent>
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
    PinLabel = new QLabel(this);
    Pin = createPinField("Pin", this);
    PinLabel->hide();
    Pin->hide();
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
    layout->addWidget(PinLabel);
    layout->addWidget(Pin);
    layout->addWidget(WaitLabel);
    layout->addLayout(buttons.row);
    fitSize();
    Password->installEventFilter(this);

    countdown_.setInterval(CountdownTickMs);
    connect(&countdown_, &QTimer::timeout, this, &TPasswordDlg::showWait);
}

void TPasswordDlg::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Entrée du caissier"));
    Label1->setText(QStringLiteral("Entrer code de caissier"));
    CancelBtn->setText(QStringLiteral("Fermer"));
}

void TPasswordDlg::fitSize()
{
    layout()->activate();
    int width = 280;
    if (secretCodes_) { // the longest refusal fits on its line
        const QMargins margins = layout()->contentsMargins();
        width = qMax(width, WaitLabel->fontMetrics().horizontalAdvance(waitText(SignInWait::MaxWaitSeconds))
                                + margins.left() + margins.right());
    }
    setFixedSize(sizeHint().expandedTo(QSize(width, 0)));
}

void TPasswordDlg::setSecretCodes(bool required)
{
    secretCodes_ = required;
    PinLabel->setText(chooseText(QStringLiteral("Enter PIN"), QStringLiteral("Entrer NIP")));
    PinLabel->setVisible(required);
    Pin->setVisible(required);
    fitSize();
}

QString TPasswordDlg::waitText(int seconds) const
{
    if (!secretCodes_)
        return chooseText(QStringLiteral("Wrong code. Next try in %1 s."),
                          QStringLiteral("Code erroné. Prochain essai dans %1 s."))
            .arg(seconds);
    return chooseText(QStringLiteral("Wrong code or PIN. Next try in %1 s."),
                      QStringLiteral("Code ou NIP erroné. Prochain essai dans %1 s."))
        .arg(seconds);
}

void TPasswordDlg::holdOff(int seconds, const QDateTime &from)
{
    holdSeconds_ = seconds;
    holdUntil_ = from.addSecs(seconds);
    showWait();
    if (holdingOff())
        countdown_.start();
}

bool TPasswordDlg::holdingOff() const
{
    return holdSeconds_ > 0 && Clock::now() < holdUntil_;
}

void TPasswordDlg::setRefused(bool refused)
{
    refused_ = refused;
    showWait();
}

void TPasswordDlg::showWait()
{
    // Whole seconds left, rounded up; never more than the wait itself,
    // should the clock be set back.
    const qint64 ms = holdingOff() ? Clock::now().msecsTo(holdUntil_) : 0;
    const int left = int(qMin<qint64>(holdSeconds_, (ms + 999) / 1000));
    Password->setEnabled(left == 0);
    Pin->setEnabled(left == 0);
    OKBtn->setEnabled(left == 0);
    if (left > 0)
        WaitLabel->setText(waitText(left));
    else if (secretCodes_ && refused_)
        WaitLabel->setText(chooseText(QStringLiteral("Wrong code or PIN."), QStringLiteral("Code ou NIP erroné.")));
    else
        WaitLabel->clear();
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

bool TPasswordDlg::eventFilter(QObject *watched, QEvent *event)
{
    // With a PIN to come, Enter in the code field moves on to it.
    if (watched == Password && secretCodes_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Pin->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
