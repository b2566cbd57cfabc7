#pragma once

#include "store/sign_in_tables.h"

class Database;

// The growing wait after wrong sign-in tries: after three in a row each
// further try waits twice as long as the one before, 1 s up to 30 s. The
// count and the time of the last wrong try are kept in the database, so
// closing the program and starting it again does not shorten the wait.
// A database that cannot be written keeps them in memory for this run.
class SignInWait {
public:
    // Takes up the tries kept in the database.
    void load(Database &db);
    void wrongTry(Database &db);
    void signedIn(Database &db);

    // The wait before the next try, counted from lastWrong().
    int seconds() const;
    QDateTime lastWrong() const { return tries_.lastWrong; }

    static constexpr int MaxWaitSeconds = 30;

private:
    static constexpr int FreeTries = 3;

    void keep(Database &db);

    SignInTries tries_;
};
