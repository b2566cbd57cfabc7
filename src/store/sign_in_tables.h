#pragma once

#include "common/pin_secret.h"

#include <QDateTime>
#include <optional>

class Database;

// Wrong sign-in tries in a row, and when the last one was made.
struct SignInTries {
    int wrongInRow = 0;
    QDateTime lastWrong;
};

// The program's own tables for signing in, beside the ten:
//  - cashier_secret: one row per cashier with a PIN, keyed by Cashier_id,
//    holding the PIN's hash, salt, iteration count and must-change flag
//    (plain values: a row copies as it is to another database). Deleting
//    a cashier deletes the row, whichever program deletes the cashier.
//  - shop_options: the shop's switch "Secret codes required" (off when
//    never written, as in every shop made before it existed).
//  - sign_in_tries: the wrong tries in a row, so that the growing wait
//    they call for outlasts a restart.
namespace SignInTables {

// Creates the tables that are missing, in databases made before them.
void createWhenMissing(Database &db);

std::optional<PinSecret> secretOf(Database &db, int cashierId);
void keepSecret(Database &db, int cashierId, const PinSecret &secret);

bool secretCodesRequired(Database &db);
void setSecretCodesRequired(Database &db, bool required);

SignInTries tries(Database &db);
void keepTries(Database &db, const SignInTries &tries);

}
