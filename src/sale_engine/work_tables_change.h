#pragma once

#include "store/database.h"

// Runs a change of the work tables that must not be left half done (a line
// priced and the totals that follow it, a line cleared and the totals
// without it) as one store transaction: on any failure nothing of it is
// written and every table shows again what it held before. The work
// tables are emptied at every start-up, so the commit does not wait for
// the disk.
template <typename Change>
void changeWorkTables(Database &db, Change &&change)
{
    const Database::FastWrite withoutSync(db, false);
    StoreTransaction transaction(db);
    change();
    transaction.commit();
}
