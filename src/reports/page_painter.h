#pragma once

#include "reports/laid_out_page.h"

#include <memory>

class QPainter;
class QPagedPaintDevice;

class GlyphBatch;
class ShapedTexts;

// Paints laid-out pages. `scale` is device pixels per point; the painter
// is used untransformed, so fonts are sized for the device itself and keep
// their exact metrics on a printer or in a PDF. Painting many pages for a
// printer or a PDF, it keeps the texts it shaped (see ShapedTexts) and
// draws neighbouring texts in one font together (see GlyphBatch).
class PagePainter {
public:
    PagePainter(qreal scale, bool keepShapes);
    ~PagePainter();
    PagePainter(const PagePainter &) = delete;
    PagePainter &operator=(const PagePainter &) = delete;

    void paint(QPainter &painter, const LaidOutPage &page, QPointF offset = {});

private:
    struct Font;
    class Fonts;
    void drawText(QPainter &painter, const Font &font, const QRectF &rect, Qt::Alignment alignment,
                  const QString &text);

    qreal scale_;
    std::unique_ptr<Fonts> fonts_;
    std::unique_ptr<ShapedTexts> shapes_;
    std::unique_ptr<GlyphBatch> batch_;
};

// One page on a screen.
void paintPage(QPainter &painter, const LaidOutPage &page, qreal scale, QPointF offset = {});

// Paints each page it receives onto a printer or a PDF writer at once, so
// a long report never has to be held in memory.
class PaintingPageSink : public PageSink {
public:
    explicit PaintingPageSink(QPagedPaintDevice &device);
    ~PaintingPageSink() override;
    void addPage(const LaidOutPage &page) override;
    // Ends the painting; true when the device accepted it all.
    bool finish();
    int pagesPainted() const { return pages_; }

private:
    QPagedPaintDevice &device_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PagePainter> pagePainter_;
    int pages_ = 0;
    bool failed_ = false;
};
