#include "lane_tables.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <sqlite3.h>

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
}

bool present(Database &db)
{
    return sqlite3_table_column_metadata(db.handle(), nullptr, Identity, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr)
        == SQLITE_OK;
}

}
