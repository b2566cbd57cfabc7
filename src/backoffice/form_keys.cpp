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

bool mayLeave(QWidget *control)
{
    auto *edit = qobject_cast<DBEdit *>(control);
    return !edit || edit->commit();
}

bool moveToFocusStop(QWidget &window, QWidget *from, bool forward, const std::function<bool(QWidget *)> &isStop)
{
    if (!mayLeave(from))
        return false;
    // The chain is a ring through the window and every control in it.
    QWidget *start = from ? from : &window;
    QWidget *candidate = start;
    for (qsizetype left = window.findChildren<QWidget *>().size() + 1; left > 0; --left) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == start)
            break;
        if (reachableByTab(candidate, window) && isStop(candidate)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}
