#include "field_panel_style.h"

#include <QApplication>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <cmath>

namespace {

constexpr int LooksKept = 4;

// True when the painter puts each pixel drawn through it on one pixel of
// an image, as a widget's own painter does at a device pixel ratio of 1.
bool paintsPixelForPixel(QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || !engine->paintDevice() || engine->paintDevice()->devType() != QInternal::Image)
        return false;
    const QTransform toDevice = painter.deviceTransform();
    return toDevice.type() <= QTransform::TxTranslate && toDevice.dx() == std::round(toDevice.dx())
        && toDevice.dy() == std::round(toDevice.dy()) && painter.opacity() == 1.0
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver && !painter.hasClipping();
}

}

FieldPanelStyle::FieldPanelStyle(QStyle *base) : QProxyStyle(base) {}

void FieldPanelStyle::applyTo(QLineEdit *field)
{
    static QPointer<FieldPanelStyle> shared;
    if (!shared) {
        // A style of its own to draw with: a proxy takes over its base.
        QStyle *base = QStyleFactory::create(QApplication::style()->name());
        if (!base)
            return;
        shared = new FieldPanelStyle(base);
        shared->setParent(qApp);
    }
    field->setStyle(shared);
    field->installEventFilter(shared);
    QObject::connect(field, &QObject::destroyed, shared,
                     [style = shared.data(), field] { style->pictures_.remove(field); });
}

bool FieldPanelStyle::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        painting_ = static_cast<QWidget *>(watched);
        paintedRect_ = static_cast<QPaintEvent *>(event)->rect();
    }
    return QProxyStyle::eventFilter(watched, event);
}

void FieldPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element == PE_PanelLineEdit && widget && widget == painting_ && painter) {
        painting_ = nullptr;
        if (copyInside(*option, *painter, *widget))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool FieldPanelStyle::copyInside(const QStyleOption &option, QPainter &painter, const QWidget &widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(&option);
    if (!frame || frame->rect != widget.rect() || !paintsPixelForPixel(painter))
        return false;
    const QRect inside = subElementRect(SE_LineEditContents, frame, &widget);
    if (!inside.contains(paintedRect_))
        return false;
    const auto *device = static_cast<const QImage *>(painter.paintEngine()->paintDevice());
    const Look look{frame->rect.size(), frame->state,    frame->palette.cacheKey(), frame->direction,
                    frame->lineWidth,   frame->midLineWidth, int(frame->features), device->format()};
    const QImage &picture = pictureOf(widget, look, *frame, inside);
    if (picture.isNull())
        return false;
    painter.drawImage(paintedRect_.topLeft(), picture, paintedRect_);
    return true;
}

const QImage &FieldPanelStyle::pictureOf(const QWidget &widget, const Look &look, const QStyleOption &option,
                                         const QRect &inside) const
{
    QList<Picture> &kept = pictures_[&widget];
    for (const Picture &picture : kept)
        if (picture.look == look)
            return picture.image;
    QImage over[2];
    for (int i = 0; i < 2; ++i) {
        over[i] = QImage(look.size, look.format);
        over[i].fill(i == 0 ? Qt::black : Qt::white);
        QPainter painter(&over[i]);
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &option, &painter, &widget);
    }
    const bool covers = over[0].copy(inside) == over[1].copy(inside);
    if (kept.size() >= LooksKept)
        kept.removeLast();
    kept.prepend({look, covers ? over[0] : QImage()});
    return kept.first().image;
}
