#include "field_panel_style.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>

FieldPanelStyle::FieldPanelStyle(QStyle *base) : QProxyStyle(base) {}

void FieldPanelStyle::applyTo(QLineEdit *field)
{
    static QPointer<FieldPanelStyle> shared;
    if (!shared) {
        // A style of its own to draw with: a proxy takes over its base.
        QStyle *base = QStyleFactory::create(QApplication::style()->name());
        if (!base)
            return;
        shared = new FieldPanelStyle(base);
        shared->setParent(qApp);
    }
    field->setStyle(shared);
}

void FieldPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    // A style sheet's rule draws the frame alone over a background of its own.
    const bool panel = element == PE_PanelLineEdit || element == PE_FrameLineEdit;
    if (panel && painter && painter->hasClipping() && painter->clipBoundingRect().isEmpty())
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
