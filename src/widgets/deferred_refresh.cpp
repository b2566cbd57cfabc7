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
    // Taken before the read: a change between the two is read now, and
    // read again at the next showing.
    if (stamp_)
        readAt_ = stamp_();
    refresh_();
}

bool DeferredRefresh::changedUnseen()
{
    return stamp_ && !(stamp_() == readAt_);
}

bool DeferredRefresh::eventFilter(QObject *watched, QEvent *event)
{
    // Another program may change the table while the control is hidden (a
    // lane taking in the store's changes): shown again, it reads anew, or
    // with a stamp when the data changed.
    if (watched == control_ && event->type() == QEvent::Hide && !stamp_)
        stale_ = true;
    if (watched == control_ && event->type() == QEvent::Show && (stale_ || changedUnseen()))
        refreshNow();
    return QObject::eventFilter(watched, event);
}
