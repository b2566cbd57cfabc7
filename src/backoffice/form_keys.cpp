#include "form_keys.h"

#include "widgets/db_edit.h"

#include <QComboBox>
#include <QWidget>

namespace {

bool reachableByTab(QWidget *control, QWidget &window)
{
    return window.isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus) && control->isEnabled()
        && control->isVisibleTo(&window);
}

// False when `control` is an entry field whose typed text cannot be
// written (refused with a message): the field must not be left yet.
bool mayLeave(QWidget *control)
{
    auto *edit = qobject_cast<DBEdit *>(control);
    return !edit || edit->commit();
}

// Moves the focus forward or back in tab order, repeating the move until
// the focused control is a focus stop.
void moveToFocusStop(QWidget &window, QWidget *from, bool forward, const std::function<bool(QWidget *)> &isStop)
{
    if (!mayLeave(from))
        return;
    // The chain is a ring through the window and every control in it.
    QWidget *start = from ? from : &window;
    QWidget *candidate = start;
    for (qsizetype left = window.findChildren<QWidget *>().size() + 1; left > 0; --left) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == start)
            return;
        if (reachableByTab(candidate, window) && isStop(candidate)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}

bool insideDropDown(const QWidget *control, const QWidget &window)
{
    for (const QWidget *w = control->parentWidget(); w && w != &window; w = w->parentWidget())
        if (qobject_cast<const QComboBox *>(w))
            return true;
    return false;
}

void previewKeys(QWidget &window)
{
    for (QWidget *control : window.findChildren<QWidget *>())
        if (!insideDropDown(control, window))
            control->installEventFilter(&window);
}

bool moveFocusByKey(QWidget &window, QWidget *target, int key, const std::function<bool(QWidget *)> &isStop)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down: moveToFocusStop(window, target, true, isStop); return true;
    case Qt::Key_Up: moveToFocusStop(window, target, false, isStop); return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return !mayLeave(target);
    default: return false;
    }
}
