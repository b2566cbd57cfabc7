#include "sign_in_wait.h"

#include "common/clock.h"
#include "store/store_error.h"

void SignInWait::load(Database &db)
{
    try {
        tries_ = SignInTables::tries(db);
        if (tries_.wrongInRow > 0 && !tries_.lastWrong.isValid())
            tries_.lastWrong = Clock::now(); // a time that cannot be read: the wait starts now
    } catch (const StoreError &) {
        // unreadable: the count of this run goes on
    }
}

void SignInWait::wrongTry(Database &db)
{
    ++tries_.wrongInRow;
    tries_.lastWrong = Clock::now();
    keep(db);
}

void SignInWait::signedIn(Database &db)
{
    if (tries_.wrongInRow == 0)
        return; // nothing to write at an ordinary sign-in
    tries_ = SignInTries();
    keep(db);
}

int SignInWait::seconds() const
{
    if (tries_.wrongInRow < FreeTries)
        return 0;
    return qMin(MaxWaitSeconds, 1 << qMin(tries_.wrongInRow - FreeTries, 5));
}

void SignInWait::keep(Database &db)
{
    try {
        SignInTables::keepTries(db, tries_);
    } catch (const StoreError &) {
        // A sign-in must never fail for this: the wait still holds in this run.
    }
}
