#pragma once

class QEvent;
class QLineEdit;

// Before each key press, Qt asks the focused line edit whether it takes
// the key over the window's shortcuts, and QLineEdit answers by matching
// the key against every standard editing shortcut. For a character key (a
// code below Escape) with no modifier, or with Shift or the keypad's
// alone, an editable line edit always answers yes. This gives that answer
// at once: true when it accepted the event, which the caller then
// consumes. The key press itself still goes through QLineEdit.
bool acceptTypedCharacter(const QLineEdit &edit, QEvent *event);
