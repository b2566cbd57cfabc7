#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>

class QGlyphRun;
class QPainter;

// The glyphs of neighbouring texts in one font, drawn with one call. The
// PDF engine wraps every glyph run in a text object of its own and sets
// the colour and font again for it; a report page holds a couple of
// hundred short texts, so drawing them together makes the page smaller and
// quicker to write. Every glyph keeps its own position, to the pixel.
class GlyphBatch {
public:
    // Gathers the glyphs of `run` drawn at `origin`, leaving out any
    // underline; draws what was gathered before when the font differs.
    void add(QPainter &painter, QPointF origin, const QGlyphRun &run);
    // Draws what was gathered; called before drawing what must come after.
    void flush(QPainter &painter);

private:
    QRawFont font_;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};
