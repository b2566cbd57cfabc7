#include "deferred_refresh.h"

#include <QEvent>
#include <QWidget>

DeferredRefresh::DeferredRefresh(QWidget *control, std::function<void()> refresh)
    : QObject(control), control_(control), refresh_(std::move(refresh))
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &DeferredRefresh::refreshNow);
    control->installEventFilter(this);
}

void DeferredRefresh::request()
{
    stale_ = true;
    if (control_->isVisible())
        timer_.start();
}

void DeferredRefresh::refreshNow()
{
    timer_.stop();
    stale_ = false;
    refresh_();
}

bool DeferredRefresh::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == control_ && event->type() == QEvent::Show && stale_)
        refreshNow();
    return QObject::eventFilter(watched, event);
}
