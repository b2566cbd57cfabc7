#pragma once

#include <QScrollBar>
#include <optional>

// A scroll bar that repaints for a new range or value only when its look
// changes: the slider moved or grew, or an end was reached or left. A grid
// whose rows grow one at a time (the lines of a sale) changes its range at
// every row, most often by less than a pixel of slider.
class SteadyScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

    // The range and the value change together until release(), and are
    // judged then: a new range moves the slider away from the end the new
    // value brings it back to.
    void hold() { held_ = true; }
    void release();

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What the style paints from, the range and value given as the
    // slider's place and whether they stand at an end.
    struct Look {
        QRect rect;
        QRect slider;
        int state = 0;
        int activeControls = 0;
        qint64 palette = 0;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };
    Look look() const;
    bool looksPainted() const { return painted_ && look() == *painted_; }

    std::optional<Look> painted_; // what the last whole painting showed
    bool held_ = false;
    std::optional<SliderChange> heldChange_;
};
