#include "failing_writes.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QStringList>
#include <sqlite3.h>

namespace {

void failAsAFullDisk(sqlite3_context *context, int, sqlite3_value **)
{
    sqlite3_result_error_code(context, SQLITE_FULL);
}

}

FailingWrites::FailingWrites(Database &db, const QString &table, Writes writes, bool fullDisk)
    : db_(db), table_(table)
{
    writes_ << QStringLiteral("INSERT");
    if (writes == InsertsAndUpdates)
        writes_ << QStringLiteral("UPDATE");
    sqlite3_create_function(db_.handle(), "fail_as_a_full_disk", 0, SQLITE_UTF8, nullptr, failAsAFullDisk, nullptr,
                            nullptr);
    const QString failure = fullDisk ? QStringLiteral("SELECT fail_as_a_full_disk()")
                                     : QStringLiteral("SELECT RAISE(ABORT, 'database or disk is full')");
    for (const QString &write : std::as_const(writes_))
        executeSql(db_.handle(),
                   QStringLiteral("CREATE TEMP TRIGGER \"fail_%1_%2\" BEFORE %2 ON \"%1\" BEGIN %3; END")
                       .arg(table_, write, failure));
}

FailingWrites::~FailingWrites()
{
    for (const QString &write : std::as_const(writes_))
        executeSql(db_.handle(), QStringLiteral("DROP TRIGGER \"fail_%1_%2\"").arg(table_, write));
}
