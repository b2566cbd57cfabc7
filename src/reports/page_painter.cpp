#include "page_painter.h"

#include "reports/glyph_batch.h"
#include "reports/shaped_texts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace {

QRectF scaled(const QRectF &r, qreal scale, QPointF offset)
{
    return QRectF(r.x() * scale + offset.x(), r.y() * scale + offset.y(), r.width() * scale, r.height() * scale);
}

// The underline QPainter gives a text it draws at (x, baseline): from the
// position cut to 1/64 pixel, whole pixels long, the font's underline
// position rounded up below the baseline, but kept within the descent.
void drawUnderline(QPainter &painter, const QFontMetricsF &metrics, qreal x, qreal baseline, qreal width)
{
    const qreal position = metrics.underlinePos();
    qreal below = std::ceil(position) + 0.5;
    if (position <= metrics.descent())
        below = qMin(below, metrics.descent() - 0.5);
    const qreal from = std::trunc(x * 64) / 64;
    const qreal y = baseline + below;
    painter.setPen(QPen(QBrush(Qt::black), metrics.lineWidth(), Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    painter.drawLine(QLineF(qFloor(from), y, qFloor(from + width), y));
    painter.setPen(Qt::black);
}

}

struct PagePainter::Font {
    int key; // one per style
    QFont font;
    QFontMetricsF metrics;
};

// The fonts of the pages, made once per style: a report uses a handful.
class PagePainter::Fonts {
public:
    explicit Fonts(qreal scale) : scale_(scale) {}

    const Font &forStyle(const TextStyle &style)
    {
        const int pixels = qMax(1, qRound(style.size * scale_));
        const int key = pixels << 3 | (style.bold ? 1 : 0) | (style.underline ? 2 : 0) | (style.italic ? 4 : 0);
        auto it = fonts_.find(key);
        if (it == fonts_.end()) {
            QFont font(QStringLiteral("Arial"));
            font.setStyleHint(QFont::SansSerif);
            font.setPixelSize(pixels);
            font.setBold(style.bold);
            font.setUnderline(style.underline);
            font.setItalic(style.italic);
            it = fonts_.insert(key, Font{key, font, QFontMetricsF(font)});
        }
        return it.value();
    }

private:
    qreal scale_;
    QHash<int, Font> fonts_;
};

PagePainter::PagePainter(qreal scale, bool keepShapes)
    : scale_(scale), fonts_(std::make_unique<Fonts>(scale)),
      shapes_(keepShapes ? std::make_unique<ShapedTexts>() : nullptr),
      batch_(std::make_unique<GlyphBatch>())
{
}

PagePainter::~PagePainter() = default;

// One line of text in its rectangle, vertically centred. Drawn at a point
// rather than through the general text layout: a report holds many short
// texts, and this is most of the time a long report takes.
void PagePainter::drawText(QPainter &painter, const Font &font, const QRectF &rect, Qt::Alignment alignment,
                           const QString &text)
{
    const ShapedTexts::Shape *shape = shapes_ ? &shapes_->of(font.key, font.font, font.metrics, text) : nullptr;
    qreal x = rect.left();
    if (alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
        const qreal width = shape ? shape->width : font.metrics.horizontalAdvance(text);
        x = alignment & Qt::AlignRight ? rect.right() - width : rect.left() + (rect.width() - width) / 2;
    }
    const qreal baseline = rect.top() + (rect.height() - font.metrics.height()) / 2 + font.metrics.ascent();
    if (shape && !shape->glyphs.isEmpty()) {
        for (const QGlyphRun &glyphs : shape->glyphs)
            batch_->add(painter, QPointF(x, baseline - shape->ascent), glyphs);
        // Drawn ahead of its glyphs: a page is all black, so the order of
        // what overlaps shows nowhere.
        if (font.font.underline())
            drawUnderline(painter, font.metrics, x, baseline, shape->width);
        return;
    }
    batch_->flush(painter);
    painter.drawText(QPointF(x, baseline), text);
}

void PagePainter::paint(QPainter &painter, const LaidOutPage &page, QPointF offset)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    const Font *font = nullptr;
    TextStyle fontStyle;
    for (const PlacedItem &item : page.items) {
        const QRectF rect = scaled(item.rect, scale_, offset);
        switch (item.kind) {
        case PlacedItem::Kind::Text:
            if (item.text.isEmpty())
                break;
            if (!font || !(item.style == fontStyle)) {
                fontStyle = item.style;
                font = &fonts_->forStyle(fontStyle);
                painter.setFont(font->font);
            }
            drawText(painter, *font, rect, item.style.alignment, item.text);
            break;
        case PlacedItem::Kind::Box:
            batch_->flush(painter);
            painter.setPen(QPen(Qt::black, item.lineWidth * scale_));
            painter.drawRect(rect);
            painter.setPen(Qt::black);
            break;
        case PlacedItem::Kind::Line:
            batch_->flush(painter);
            painter.setPen(QPen(Qt::black, item.lineWidth * scale_));
            painter.drawLine(rect.topLeft(), rect.bottomRight());
            painter.setPen(Qt::black);
            break;
        }
    }
    batch_->flush(painter);
    painter.restore();
}

void paintPage(QPainter &painter, const LaidOutPage &page, qreal scale, QPointF offset)
{
    PagePainter(scale, false).paint(painter, page, offset);
}

PaintingPageSink::PaintingPageSink(QPagedPaintDevice &device) : device_(device)
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
        // Pixels per point of this device.
        pagePainter_ = std::make_unique<PagePainter>(device_.logicalDpiX() / 72.0, true);
    } else if (!device_.newPage()) {
        failed_ = true;
        return;
    }
    pagePainter_->paint(*painter_, page);
    ++pages_;
}

bool PaintingPageSink::finish()
{
    if (painter_ && painter_->isActive() && !painter_->end())
        failed_ = true;
    return !failed_ && pages_ > 0;
}
