#pragma once

#include <QString>
#include <functional>

class TDataModule2;
class Table;
struct SetupOptions;

// The lane part of `tillano-setup --server CONNINFO --store N --terminal T`,
// run on the opened database of the data directory, inside one lane
// transaction that the caller commits only when this succeeded: the lane's
// own tables and identity (a new key, unless the database is a lane of
// this computer already), Ctrl_terminal_id = T, the registration with the
// server (refused when another database is that lane, unless replace),
// and the shop's data: when the server has the store's, the database gets
// it (a new one, or an existing shop joining the store, whose own shop
// data it replaces; its sales and totals stay); when it has none yet, the
// database's own is sent up as the store's: an existing single terminal's
// shop, or for a new database what fillOwnShop puts in (the demo shop,
// the first manager). A new lane keeps its own switches, which
// terminalSwitches sets (the demo's). Throws ServerError or StoreError.
struct LaneSetupResult {
    QString report;          // what to tell the user
    bool shopFromServer = false;
};
LaneSetupResult prepareLane(TDataModule2 &dm, const SetupOptions &options, const std::function<void()> &fillOwnShop,
                            const std::function<void(Table &)> &terminalSwitches);
