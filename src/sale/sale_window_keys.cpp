// The key map of the sale window: the function keys, and Enter, Tab, Up
// and Down in each entry field. The window sees every key first; the Tab
// key never does the usual move to the next control here.
#include "sale_window.h"

#include "widgets/db_edit.h"
#include "widgets/db_grid.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
bool isTab(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab; }

}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        focusEntered(watched, static_cast<QFocusEvent *>(event)->reason());
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    const int key = static_cast<QKeyEvent *>(event)->key();
    if (FormKeyDown(watched, key))
        return true;
    if (watched == DBEdit1)
        return DBEdit1KeyDown(key);
    if (watched == DBEdit3)
        return DBEdit3KeyDown(key);
    if (watched == DBEdit4)
        return DBEdit4KeyDown(key);
    if (watched == DBEdit5)
        return DBEdit5KeyDown(key);
    return OtherControlKeyDown(watched, key);
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Keys reach the window itself only while none of its fields has the focus.
    if (!FormKeyDown(this, event->key()))
        QWidget::keyPressEvent(event);
}

bool TForm1::FormKeyDown(QObject *target, int key)
{
    switch (key) {
    case Qt::Key_F2:
        // A number typed and not yet left is taken first, with its checks
        // (a quantity above 999 asked about), as if the field were left.
        if (target == DBEdit3 || target == DBEdit4 || target == DBEdit5) {
            if (!static_cast<DBEdit *>(target)->commit())
                break;
        }
        BitBtn1Click();
        break;
    case Qt::Key_F3: CancelTransaction(); break;
    case Qt::Key_F4: VoidTransaction(); break;
    case Qt::Key_F5: VoidItem(); break;
    case Qt::Key_F6: ClearLine(); break;
    case Qt::Key_F7: BitBtn7Click(); break;
    case Qt::Key_F8: StartReceiving(); break;
    case Qt::Key_F9:
        if (target == DBEdit1)
            LookupProduct(true);
        break;
    case Qt::Key_F11: BitBtn6Click(); break;
    case Qt::Key_F12: BitBtn5Click(); break;
    default:
        return false;
    }
    return true; // the field the key then reaches does nothing with it
}

// UPC: Enter and Tab process the code; Up and Down do nothing.
bool TForm1::DBEdit1KeyDown(int key)
{
    if (isEnter(key) || isTab(key)) {
        ProcessCode();
        return true;
    }
    return key == Qt::Key_Up || key == Qt::Key_Down;
}

// Quantity: Enter and Tab go to the discount, Up to the UPC; then a
// voided or returned line gets a negative quantity.
bool TForm1::DBEdit3KeyDown(int key)
{
    if (isEnter(key) || isTab(key) || key == Qt::Key_Up) {
        if (moveFocus(DBEdit3, key != Qt::Key_Up))
            entry_.applySignRule();
        return true;
    }
    return key == Qt::Key_Down;
}

// Discount: Enter, Tab and Down go to the unit price, Up to the quantity.
bool TForm1::DBEdit4KeyDown(int key)
{
    if (isEnter(key) || isTab(key) || key == Qt::Key_Down || key == Qt::Key_Up) {
        moveFocus(DBEdit4, key != Qt::Key_Up);
        return true;
    }
    return false;
}

// Unit price: Enter and Tab price the line; Up goes to the discount.
bool TForm1::DBEdit5KeyDown(int key)
{
    if (isEnter(key) || isTab(key)) {
        if (DBEdit5->commit())
            PriceLine();
        return true;
    }
    if (key == Qt::Key_Up) {
        moveFocus(DBEdit5, false);
        return true;
    }
    return key == Qt::Key_Down;
}

// The description field and the grid: Enter and Down go to the next entry
// field, Up to the previous one. Tab does nothing in the description; the
// grid uses it to move between its columns.
bool TForm1::OtherControlKeyDown(QObject *control, int key)
{
    if (isEnter(key) || key == Qt::Key_Down || key == Qt::Key_Up) {
        moveFocus(control, key != Qt::Key_Up);
        return true;
    }
    if (isTab(key))
        return control != DBGrid1;
    return false;
}

QWidget *TForm1::nextEntryField(QObject *from, bool forward) const
{
    // The controls in tab order; only the four entry fields are stops.
    const QList<QObject *> order{DBGrid1, DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5};
    const QList<QWidget *> stops{DBEdit1, DBEdit3, DBEdit4, DBEdit5};
    const qsizetype count = order.size();
    const qsizetype start = order.indexOf(from);
    for (qsizetype step = 1; step <= count; ++step) {
        QObject *candidate = order[((start + (forward ? step : -step)) % count + count) % count];
        if (auto *field = qobject_cast<QWidget *>(candidate); stops.contains(field))
            return field;
    }
    return DBEdit1;
}

bool TForm1::moveFocus(QObject *from, bool forward)
{
    // What was typed is written before the field is left; a text the field
    // cannot hold keeps the focus where it is.
    if (auto *edit = qobject_cast<DBEdit *>(from); edit && !edit->commit())
        return false;
    SetFocusTo(nextEntryField(from, forward));
    return true;
}
