#pragma once

#include <QProxyStyle>

class QLineEdit;

// The application's style, except that it leaves out an entry field's
// panel (its frame and the base inside it) when the painter is clipped to
// nothing. A DBEdit copies its panel from a pixmap and clips QLineEdit's
// own painting of it away; the style would still stroke its antialiased
// frame whole under that clip, for every repaint, at twice the cost of the
// text.
class FieldPanelStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Gives `field` the style; without a style of the same name to draw
    // with, the field keeps the application's.
    static void applyTo(QLineEdit *field);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    explicit FieldPanelStyle(QStyle *base);
};
