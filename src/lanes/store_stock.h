#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QTime>
#include <optional>

class Database;

// How far a lane's copy of the store's stock goes. The server moves the
// store's quantity on hand with every sale and stock receipt it stores,
// and a lane's copy follows it; the lane's own sales and receipts move
// its copy at once, before they reach the server. So the quantities a
// lane shows count its own sales up to now and each other lane's up to
// the last sale the server had from it when the lane last heard from the
// server.
namespace StoreStock {

struct Lane {
    int terminal = 0;
    QDate lastSaleDate; // invalid: no sale received yet
    QTime lastSaleTime;
};

struct Counted {
    int ownTerminal = 0;
    QDateTime checkedAt; // when the lane last heard the server's figures
    QList<Lane> lanes;   // the store's lanes, this one among them
};

// Written by tillano-sync: the store's lanes as the server tells them,
// in one short transaction.
void note(Database &db, const QList<Lane> &lanes);

// Nothing on a single terminal.
std::optional<Counted> read(Database &db);

// Lines for the stock report, in the run-time language: up to when each
// lane's sales are counted, `lanesPerLine` other lanes to a line.
QStringList text(const Counted &counted, int lanesPerLine);

}
