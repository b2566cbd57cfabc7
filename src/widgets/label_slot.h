#pragma once

#include <QSize>
#include <QWidget>

class QLabel;

// Holds a label in a layout in its place, filling it, so that a new text
// lays the window out again only when it changes what the label asks of
// the layout (its size hints). A label put straight into a layout has the
// whole window laid out again at every new text, although an amount
// replacing another of no greater width moves nothing.
//
// The slot takes the label's size policy and minimum and maximum sizes as
// they are when it is made; the label stays shown.
class LabelSlot : public QWidget {
    Q_OBJECT
public:
    LabelSlot(QLabel *label, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Passes a change of the label's hints on to the layout.
    void followLabelHints();

    QLabel *label_;
    // The label's hints as the layout last learnt them.
    QSize hint_;
    QSize minimumHint_;
};
