#include "db_edit.h"

#include "dialogs.h"
#include "field_panel_style.h"

#include "common/language.h"
#include "common/money.h"
#include "store/field_values.h"
#include "store/store_error.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace {

bool isNumberType(FieldType type)
{
    return type == FieldType::Integer || type == FieldType::Float || type == FieldType::Money
        || type == FieldType::AutoIncrement;
}

// Refuses pasted text with characters a number cannot hold; typed
// characters are refused (with a beep) before they get here.
class NumberCharactersValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (QChar ch : input)
            if (!DBEdit::acceptsNumberCharacter(ch))
                return Invalid;
        return Acceptable;
    }
};

// Two decimals, rounded exactly (ties to even), without currency symbol
// or thousands separators: the money value as it is edited.
QString plainMoneyText(double amount)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (!Money::fits(amount)) // damaged data: shown as it is
        return locale.toString(amount, 'f', 2);
    const long double cents = Money::fromDouble(amount).cents();
    return locale.toString(static_cast<double>(cents / 100.0L), 'f', 2);
}

}

DBEdit::DBEdit(QWidget *parent) : EntryLine(parent), link_(this, [this] { tableChanged(); })
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::typed);
    connect(&link_, &FieldLink::updatingRecord, this, &DBEdit::writeBeforePost);
    FieldPanelStyle::applyTo(this); // leaves out the panel painting clipped away below
}

void DBEdit::setDataSource(Table *table, const QString &fieldName)
{
    pending_ = false;
    link_.bind(table, fieldName);
    setValidator(numeric() ? new NumberCharactersValidator(this) : nullptr);
    // A text field takes no more characters than it holds.
    const bool text = link_.bound() && link_.fieldType() == FieldType::Text;
    setMaxLength(text ? link_.field().definition().size : 32767);
}

bool DBEdit::numeric() const
{
    return link_.bound() && isNumberType(link_.fieldType());
}

void DBEdit::setValueRange(double lowest, double highest)
{
    ranged_ = true;
    lowest_ = lowest;
    highest_ = highest;
}

void DBEdit::setValueRule(std::function<QString(double)> rule)
{
    rule_ = std::move(rule);
}

void DBEdit::setValueConfirmation(std::function<bool(double)> confirm)
{
    confirm_ = std::move(confirm);
}

bool DBEdit::acceptsNumberCharacter(QChar ch)
{
    return ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-') || ch == QLatin1Char('E')
        || ch == QLatin1Char('e') || QLocale().decimalPoint() == QString(ch);
}

QString DBEdit::valueText() const
{
    const QVariant value = link_.value();
    if (!value.isNull() && link_.fieldType() == FieldType::Money && hasFocus())
        return plainMoneyText(value.toDouble());
    return link_.displayText();
}

void DBEdit::refresh()
{
    const QString shown = valueText();
    if (text() == shown)
        return;
    // QLineEdit repaints its whole frame for a new text; only the text area
    // inside it changes.
    if (!updatesEnabled()) {
        setText(shown);
        return;
    }
    setAttribute(Qt::WA_UpdatesDisabled);
    setText(shown);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    update(style()->subElementRect(QStyle::SE_LineEditContents, &panel, this));
}

void DBEdit::tableChanged()
{
    if (pending_ && startingEdit_)
        return;
    if (pending_) {
        // The record left edit without our text (cancel, close), or the
        // program wrote the field itself: the record's value wins.
        const bool writtenElsewhere = link_.value() != valueWhenTyped_;
        if (link_.table()->editing() && !writtenElsewhere)
            return;
        pending_ = false;
    }
    refresh();
}

void DBEdit::typed()
{
    if (pending_)
        return;
    pending_ = true;
    startingEdit_ = true;
    const bool editing = link_.startEdit();
    startingEdit_ = false;
    valueWhenTyped_ = link_.value(); // a new record starts with its defaults
    if (editing)
        return;
    // Nothing to edit (no table, or it is closed): the keystroke is refused.
    pending_ = false;
    refresh();
    dialogs().beep();
}

QString DBEdit::invalidValueMessage() const
{
    const QString why = numeric() ? chooseText(QStringLiteral("'%1' is not a valid number"),
                                               QStringLiteral("'%1' n'est pas un nombre valide"))
                                        .arg(text())
                                  : chooseText(QStringLiteral("'%1' is not a valid value"),
                                               QStringLiteral("'%1' n'est pas une valeur valide"))
                                        .arg(text());
    return namedRefusal(why);
}

QString DBEdit::outOfRangeMessage() const
{
    const QLocale locale;
    return namedRefusal(
        chooseText(QStringLiteral("'%1' is not between %2 and %3"), QStringLiteral("'%1' n'est pas entre %2 et %3"))
            .arg(text(), locale.toString(lowest_, 'g', 15), locale.toString(highest_, 'g', 15)));
}

QString DBEdit::namedRefusal(const QString &why) const
{
    // A window with many fields names the one refused (its label).
    return accessibleName().isEmpty() ? why : accessibleName() + QStringLiteral(": ") + why;
}

QVariant DBEdit::typedValue() const
{
    QVariant value;
    try {
        value = FieldValues::canonical(link_.table()->name(), link_.field().definition(), text());
    } catch (const StoreError &) {
        throw StoreError(invalidValueMessage());
    }
    if (value.isNull())
        return value;
    if (ranged_ && !(value.toDouble() >= lowest_ && value.toDouble() <= highest_))
        throw StoreError(outOfRangeMessage());
    if (rule_) {
        const QString refusal = rule_(value.toDouble());
        if (!refusal.isEmpty())
            throw StoreError(namedRefusal(refusal));
    }
    return value;
}

void DBEdit::write(const QVariant &value)
{
    pending_ = false;
    try {
        link_.field().setValue(value);
    } catch (const StoreError &) {
        pending_ = true;
        throw StoreError(invalidValueMessage());
    }
}

void DBEdit::writeBeforePost()
{
    // What is typed stays pending, and the post is refused, while the
    // record cannot hold it.
    if (pending_)
        write(typedValue());
}

bool DBEdit::commit()
{
    if (!pending_)
        return true;
    try {
        const QVariant value = typedValue();
        if (confirm_ && !value.isNull() && !confirm_(value.toDouble())) {
            discardPending();
            selectAll();
            return false;
        }
        write(value);
    } catch (const StoreError &e) {
        dialogs().message(window(), e.message());
        selectAll();
        return false;
    }
    return true;
}

void DBEdit::discardPending()
{
    pending_ = false;
    refresh();
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typedText = event->text();
    const bool printable = !typedText.isEmpty() && typedText.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable && numeric() && !isReadOnly()) {
        for (QChar ch : typedText) {
            if (!acceptsNumberCharacter(ch)) {
                dialogs().beep();
                event->accept();
                return;
            }
        }
    }
    EntryLine::keyPressEvent(event);
}

void DBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!pending_)
        refresh(); // money shows without its currency symbol while edited
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return; // a dialog or a menu on top: the field is not left
    if (!commit())
        discardPending();
    else
        refresh();
    deselect(); // a selection left behind would look like the focus
}

void DBEdit::paintEvent(QPaintEvent *event)
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    {
        QPainter painter(this);
        // The copy is the panel, pixel for pixel, only painted unscaled.
        const QTransform toDevice = painter.deviceTransform();
        const bool copyable = LineEditPanels::enabled() && devicePixelRatioF() == 1.0 && painter.opacity() == 1.0
            && toDevice.type() <= QTransform::TxTranslate && toDevice.dx() == int(toDevice.dx())
            && toDevice.dy() == int(toDevice.dy());
        if (copyable) {
            painter.drawPixmap(option.rect.topLeft(), panels_.panel(option, [&](QPainter &panel) {
                QLineEdit::initPainter(&panel); // as QLineEdit's own painter starts
                style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &panel, this);
            }));
            panelPainted_ = true;
        }
    }
    QLineEdit::paintEvent(event);
    panelPainted_ = false;
}

void DBEdit::initPainter(QPainter *painter) const
{
    QLineEdit::initPainter(painter);
    // QLineEdit paints its panel first, then clips to its text: nothing is
    // painted until then, the panel being there already.
    if (panelPainted_) {
        painter->setClipRect(QRect());
        panelPainted_ = false;
    }
}

void DBEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::FontChange)
        panels_.clear();
    QLineEdit::changeEvent(event);
}
