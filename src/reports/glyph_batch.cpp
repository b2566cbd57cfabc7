#include "glyph_batch.h"

#include <QGlyphRun>
#include <QPainter>
#include <cmath>

void GlyphBatch::add(QPainter &painter, QPointF origin, const QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    if (!indexes_.isEmpty() && !(font == font_))
        flush(painter);
    font_ = font;
    indexes_.append(run.glyphIndexes());
    // Where the painter would place them drawing the run at `origin`, but
    // on whole pixels across: the PDF engine writes every glyph's advance,
    // a whole number in two or three characters, a fraction in ten, and
    // the longer page costs a third more to compress. A pixel is 1/600 inch
    // in a PDF, and a printer's own dot on a printer.
    for (const QPointF &position : run.positions()) {
        const QPointF placed = origin + position;
        positions_.append(QPointF(std::round(placed.x()), placed.y()));
    }
}

void GlyphBatch::flush(QPainter &painter)
{
    if (indexes_.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(indexes_);
    run.setPositions(positions_);
    painter.drawGlyphRun(QPointF(0, 0), run);
    indexes_.clear();
    positions_.clear();
}
