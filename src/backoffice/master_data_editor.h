#pragma once

#include "widgets/db_navigator.h"

#include <QDialog>

class DBEdit;
class QGridLayout;
class QPushButton;
class Table;

// What the cashier, product and department editors share: entry fields
// bound to the current record of one table, the record navigator, a
// "Close" button with the window's checks, and a key map that works the
// whole window without a mouse. The entry fields are enabled exactly while
// a record is inserted or edited.
//
// Keys, seen by the window before its controls:
//  - inserting or editing: F10 posts, F3 cancels (through the navigator);
//  - browsing: Up and Page Up go to the prior record, Down and Page Down to
//    the next, Home to the first, End to the last; Insert, Delete and F2
//    press the insert, delete and edit buttons;
//  - still inserting or editing: Enter and Down move the focus forward, Up
//    back, to the next control that is one of the window's focus stops.
//
// Closing, by "Close" or by the window's close box, first writes a record
// left in insert or edit (when something was typed into it) and then runs
// the window's checks: a failed check keeps the window open with its
// message, so no way out of the cashier editor leaves the shop without a
// manager.
class MasterDataEditor : public QDialog {
    Q_OBJECT
public:
    MasterDataEditor(Table &table, QWidget *parent);

    Table &table() const { return table_; }

    // Enables or disables every data-entry control of the window; buttons,
    // labels and the navigator are left alone.
    void Set_Fields_State(bool enabled);
    // Each visit starts on the first record with the fields disabled: the
    // menu entry closed the table before showing the window.
    void FormActivate();
    // The reaction to a navigator button, after its action.
    virtual void DBNavigator1Click(DBNavigator::Button button);
    // True when the key was used.
    virtual bool FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers);
    // "Close": closes the window when its checks pass.
    void Button1Click();

    DBNavigator *DBNavigator1;
    QPushButton *Button1; // "Close"

protected:
    // An entry field named `name`, bound to a field of the window's table.
    DBEdit *boundEdit(const char *name, const char *field, int width);
    // Lays the fields out above the navigator and the Close button; called
    // by each window once its fields exist.
    void finishLayout(QGridLayout *fields);
    // The controls Enter, Down and Up stop on while a record is edited.
    virtual bool isFocusStop(QWidget *control) const = 0;
    // The window's close check: the message that keeps it open, or nothing.
    virtual QString closeRefusal() = 0;
    // Puts the focus in the first focus stop, in tab order.
    void focusFirstField();
    // Presses a navigator button; a refused post shows the table's message
    // and leaves the record in insert or edit.
    void press(DBNavigator::Button button);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mayClose();

    Table &table_;
};
