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

// The keys that move between the controls of a window being filled in:
// Enter and Down move the focus to the next control that is a focus stop,
// Up to the previous one; Tab and Backtab move as usual. The entry field
// being left writes what was typed first; a text it cannot hold is
// refused with a message and the focus stays there. True when the key
// was used (Tab and Backtab only while the field keeps the focus).
bool moveFocusByKey(QWidget &window, QWidget *target, int key, const std::function<bool(QWidget *)> &isStop);
