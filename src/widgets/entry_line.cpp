#include "entry_line.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

// A key that only types its text into an editable field.
bool typesCharacter(const QLineEdit &edit, const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return !edit.isReadOnly() && key.key() < Qt::Key_Escape
        && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier || modifiers == Qt::KeypadModifier);
}

}

bool EntryLine::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && typesCharacter(*this, *static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void EntryLine::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool plain = typesCharacter(*this, *event) && !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isPrint(); }) && inputMask().isEmpty()
        && !completer() && echoMode() == Normal;
    if (!plain) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    insert(text);
    event->accept();
    // QLineEdit's key release restarts the blinking as its key press does:
    // the caret shows at once at its new place.
    QKeyEvent restart(QEvent::KeyRelease, event->key(), event->modifiers(), text);
    QLineEdit::keyReleaseEvent(&restart);
}
