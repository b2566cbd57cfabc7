#include "lane_tables.h"

#include "lane_edits.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <sqlite3.h>

namespace {

bool tableExists(Database &db, const char *name)
{
    return sqlite3_table_column_metadata(db.handle(), nullptr, name, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr)
        == SQLITE_OK;
}

// What this version added to the lane's tables.
void createShopFollowing(Database &db)
{
    const char *statements[] = {
        "ALTER TABLE \"lane_sync_state\" ADD COLUMN \"State_changes_through\" INTEGER",
        "ALTER TABLE \"lane_sync_state\" ADD COLUMN \"State_server_id\" TEXT",
        "ALTER TABLE \"lane_sync_state\" ADD COLUMN \"State_edit_no\" INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE \"lane_sync_state\" ADD COLUMN \"State_edits_set_aside\" INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE \"lane_sync_state\" ADD COLUMN \"State_store_checked_at\" TEXT",
        "CREATE TABLE \"lane_edits\" (\"Edit_seq\" INTEGER PRIMARY KEY AUTOINCREMENT, "
        "\"Edit_table\" TEXT NOT NULL, \"Edit_key\" REAL NOT NULL, \"Edit_before\" TEXT, "
        "\"Edit_changes\" INTEGER NOT NULL DEFAULT 1, \"Edit_no\" INTEGER, \"Edit_after\" TEXT, "
        "\"Edit_stock_moved\" REAL NOT NULL DEFAULT 0, \"Edit_cost_before_receipts\" TEXT, "
        "UNIQUE (\"Edit_table\", \"Edit_key\"))",
        "CREATE INDEX \"lane_edits_numbered\" ON \"lane_edits\" (\"Edit_no\")",
        "CREATE TABLE \"lane_writer\" (\"Writer\" INTEGER NOT NULL)",
        "INSERT INTO \"lane_writer\" VALUES (0)",
        "CREATE TABLE \"lane_store_lanes\" (\"Terminal_id\" INTEGER PRIMARY KEY, \"Last_sale_date\" TEXT, "
        "\"Last_sale_time\" TEXT, \"Received_at\" TEXT)",
    };
    db.beforeWrite();
    for (const char *sql : statements)
        executeSql(db.handle(), QString::fromLatin1(sql));
    LaneEdits::createTriggers(db);
}

}

namespace LaneTables {

void create(Database &db)
{
    const char *statements[] = {
        "CREATE TABLE \"lane_identity\" (\"Lane_key\" TEXT NOT NULL, \"Lane_store\" INTEGER NOT NULL, "
        "\"Lane_terminal\" INTEGER NOT NULL, \"Lane_machine\" TEXT, \"Lane_registered_at\" TEXT)",
        "CREATE TABLE \"lane_outbox\" (\"Outbox_seq\" INTEGER PRIMARY KEY AUTOINCREMENT, "
        "\"Outbox_kind\" TEXT NOT NULL, \"Outbox_key\" REAL, \"Outbox_queued_at\" TEXT NOT NULL, "
        "\"Outbox_content\" TEXT NOT NULL)",
        "CREATE TABLE \"lane_sent\" (\"Sent_seq\" INTEGER PRIMARY KEY, \"Sent_kind\" TEXT NOT NULL, "
        "\"Sent_key\" REAL, \"Sent_content\" TEXT)",
        "CREATE TABLE \"lane_sync_state\" (\"State_reached\" INTEGER, \"State_unreachable_since\" TEXT, "
        "\"State_problem\" TEXT, \"State_refused\" INTEGER NOT NULL DEFAULT 0, "
        "\"State_set_aside\" INTEGER NOT NULL DEFAULT 0, \"State_acked_through\" INTEGER NOT NULL DEFAULT 0)",
        "INSERT INTO \"lane_sync_state\" DEFAULT VALUES",
    };
    db.beforeWrite();
    for (const char *sql : statements)
        executeSql(db.handle(), QString::fromLatin1(sql));
    createShopFollowing(db);
}

void createWhenMissing(Database &db)
{
    if (!present(db) || tableExists(db, Edits))
        return;
    StoreTransaction transaction(db);
    createShopFollowing(db);
    transaction.commit();
}

bool present(Database &db)
{
    return tableExists(db, Identity);
}

}

namespace LaneWriter {

void set(Database &db, Writer writer)
{
    db.beforeWrite();
    db.statement(QStringLiteral("UPDATE \"lane_writer\" SET \"Writer\" = ?")).run({int(writer)});
}

}
