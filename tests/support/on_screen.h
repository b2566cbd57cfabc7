#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>

// What a shown widget looks like on screen now: its part of its window's
// backing store, as the last repaints left it.
inline QImage onScreen(QWidget &widget)
{
    QWidget *window = widget.window();
    const QPoint at = widget.mapTo(window, QPoint());
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget.width(), widget.height())
        .toImage();
}

// The same once the widget is painted again whole: a repaint of part of it
// must leave what this shows.
inline QImage repaintedWhole(QWidget &widget)
{
    widget.repaint();
    return onScreen(widget);
}
