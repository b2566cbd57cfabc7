#pragma once

#include <QLineEdit>

// A line edit that takes a typed character at once. For a character key
// (a code below Escape) with no modifier, or with Shift or the keypad's
// alone, QLineEdit always ends where this goes straight to, but only after
// matching the key against every standard editing shortcut twice: once when
// Qt asks whether the key goes to the field before the window's shortcuts
// (it always does), and again before inserting its text. That matching is
// a quarter of what typing a character costs.
//
// The character is inserted as QLineEdit's key press inserts it (the same
// insert, with the undo step and textEdited), and the caret's blinking
// restarts as after a key press. Any other key, and a field with an input
// mask, a completer or hidden text, go through QLineEdit.
class EntryLine : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
