#include "failing_writes.h"

#include "store/database.h"
#include "store/sqlite_statement.h"

namespace {
const char *const Writes[] = {"INSERT", "UPDATE"};
}

FailingWrites::FailingWrites(Database &db, const QString &table) : db_(db), table_(table)
{
    for (const char *write : Writes)
        executeSql(db_.handle(), QStringLiteral("CREATE TEMP TRIGGER \"fail_%1_%2\" BEFORE %2 ON \"%1\" "
                                                "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")
                                     .arg(table_, QLatin1String(write)));
}

FailingWrites::~FailingWrites()
{
    for (const char *write : Writes)
        executeSql(db_.handle(), QStringLiteral("DROP TRIGGER \"fail_%1_%2\"").arg(table_, QLatin1String(write)));
}
