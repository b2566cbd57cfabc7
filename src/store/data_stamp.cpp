#include "data_stamp.h"

#include "database.h"
#include "sqlite_statement.h"

#include <sqlite3.h>

DataStamp dataStamp(Database &db)
{
    if (!db.isOpen())
        return {};
    // Changes with every commit of another connection, none of this one's.
    SqliteStatement &version = db.statement(QStringLiteral("PRAGMA data_version"));
    version.start();
    version.step();
    const qint64 commits = version.integer(0);
    version.reset();
    // The rows this connection changed count a write made without
    // beforeWrite() too.
    return {db.writeGeneration(), sqlite3_total_changes64(db.handle()), commits};
}
