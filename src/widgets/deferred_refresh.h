#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

// Refreshes a control that reads its table with queries (a grid, a lookup
// list) after the table changed: at most once per turn of the event loop,
// as the table notifies once per field written, and only while the control
// is visible. A hidden control reads nothing until it is shown again, and
// then reads anew.
class DeferredRefresh : public QObject {
public:
    DeferredRefresh(QWidget *control, std::function<void()> refresh);

    // The table changed.
    void request();
    // Refreshes now; a pending refresh is dropped.
    void refreshNow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *control_;
    std::function<void()> refresh_;
    QTimer timer_;
    bool stale_ = true;
};
