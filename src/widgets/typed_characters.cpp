#include "typed_characters.h"

#include <QKeyEvent>
#include <QLineEdit>

bool acceptTypedCharacter(const QLineEdit &edit, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || edit.isReadOnly())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (key->key() >= Qt::Key_Escape
        || !(modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier || modifiers == Qt::KeypadModifier))
        return false;
    event->accept();
    return true;
}
