#pragma once

class Database;
class ServerConnection;
struct LaneIdentity;

// A store's shop data as a whole (ShopTables): what a lane is prepared
// with, or what the first lane of a store sends up.
namespace ShopData {

// Rows a lane transaction of a whole copy holds.
inline constexpr int CopyRows = 2000;

// The server holds shop data for the store.
bool onServer(ServerConnection &server, int store);

// Copies the store's shop data from the server into a lane's database,
// inside the caller's transaction (ShopChanges::copyAll).
void copyFromServer(ServerConnection &server, int store, Database &lane);

// The first lane of a store sends its shop data up (an existing single
// terminal joining a store server), its cashiers' secret codes and its
// switches with it. False, changing nothing, when the server holds data
// for the store already.
bool sendUp(ServerConnection &server, const LaneIdentity &lane, Database &db);

}
