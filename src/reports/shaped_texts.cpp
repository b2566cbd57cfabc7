#include "shaped_texts.h"

#include <QRawFont>
#include <QTextLayout>

namespace {

// Left-to-right text without controls, combining marks or characters
// beyond the Latin alphabets: laid out as one line of one glyph each.
bool plainText(const QString &text)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c >= 0x300)
            return false;
    }
    return true;
}

QList<QGlyphRun> glyphsFor(const QFont &font, const QString &text, qreal &ascent, qreal &width)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ascent = line.ascent();
    width = line.horizontalAdvance();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs.first().glyphIndexes().size() != text.size())
        return {};
    // Shaping may only have moved the glyphs (kerning), never replaced
    // them (ligatures): each glyph is its character's own.
    if (runs.first().rawFont().glyphIndexesForString(text) != runs.first().glyphIndexes())
        return {};
    return runs;
}

}

const ShapedTexts::Shape &ShapedTexts::of(int fontKey, const QFont &font, const QFontMetricsF &metrics,
                                          const QString &text)
{
    QHash<QString, Shape> &forFont = shapes_[fontKey];
    auto it = forFont.constFind(text);
    if (it != forFont.cend())
        return it.value();
    if (kept_ >= MaxKept) {
        for (auto &texts : shapes_)
            texts.clear();
        kept_ = 0;
    }
    Shape shape;
    if (plainText(text) && !font.strikeOut() && !font.overline())
        shape.glyphs = glyphsFor(font, text, shape.ascent, shape.width);
    if (shape.glyphs.isEmpty())
        shape.width = metrics.horizontalAdvance(text);
    ++kept_;
    return *forFont.insert(text, shape);
}
