#pragma once

#include "store/table.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

// The record navigator bar: first, prior, next, last, insert, delete, edit,
// post and cancel on one table. Delete asks for confirmation. After each
// action the bar emits clicked() with the button, so the window can react
// (enable its fields, move the focus).
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };
    Q_ENUM(Button)
    static constexpr int ButtonCount = Cancel + 1;

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *table() const { return table_; }

    // Runs a button's action as a click would, keys included.
    void BtnClick(Button button);

    QToolButton *button(Button button) const { return buttons_[button]; }

signals:
    void clicked(DBNavigator::Button button);

private:
    void act(Button button);
    void updateButtons();

    QPointer<Table> table_;
    QMetaObject::Connection changed_;
    QToolButton *buttons_[ButtonCount] = {};
};
