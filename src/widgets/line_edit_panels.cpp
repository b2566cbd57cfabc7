#include "line_edit_panels.h"

#include <QPainter>

namespace {

bool panelsEnabled = true;

// All the option says that a style's panel of a line edit can depend on.
bool sameLook(const QStyleOptionFrame &a, const QStyleOptionFrame &b)
{
    return a.rect == b.rect && a.state == b.state && a.direction == b.direction && a.lineWidth == b.lineWidth
        && a.midLineWidth == b.midLineWidth && a.features == b.features && a.frameShape == b.frameShape
        && a.palette == b.palette;
}

}

const QPixmap &LineEditPanels::panel(const QStyleOptionFrame &option, const std::function<void(QPainter &)> &paint)
{
    for (const Look &look : std::as_const(looks_))
        if (sameLook(look.option, option))
            return look.pixmap;
    if (looks_.size() >= MaxLooks)
        looks_.clear();
    QPixmap pixmap(option.rect.size());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.translate(-option.rect.topLeft());
    paint(painter);
    painter.end();
    looks_.append({option, pixmap});
    return looks_.last().pixmap;
}

void LineEditPanels::setEnabled(bool on)
{
    panelsEnabled = on;
}

bool LineEditPanels::enabled()
{
    return panelsEnabled;
}
