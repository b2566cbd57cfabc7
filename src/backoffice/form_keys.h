#pragma once

#include <functional>

class QWidget;

// Keyboard handling shared by the back-office windows, which are worked
// from the keyboard alone.

// True for the parts a drop-down of the window is made of (its list).
bool insideDropDown(const QWidget *control, const QWidget &window);

// The window sees the key presses of its controls before they do: it is
// made the event filter of every control it holds (the list inside a
// drop-down excepted). Call once the controls exist.
void previewKeys(QWidget &window);

// Moves the focus forward or back in tab order, repeating the move until
// the focused control is a focus stop. The entry field being left writes
// what was typed first; a text it cannot hold is refused with a message
// and the focus stays there (false).
bool moveToFocusStop(QWidget &window, QWidget *from, bool forward, const std::function<bool(QWidget *)> &isStop);

// False when `control` is an entry field whose typed text cannot be
// written (refused with a message): the field must not be left yet.
bool mayLeave(QWidget *control);
