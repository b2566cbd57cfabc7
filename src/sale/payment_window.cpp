#include "payment_window.h"

#include "common/formats.h"
#include "common/language.h"
#include "sale_engine/transaction_totals.h"
#include "store/data_module.h"
#include "widgets/db_edit.h"
#include "widgets/db_text.h"
#include "widgets/dialogs.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The quick-tender amounts of F2, F3 and F4.
const Money QuickTenderAmounts[3] = {Money::fromCents(2000), Money::fromCents(1000), Money::fromCents(500)};

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}

TForm8::TForm8(TDataModule2 &dm, QWidget *parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Payment"));
    buildLayout();
}

DBEdit *TForm8::amountField(const QString &fieldName)
{
    auto *field = new DBEdit(this);
    field->setObjectName(fieldName);
    field->setDataSource(&dm_.tmpmaster, fieldName);
    field->setAlignment(Qt::AlignRight);
    field->setValueRange(-AmountLimit, AmountLimit);
    field->installEventFilter(this);
    return field;
}

void TForm8::addNamedRow(QGridLayout *rows, int row, const QString &nameField, const QString &amountFieldName,
                         DBText *&name, DBEdit *&field)
{
    name = new DBText(this);
    name->setDataSource(&dm_.Control, nameField);
    field = amountField(amountFieldName);
    rows->addWidget(name, row, 0);
    rows->addWidget(field, row, 1);
    namedRows_.append({nameField, name, field});
}

void TForm8::buildLayout()
{
    TotalCaption = new QLabel(QStringLiteral("Total"), this);
    AmountLabel = new QLabel(this);
    AmountLabel->setObjectName(QStringLiteral("AmountLabel"));
    QFont large = AmountLabel->font();
    large.setBold(true);
    if (large.pointSize() > 0)
        large.setPointSize(large.pointSize() * 2);
    AmountLabel->setFont(large);
    AmountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *rows = new QGridLayout;
    rows->addWidget(TotalCaption, 0, 0);
    rows->addWidget(AmountLabel, 0, 1, 1, 2);

    int row = 1;
    for (int n = 0; n < PaymentCount; ++n, ++row) {
        addNamedRow(rows, row, numbered("Ctrl_pmt", n + 1), numbered("Trxh_pmt", n + 1), PaymentNames[n],
                    PaymentFields[n]);
        if (n < 4) {
            QuickTenderKeys[n] = new QPushButton(QStringLiteral("F%1").arg(n + 2), this);
            QuickTenderKeys[n]->setFocusPolicy(Qt::NoFocus);
            QuickTenderKeys[n]->setAutoDefault(false);
            rows->addWidget(QuickTenderKeys[n], row, 2);
        }
    }
    ForeignCurrencyCaption = new QLabel(QStringLiteral("Foreign Currency"), this);
    ForeignCurrencyField = amountField(QStringLiteral("Trxh_fc1"));
    rows->addWidget(ForeignCurrencyCaption, row, 0);
    rows->addWidget(ForeignCurrencyField, row, 1);
    ++row;
    for (int n = 0; n < CouponCount; ++n, ++row)
        addNamedRow(rows, row, numbered("Ctrl_cpn", n + 1), numbered("Trxh_cpn", n + 1), CouponNames[n],
                    CouponFields[n]);

    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setAutoDefault(false);
    OkButton->installEventFilter(this);
    connect(OkButton, &QPushButton::clicked, this, &TForm8::OkClick);
    // Cancel never takes the focus, so clicking it leaves no field (which
    // could close the window with OK instead).
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    CancelButton->setFocusPolicy(Qt::NoFocus);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addLayout(buttons);

    const QList<QWidget *> order = keyboardOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm8::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Paiement"));
    ForeignCurrencyCaption->setText(QStringLiteral("Devise étrangère"));
    CancelButton->setText(QStringLiteral("Annuler"));
}

void TForm8::setAmountText(const QString &text)
{
    AmountLabel->setText(text);
}

QString TForm8::amountText() const
{
    return AmountLabel->text();
}

void TForm8::showNamedRowsOnly()
{
    for (const NamedRow &row : namedRows_) {
        const bool shown = !dm_.Control.field(row.nameField).asString().isEmpty();
        row.name->setVisible(shown);
        row.field->setVisible(shown);
    }
    adjustSize();
}

// ---- keyboard -------------------------------------------------------------------

QList<DBEdit *> TForm8::amountFields() const
{
    QList<DBEdit *> fields(std::begin(PaymentFields), std::end(PaymentFields));
    fields.append(ForeignCurrencyField);
    fields.append(QList<DBEdit *>(std::begin(CouponFields), std::end(CouponFields)));
    return fields;
}

QList<QWidget *> TForm8::keyboardOrder() const
{
    QList<QWidget *> order;
    for (DBEdit *field : amountFields())
        order.append(field);
    order.append(OkButton);
    return order;
}

DBEdit *TForm8::firstField() const
{
    for (DBEdit *field : amountFields())
        if (!field->isHidden())
            return field;
    return ForeignCurrencyField;
}

void TForm8::moveFocus(QObject *from, bool forward)
{
    QList<QWidget *> order = keyboardOrder();
    order.removeIf([](QWidget *w) { return w->isHidden(); });
    const qsizetype count = order.size();
    const qsizetype at = order.indexOf(static_cast<QWidget *>(from));
    const qsizetype next = at < 0 ? 0 : ((at + (forward ? 1 : -1)) % count + count) % count;
    order[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool TForm8::handleKey(QObject *target, int key)
{
    switch (key) {
    case Qt::Key_Escape: reject(); return true;
    case Qt::Key_F2: quickTender(QuickTenderAmounts[0]); return true;
    case Qt::Key_F3: quickTender(QuickTenderAmounts[1]); return true;
    case Qt::Key_F4: quickTender(QuickTenderAmounts[2]); return true;
    case Qt::Key_F5: addBalanceToCashModes(); return true;
    case Qt::Key_Down: moveFocus(target, true); return true;
    case Qt::Key_Up: moveFocus(target, false); return true;
    default: break;
    }
    if (!isEnter(key))
        return false;
    if (auto *button = qobject_cast<QPushButton *>(target))
        button->click();
    else
        moveFocus(target, true);
    return true;
}

bool TForm8::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent *>(event)->key()))
        return true;
    if (event->type() == QEvent::FocusIn && watched != OkButton
        && static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason) {
        // A field clicked into is typed over, like one reached with the keys
        // (once the click has placed the cursor).
        auto *field = static_cast<DBEdit *>(watched);
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    if (event->type() == QEvent::FocusOut && watched != OkButton) {
        // A dialog or a menu on top does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !closed_) {
            auto *field = static_cast<DBEdit *>(watched);
            if (field->commit())
                FieldLeft();
            else
                field->discardPending();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm8::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(focusWidget(), event->key()))
        QDialog::keyPressEvent(event);
}

void TForm8::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    closed_ = false;
    firstField()->setFocus(Qt::OtherFocusReason);
}

// ---- the rules of the window ----------------------------------------------------------

void TForm8::postWorkHeader()
{
    if (dm_.tmpmaster.editing())
        dm_.tmpmaster.post();
}

void TForm8::keepTypedAmounts()
{
    for (DBEdit *field : amountFields())
        if (!field->commit())
            field->discardPending();
    postWorkHeader();
}

void TForm8::quickTender(Money amount)
{
    // A refund or a sale of nothing takes no fixed amount.
    if (workSaleFigures(dm_).grandTotal > 0)
        addToCashModes(amount);
}

void TForm8::addBalanceToCashModes()
{
    keepTypedAmounts();
    addToCashModes(workSaleFigures(dm_).balance());
}

void TForm8::addToCashModes(Money amount)
{
    keepTypedAmounts();
    if (!::addToCashModes(dm_, amount)) {
        dialogs().message(this, chooseText(QStringLiteral("A tender cannot pass %1."),
                                           QStringLiteral("Un paiement ne peut pas dépasser %1."))
                                    .arg(currencyText(AmountLimit)));
        return;
    }
    FieldLeft();
}

void TForm8::FieldLeft()
{
    if (closed_)
        return;
    postWorkHeader();
    const Money balance = workSaleFigures(dm_).balance();
    AmountLabel->setText(currencyText(balance.toDouble()));
    if (balance <= Money())
        OkClick();
}

void TForm8::OkClick()
{
    if (closed_)
        return;
    keepTypedAmounts();
    const SaleFigures tenders = workSaleFigures(dm_);
    if (tenders.remainder() > Money()) {
        dialogs().message(this, chooseText(QStringLiteral("Not completely paid"),
                                           QStringLiteral("Pas complètement payé")));
        firstField()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (tenders.grandTotal < 0)
        turnTendersOut(dm_);
    accept();
}

void TForm8::done(int result)
{
    if (closed_)
        return;
    if (result != QDialog::Accepted)
        keepTypedAmounts(); // the amounts stay for the next Total of this sale
    closed_ = true;
    QDialog::done(result);
}
