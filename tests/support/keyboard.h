#pragma once

#include <QApplication>
#include <QWidget>
#include <QtTest>

// Keys as the user types them: to the control that has the focus (or the
// active window when none has).
inline QWidget *keyTarget()
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused : QApplication::activeWindow();
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

inline void type(const QString &text)
{
    QTest::keyClicks(keyTarget(), text);
}

inline QString focusedName()
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

// Presses Enter until the control named `name` has the focus (at most
// `presses` times): the way through a window's fields.
inline void enterUntil(const QString &name, int presses = 60)
{
    for (int i = 0; i < presses && focusedName() != name; ++i)
        press(Qt::Key_Return);
    QCOMPARE(focusedName(), name);
}
