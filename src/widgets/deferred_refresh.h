#pragma once

#include "store/data_stamp.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

// Refreshes a control that reads its table with queries (a grid, a lookup
// list) after the table changed: at most once per turn of the event loop,
// as the table notifies once per field written, and only while the control
// is visible. A hidden control reads nothing until it is shown again, and
// then reads anew.
//
// Given the stamp of the data it reads, a control shown again reads anew
// only when its table notified meanwhile or the data changed under it
// (another program's commit, a write the table did not announce): a window
// shown again and again over the same records does not read them each time.
class DeferredRefresh : public QObject {
public:
    using Stamp = std::function<DataStamp()>;

    DeferredRefresh(QWidget *control, std::function<void()> refresh);

    void setStamp(Stamp stamp) { stamp_ = std::move(stamp); }

    // The table changed.
    void request();
    // Refreshes now; a pending refresh is dropped.
    void refreshNow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The data changed since the last read, though the table said nothing.
    bool changedUnseen();

    QWidget *control_;
    std::function<void()> refresh_;
    Stamp stamp_;
    DataStamp readAt_;
    QTimer timer_;
    bool stale_ = true;
};
