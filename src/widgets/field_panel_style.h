#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QProxyStyle>
#include <QRect>

class QLineEdit;

// The application's style, except that an entry field's panel (its frame
// and the base inside it) is copied from a picture when a repaint stays
// inside the frame, as when the field shows a new value. The style strokes
// its antialiased frame whole for every repaint, however small, which
// costs twice as much as the text. The picture is drawn by the style
// itself, once per size and state of the field, over black and over white:
// only a panel that covers the inside (both pictures the same there) is
// copied, and a repaint that reaches the frame draws it as always.
class FieldPanelStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Gives `field` the style; without a style of the same name to draw
    // with, the field keeps the application's.
    static void applyTo(QLineEdit *field);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FieldPanelStyle(QStyle *base);

    // What the panel's pixels depend on.
    struct Look {
        QSize size;
        State state;
        qint64 palette = 0;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        int lineWidth = 0;
        int midLineWidth = 0;
        int features = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const Look &) const = default;
    };
    struct Picture {
        Look look;
        QImage image; // null when the panel does not cover the inside
    };

    bool copyInside(const QStyleOption &option, QPainter &painter, const QWidget &widget) const;
    const QImage &pictureOf(const QWidget &widget, const Look &look, const QStyleOption &option,
                            const QRect &inside) const;

    // The field being repainted and the part of it; the first panel drawn
    // for it takes it.
    mutable const QWidget *painting_ = nullptr;
    QRect paintedRect_;
    // A few looks per field: a field goes between browsing and editing,
    // its window between active and not.
    mutable QHash<const QWidget *, QList<Picture>> pictures_;
};
