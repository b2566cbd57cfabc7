#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// Opens a menu of the menu bar by mouse and clicks one of its entries, as
// the user does.
inline void clickMenuEntry(QMenuBar *bar, QMenu *menu, QAction *entry)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}
