#include "page_painter.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

QFont fontFor(const TextStyle &style, qreal scale)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(style.size * scale)));
    font.setBold(style.bold);
    font.setUnderline(style.underline);
    font.setItalic(style.italic);
    return font;
}

QRectF scaled(const QRectF &r, qreal scale, QPointF offset)
{
    return QRectF(r.x() * scale + offset.x(), r.y() * scale + offset.y(), r.width() * scale, r.height() * scale);
}

}

void paintPage(QPainter &painter, const LaidOutPage &page, qreal scale, QPointF offset)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    TextStyle currentStyle;
    painter.setFont(fontFor(currentStyle, scale));
    for (const PlacedItem &item : page.items) {
        const QRectF rect = scaled(item.rect, scale, offset);
        switch (item.kind) {
        case PlacedItem::Kind::Text:
            if (item.text.isEmpty())
                break;
            if (!(item.style == currentStyle)) {
                currentStyle = item.style;
                painter.setFont(fontFor(currentStyle, scale));
            }
            painter.setPen(Qt::black);
            painter.drawText(rect, int(item.style.alignment | Qt::AlignVCenter) | Qt::TextSingleLine, item.text);
            break;
        case PlacedItem::Kind::Box:
            painter.setPen(QPen(Qt::black, item.lineWidth * scale));
            painter.drawRect(rect);
            break;
        case PlacedItem::Kind::Line:
            painter.setPen(QPen(Qt::black, item.lineWidth * scale));
            painter.drawLine(rect.topLeft(), rect.bottomRight());
            break;
        }
    }
    painter.restore();
}

PaintingPageSink::PaintingPageSink(QPagedPaintDevice &device, std::function<void(int)> pagePainted)
    : device_(device), pagePainted_(std::move(pagePainted))
{
}

PaintingPageSink::~PaintingPageSink()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

void PaintingPageSink::addPage(const LaidOutPage &page)
{
    if (failed_)
        return;
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&device_)) {
            failed_ = true;
            return;
        }
    } else if (!device_.newPage()) {
        failed_ = true;
        return;
    }
    // Pixels per point of this device.
    const qreal scale = device_.logicalDpiX() / 72.0;
    paintPage(*painter_, page, scale);
    ++pages_;
    if (pagePainted_)
        pagePainted_(pages_);
}

bool PaintingPageSink::finish()
{
    if (painter_ && painter_->isActive() && !painter_->end())
        failed_ = true;
    return !failed_ && pages_ > 0;
}
