#pragma once

#include <QLabel>
#include <QTimer>
#include <functional>

class Database;

// The lane's sending in one line at the foot of the sale window:
// connected, or how many sales wait and since when the store server is out
// of reach. It reads what tillano-sync records in the lane's database
// every two seconds, a local read that never waits for the network, and
// never interrupts the cashier with a message. Only a lane's till (its
// settings name a store server) has one.
class LaneStatusLabel : public QLabel {
    Q_OBJECT
public:
    // `running` tells whether the till's tillano-sync runs.
    LaneStatusLabel(Database &lane, std::function<bool()> running, QWidget *parent = nullptr);

    // Reads the status now.
    void refresh();

private:
    Database &lane_;
    std::function<bool()> running_;
    QTimer timer_;
};
