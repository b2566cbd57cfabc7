#include "interrupted_sale.h"

#include "store/database.h"
#include "store/sqlite_statement.h"
#include "store/store_error.h"

#include <sqlite3.h>

namespace {

// A table of the program's own beside the ten, made by the first posting
// (databases of earlier versions have none).
constexpr const char *CreateTable =
    "CREATE TABLE IF NOT EXISTS unprinted_sale (\"Unprinted_trxh_id\" REAL NOT NULL)";

bool tableExists(Database &db)
{
    return sqlite3_table_column_metadata(db.handle(), nullptr, "unprinted_sale", nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr)
        == SQLITE_OK;
}

}

namespace InterruptedSale {

void mark(Database &db, double transactionNumber)
{
    db.beforeWrite();
    // Done at every sale: the statements are prepared once.
    db.statement(QLatin1String(CreateTable)).run();
    db.statement(QStringLiteral("DELETE FROM unprinted_sale")).run();
    db.statement(QStringLiteral("INSERT INTO unprinted_sale VALUES (?)")).run({transactionNumber});
}

void clear(Database &db)
{
    const Database::FastWrite withoutSync(db, false);
    db.beforeWrite();
    executeSql(db.handle(), QStringLiteral("DELETE FROM unprinted_sale"));
}

double marked(Database &db)
{
    if (!tableExists(db))
        return 0;
    SqliteStatement query(db.handle(), QStringLiteral("SELECT MAX(\"Unprinted_trxh_id\") FROM unprinted_sale"));
    query.start();
    return query.step() && !query.isNull(0) ? query.real(0) : 0;
}

}
