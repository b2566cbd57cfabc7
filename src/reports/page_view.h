#pragma once

#include "reports/laid_out_page.h"

#include <QWidget>

// Shows one laid-out page as white paper at a zoom factor (1.0 is the
// paper's real size on the screen).
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);
    void setPage(const LaidOutPage &page);
    const LaidOutPage &page() const { return page_; }
    void setZoom(qreal zoom);
    qreal zoom() const { return zoom_; }
    // Screen pixels per point at zoom 1.0.
    qreal pixelsPerPoint() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect paperRect() const;
    LaidOutPage page_;
    qreal zoom_ = 1.0;
};
