#pragma once

#include <QStringList>

class ServerConnection;
class TDataModule2;
struct LaneIdentity;

// The shop's data as the store server holds it for each store: the
// control record's shop fields, the products, departments and cashiers,
// under the lane's column names. What describes a terminal (its number,
// invoice counter, switches) and every running total stays the lane's.
namespace ShopData {

struct ServerTable {
    const char *serverTable; // in schema tillano, quoted
    const char *laneTable;
    QStringList columns;     // besides "Store_id"
};
const QList<ServerTable> &tables();

// The server holds shop data for the store.
bool onServer(ServerConnection &server, int store);

// Copies the store's shop data from the server into a new lane's
// database: the control record's shop fields, and every product,
// department and cashier, which the lane's tables must not hold yet (new
// records start with their usual defaults, running totals zero). One
// lane transaction.
void copyFromServer(ServerConnection &server, int store, TDataModule2 &lane);

// The first lane of a store sends its shop data up (an existing single
// terminal joining a store server). False, changing nothing, when the
// server holds data for the store already.
bool sendUp(ServerConnection &server, const LaneIdentity &lane, TDataModule2 &dm);

}
