#include "new_pin_dialog.h"

#include "dialog_buttons.h"
#include "dialogs.h"

#include "common/language.h"
#include "store/sign_in_tables.h"
#include "store/store_error.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

QLineEdit *createPinField(const char *name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    field->setMaxLength(PinSecret::MaximumLength);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    return field;
}

NewPinDialog::NewPinDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);
    Intro = new QLabel(this);
    Intro->setWordWrap(true);
    NewPin = createPinField("NewPin", this);
    Confirmation = createPinField("Confirmation", this);
    NewPinLabel = new QLabel(this);
    ConfirmationLabel = new QLabel(this);
    MustChange = new QCheckBox(this);
    Problem = new QLabel(this);
    Problem->setWordWrap(true);
    const DialogButtons buttons = makeDialogButtons(*this, QStringLiteral("OK"), QString());
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    CancelBtn->setAutoDefault(false);

    auto *fields = new QFormLayout;
    fields->addRow(NewPinLabel, NewPin);
    fields->addRow(ConfirmationLabel, Confirmation);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Intro);
    layout->addLayout(fields);
    layout->addWidget(MustChange);
    layout->addWidget(Problem);
    layout->addLayout(buttons.row);
    setMinimumWidth(360);
    NewPin->installEventFilter(this);
}

bool NewPinDialog::askAndKeep(Database &db, int cashierId, const QString &name, Chooser chooser,
                              const std::optional<PinSecret> &given)
{
    prepare(cashierId, name, chooser);
    given_ = given;
    const bool accepted = dialogs().exec(*this) == QDialog::Accepted;
    const QString pin = NewPin->text();
    clearEntries();
    given_.reset();
    if (!accepted)
        return false;
    try {
        SignInTables::keepSecret(db, cashierId, PinSecret::forPin(pin, MustChange->isChecked()));
    } catch (const StoreError &e) {
        dialogs().message(parentWidget(), chooseText(QStringLiteral("%1\n\nThe PIN was not saved."),
                                                     QStringLiteral("%1\n\nLe NIP n'a pas été enregistré."))
                                              .arg(e.message()));
        return false;
    }
    return true;
}

void NewPinDialog::prepare(int cashierId, const QString &name, Chooser chooser)
{
    cashierId_ = cashierId;
    setWindowTitle(chooseText(QStringLiteral("Choose a PIN"), QStringLiteral("Choisir un NIP")));
    Intro->setText(chooser == Chooser::Self
                       ? chooseText(QStringLiteral("%1, choose your PIN: 4 to 8 digits that only you know. You will "
                                                   "type it after your cashier code at every sign-in."),
                                    QStringLiteral("%1, choisissez votre NIP : 4 à 8 chiffres que vous seul "
                                                   "connaissez. Vous le taperez après votre code de caissier à "
                                                   "chaque entrée."))
                             .arg(name)
                       : chooseText(QStringLiteral("PIN of %1 (cashier %2): 4 to 8 digits."),
                                    QStringLiteral("NIP de %1 (caissier %2) : 4 à 8 chiffres."))
                             .arg(name)
                             .arg(cashierId));
    NewPinLabel->setText(chooseText(QStringLiteral("New PIN"), QStringLiteral("Nouveau NIP")));
    ConfirmationLabel->setText(chooseText(QStringLiteral("Same PIN again"), QStringLiteral("Même NIP encore")));
    MustChange->setText(chooseText(QStringLiteral("The cashier chooses a new PIN at the next sign-in"),
                                   QStringLiteral("Le caissier choisit un nouveau NIP à sa prochaine entrée")));
    MustChange->setVisible(chooser == Chooser::Manager);
    MustChange->setChecked(chooser == Chooser::Manager);
    CancelBtn->setText(chooseText(QStringLiteral("Cancel"), QStringLiteral("Annuler")));
    clearEntries();
    adjustSize();
}

void NewPinDialog::clearEntries()
{
    NewPin->clear();
    Confirmation->clear();
    Problem->clear();
    NewPin->setFocus();
}

void NewPinDialog::accept()
{
    const QString pin = NewPin->text();
    QString problem;
    if (!PinSecret::isValidPin(pin))
        problem = chooseText(QStringLiteral("A PIN has 4 to 8 digits."), QStringLiteral("Un NIP a de 4 à 8 chiffres."));
    else if (Confirmation->text() != pin)
        problem = chooseText(QStringLiteral("The two PINs differ."), QStringLiteral("Les deux NIP diffèrent."));
    else if (pin.toLongLong() == cashierId_)
        problem = chooseText(QStringLiteral("The PIN cannot be the cashier code, which is printed on receipts."),
                             QStringLiteral("Le NIP ne peut pas être le code de caissier, imprimé sur les reçus."));
    else if (given_ && given_->matches(pin))
        problem = chooseText(QStringLiteral("Choose a PIN other than the one you were given."),
                             QStringLiteral("Choisissez un autre NIP que celui qui vous a été donné."));
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    clearEntries();
    Problem->setText(problem);
}

bool NewPinDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the first field goes on to the second, as at sign-in.
    if (watched == NewPin && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Confirmation->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
