#include "lane_status_label.h"

#include "lanes/lane_status.h"
#include "store/database.h"
#include "store/store_error.h"

LaneStatusLabel::LaneStatusLabel(Database &lane, std::function<bool()> running, QWidget *parent)
    : QLabel(parent), lane_(lane), running_(std::move(running))
{
    setObjectName(QStringLiteral("LaneStatusLabel"));
    hide();
    timer_.setInterval(2000);
    connect(&timer_, &QTimer::timeout, this, &LaneStatusLabel::refresh);
    timer_.start();
}

void LaneStatusLabel::refresh()
{
    if (!lane_.isOpen())
        return;
    LaneStatus status;
    try {
        status = LaneStatus::read(lane_);
    } catch (const StoreError &) {
        return; // a busy database: the next tick reads it
    }
    show();
    const bool running = running_();
    const QString text = status.text(running);
    if (text == toolTip())
        return;
    // A long reason is cut to the window's half; the whole is the tip.
    const int room = window() ? window()->width() / 2 : 600;
    setText(fontMetrics().elidedText(text, Qt::ElideRight, std::max(room, 300)));
    setToolTip(text);
    const bool trouble = !running || status.setAside > 0 || status.editsSetAside > 0
        || (status.sending != LaneStatus::Sending::Reached && status.sending != LaneStatus::Sending::Starting);
    setStyleSheet(trouble ? QStringLiteral("color: #b00000;") : QStringLiteral("color: #206020;"));
}
