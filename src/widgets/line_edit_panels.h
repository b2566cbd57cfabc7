#pragma once

#include <QList>
#include <QPixmap>
#include <QStyleOptionFrame>
#include <functional>

// The panels (background and frame) of a line edit, as its style painted
// them, one per look. Fusion draws its frame antialiased, which costs many
// times more than copying it, and an entry field repaints its panel at
// every move of the focus and under every new text.
class LineEditPanels {
public:
    // The panel for the look the option describes; paint draws it the
    // first time.
    const QPixmap &panel(const QStyleOptionFrame &option, const std::function<void(QPainter &)> &paint);
    // The style, the palette or the font changed.
    void clear() { looks_.clear(); }

    // Off, every panel is painted by the style (tests compare the two).
    static void setEnabled(bool on);
    static bool enabled();

private:
    struct Look {
        QStyleOptionFrame option;
        QPixmap pixmap;
    };
    static constexpr int MaxLooks = 8; // focused or not, active window or not, a few sizes

    QList<Look> looks_;
};
