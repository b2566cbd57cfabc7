#include "glyph_batch.h"

#include <QGlyphRun>
#include <QPainter>

void GlyphBatch::add(QPainter &painter, QPointF origin, const QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    if (!indexes_.isEmpty() && !(font == font_))
        flush(painter);
    font_ = font;
    indexes_.append(run.glyphIndexes());
    // Where the painter would place them drawing the run at `origin`.
    for (const QPointF &position : run.positions())
        positions_.append(origin + position);
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
