#include "steady_scroll_bar.h"

#include <QPaintEvent>
#include <QStyleOptionSlider>

void SteadyScrollBar::release()
{
    held_ = false;
    if (const std::optional<SliderChange> change = std::exchange(heldChange_, std::nullopt))
        sliderChange(*change);
}

void SteadyScrollBar::sliderChange(SliderChange change)
{
    if (change == SliderOrientationChange) {
        QScrollBar::sliderChange(change);
    } else if (held_) {
        heldChange_ = change;
    } else if (!looksPainted()) { // else it would paint what it shows
        QScrollBar::sliderChange(change);
    }
}

void SteadyScrollBar::paintEvent(QPaintEvent *event)
{
    // A part painted alone says nothing of the rest.
    if (event->region().contains(rect()))
        painted_ = look();
    else
        painted_.reset();
    QScrollBar::paintEvent(event);
}

SteadyScrollBar::Look SteadyScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look look;
    look.rect = option.rect;
    look.slider = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    look.state = int(option.state);
    look.activeControls = int(option.activeSubControls);
    look.palette = option.palette.cacheKey();
    look.atMinimum = option.sliderPosition == option.minimum;
    look.atMaximum = option.sliderPosition == option.maximum;
    return look;
}
