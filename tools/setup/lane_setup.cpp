#include "lane_setup.h"

#include "data_directory_setup.h"

#include "lanes/lane_identity.h"
#include "lanes/lane_tables.h"
#include "lanes/server_connection.h"
#include "lanes/shop_data.h"
#include "store/data_module.h"

namespace {

void setTerminalAndCounter(TDataModule2 &dm, int terminal, const QVariant &serverLastSale,
                           const std::function<void(Table &)> &terminalSwitches)
{
    Table &control = dm.Control;
    control.open();
    control.first();
    control.edit();
    if (terminalSwitches)
        terminalSwitches(control);
    control.field(QStringLiteral("Ctrl_terminal_id")).setInteger(terminal);
    // A database taking over a lane numbers its sales after the ones the
    // server holds for it.
    Field counter = control.field(QStringLiteral("Ctrl_invoice_no"));
    if (!serverLastSale.isNull() && counter.asFloat() <= serverLastSale.toDouble())
        counter.setFloat(serverLastSale.toDouble() + 1);
    control.post();
    control.close();
}

}

LaneSetupResult prepareLane(TDataModule2 &dm, const SetupOptions &options, const std::function<void()> &fillOwnShop,
                            const std::function<void(Table &)> &terminalSwitches)
{
    ServerConnection server(options.server);
    server.open();

    Database &db = dm.database();
    LaneIdentity id;
    const std::optional<LaneIdentity> held = LaneIdentity::read(db);
    if (!held)
        LaneTables::create(db);
    LaneTables::createWhenMissing(db);
    // The same database prepared again on its own computer keeps its key;
    // anything else is a new claim on the lane.
    const bool sameLane = held && held->machine == LaneIdentity::thisMachine() && held->store == options.store
        && held->terminal == options.terminal;
    id.key = sameLane ? held->key : LaneIdentity::newKey();
    id.store = options.store;
    id.terminal = options.terminal;
    id.machine = LaneIdentity::thisMachine();
    id.write(db);

    const QList<QVariantList> registered =
        server.query(QStringLiteral("SELECT tillano.lane_register(?, ?, ?, ?, ?)"),
                     {id.store, id.terminal, id.key, id.machine, options.replace});
    const QVariant lastSale = registered.value(0).value(0);

    // What is written here is the store's data as the server has it, or
    // sent up as the store's: no edit of a person to send.
    LaneWriter::set(db, LaneWriter::Writer::Sync);
    LaneSetupResult result;
    if (ShopData::onServer(server, id.store)) {
        ShopData::copyFromServer(server, id.store, db);
        setTerminalAndCounter(dm, id.terminal, lastSale, fillOwnShop ? terminalSwitches : nullptr);
        result = {fillOwnShop ? QStringLiteral("Lane %1 of store %2 registered; the store's shop data was copied from "
                                               "the server.")
                              : QStringLiteral("Lane %1 of store %2 registered; this database now has the store's shop "
                                               "data from the server in place of its own (its sales register and "
                                               "totals stay)."),
                  true};
    } else {
        if (fillOwnShop)
            fillOwnShop();
        setTerminalAndCounter(dm, id.terminal, lastSale, nullptr);
        if (ShopData::sendUp(server, id, db)) {
            result = {QStringLiteral("Lane %1 of store %2 registered; this shop's data was sent to the server as the "
                                     "store's.")};
        } else {
            // Another lane sent the store's data first.
            ShopData::copyFromServer(server, id.store, db);
            result = {QStringLiteral("Lane %1 of store %2 registered; the store's shop data was copied from the server."),
                      true};
        }
    }
    LaneWriter::set(db, LaneWriter::Writer::Person);
    result.report = result.report.arg(id.terminal).arg(id.store);
    return result;
}
