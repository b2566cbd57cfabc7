#include "locked_database.h"

#include <sqlite3.h>

namespace LockedDatabase {

namespace {
Question &question()
{
    static Question q;
    return q;
}
}

void setQuestion(Question q)
{
    question() = std::move(q);
}

bool waitAgain(sqlite3 *db)
{
    if (!question())
        return false;
    const char *file = sqlite3_db_filename(db, "main");
    return question()(QString::fromUtf8(file ? file : ""));
}

}
