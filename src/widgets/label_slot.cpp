#include "label_slot.h"

#include <QEvent>
#include <QLabel>

LabelSlot::LabelSlot(QLabel *label, QWidget *parent)
    : QWidget(parent), label_(label), hint_(label->sizeHint()), minimumHint_(label->minimumSizeHint())
{
    setSizePolicy(label->sizePolicy());
    setMinimumSize(label->minimumSize());
    setMaximumSize(label->maximumSize());
    label->setParent(this);
    label->move(0, 0);
}

QSize LabelSlot::sizeHint() const
{
    return label_->sizeHint();
}

QSize LabelSlot::minimumSizeHint() const
{
    return label_->minimumSizeHint();
}

bool LabelSlot::event(QEvent *event)
{
    // The label asks its parent, the slot, for a new layout whenever its
    // text or font changes; hints changed while the window was hidden are
    // taken when it shows.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        followLabelHints();
    return QWidget::event(event);
}

void LabelSlot::resizeEvent(QResizeEvent *event)
{
    label_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void LabelSlot::followLabelHints()
{
    const QSize hint = label_->sizeHint();
    const QSize minimumHint = label_->minimumSizeHint();
    if (hint == hint_ && minimumHint == minimumHint_)
        return;
    hint_ = hint;
    minimumHint_ = minimumHint;
    updateGeometry();
}
