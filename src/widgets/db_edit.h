#pragma once

#include "entry_line.h"
#include "field_link.h"
#include "line_edit_panels.h"

#include <functional>

// An entry field bound to a field of a table's current record.
//
// It shows the field's value (money with the currency symbol, or with two
// plain decimals while it has the focus; other numbers in general format).
// Typing puts the record into edit (on a table without records this starts
// a new one); what was typed is written to the field when the control loses
// the focus, when commit() is called, or when the table posts or leaves the
// record. A value written to the field by the program replaces what was
// typed, so the field always shows what the record holds.
//
// Fields of number types accept only digits, "+", "-", "E", "e" and the
// regional decimal separator; any other printable character is refused
// with a beep. A range or a rule of the window may bound the number typed,
// and a number out of the ordinary may have to be confirmed. Text fields
// take at most the characters they hold. A text the field cannot hold is
// refused with a message that begins with the field's accessible name,
// when it has one.
class DBEdit : public EntryLine {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(Table *table, const QString &fieldName);
    Table *table() const { return link_.table(); }
    const QString &fieldName() const { return link_.fieldName(); }

    bool numeric() const;
    bool hasPendingText() const { return pending_; }

    // A number typed outside lowest..highest is refused like text that is
    // not a number, with a message naming the range.
    void setValueRange(double lowest, double highest);
    // A rule for the numbers typed: why a number is refused (the message
    // after the field's name), or nothing for a number that is taken.
    // Checked after the range.
    void setValueRule(std::function<QString(double value)> rule);
    // Asked, when the field is left or commit() is called, about a number
    // that keeps the range and the rule: false drops what was typed (the
    // field shows the record's value again and keeps the focus). A post of
    // the record does not ask.
    void setValueConfirmation(std::function<bool(double value)> confirm);

    // Writes what was typed into the field. A text the field cannot hold
    // is refused with a message and kept for correction, and a number not
    // confirmed is dropped: returns false.
    bool commit();
    // Forgets what was typed and shows the field's value again.
    void discardPending();
    // Shows the field's value (unless something typed is pending).
    void refresh();

    // The characters a number field accepts.
    static bool acceptsNumberCharacter(QChar ch);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void initPainter(QPainter *painter) const override;
    void changeEvent(QEvent *event) override;

private:
    void tableChanged();
    void typed();
    void writeBeforePost();
    // The value of what was typed; raises StoreError with the refusal.
    QVariant typedValue() const;
    void write(const QVariant &value);
    QString valueText() const;
    QString invalidValueMessage() const;
    QString outOfRangeMessage() const;
    QString namedRefusal(const QString &why) const;

    FieldLink link_;
    bool pending_ = false;
    bool startingEdit_ = false;
    QVariant valueWhenTyped_;
    bool ranged_ = false;
    double lowest_ = 0;
    double highest_ = 0;
    std::function<QString(double)> rule_;
    std::function<bool(double)> confirm_;
    LineEditPanels panels_;
    mutable bool panelPainted_ = false; // QLineEdit's own painting of it is clipped away
};
