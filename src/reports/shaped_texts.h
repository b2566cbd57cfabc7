#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

// Texts shaped once and drawn as glyphs from then on. A long report
// repeats the same texts (captions, dates, amounts) thousands of times,
// and shaping a text is most of what drawing it costs on a printer or in
// a PDF. Only texts whose glyphs stand one for one for their characters
// are kept as glyphs: for those a printer or a PDF receives the glyphs
// drawing the text would have sent (an underline is left to whoever draws
// them); any other text is drawn as text.
class ShapedTexts {
public:
    struct Shape {
        qreal width = 0;         // the advance of the whole text
        qreal ascent = 0;        // from the top of the glyphs' line to the baseline
        QList<QGlyphRun> glyphs; // empty: draw the text itself
    };

    // `fontKey` tells the fonts apart: the same key, the same font.
    const Shape &of(int fontKey, const QFont &font, const QFontMetricsF &metrics, const QString &text);

private:
    static constexpr qsizetype MaxKept = 50000;
    QHash<int, QHash<QString, Shape>> shapes_;
    qsizetype kept_ = 0;
};
