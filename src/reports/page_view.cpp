#include "page_view.h"

#include "reports/page_painter.h"
#include "reports/page_report.h"

#include <QPainter>

namespace {
constexpr int Border = 12;
}

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

void PageView::setPage(const LaidOutPage &page)
{
    page_ = page;
    updateGeometry();
    adjustSize();
    update();
}

void PageView::setZoom(qreal zoom)
{
    zoom_ = zoom;
    updateGeometry();
    adjustSize();
    update();
}

qreal PageView::pixelsPerPoint() const
{
    return logicalDpiX() / 72.0;
}

QRect PageView::paperRect() const
{
    const QSizeF points = page_.size.isEmpty() ? QSizeF(PageGeometry::PaperWidth, PageGeometry::PaperHeight) : page_.size;
    const qreal scale = zoom_ * pixelsPerPoint();
    return QRect(Border, Border, qRound(points.width() * scale), qRound(points.height() * scale));
}

QSize PageView::sizeHint() const
{
    return paperRect().size() + QSize(2 * Border, 2 * Border);
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect paper = paperRect();
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 90));
    painter.fillRect(paper, Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, page_, zoom_ * pixelsPerPoint(), paper.topLeft());
}
