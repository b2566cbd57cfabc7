#include "sign_in_tables.h"

#include "database.h"
#include "sqlite_statement.h"

namespace {

const char *const Creations[][2] = {
    {"cashier_secret",
     "CREATE TABLE \"cashier_secret\" (\"Cashier_id\" INTEGER NOT NULL PRIMARY KEY, \"Secret_hash\" BLOB, "
     "\"Secret_salt\" BLOB, \"Secret_iterations\" INTEGER, \"Secret_must_change\" INTEGER)"},
    {"cashier_secret_gone",
     "CREATE TRIGGER \"cashier_secret_gone\" AFTER DELETE ON \"cashier\" BEGIN "
     "DELETE FROM \"cashier_secret\" WHERE \"Cashier_id\" = OLD.\"Cashier_id\"; END"},
    {"shop_options",
     "CREATE TABLE \"shop_options\" (\"Options_id\" INTEGER NOT NULL PRIMARY KEY CHECK (\"Options_id\" = 1), "
     "\"Secret_codes_required\" INTEGER)"},
    {"sign_in_tries",
     "CREATE TABLE \"sign_in_tries\" (\"Tries_id\" INTEGER NOT NULL PRIMARY KEY CHECK (\"Tries_id\" = 1), "
     "\"Tries_wrong_in_row\" INTEGER, \"Tries_last_wrong\" TEXT)"},
};

bool exists(Database &db, const char *name)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ?"));
    st.start({QString::fromLatin1(name)});
    return st.step();
}

// One row of a one-row table, written whether it is there yet or not.
void upsert(Database &db, const QString &sql, const QVariantList &values)
{
    db.beforeWrite();
    SqliteStatement(db.handle(), sql).run(values);
}

}

namespace SignInTables {

void createWhenMissing(Database &db)
{
    QList<const char *> missing;
    for (const auto &[name, sql] : Creations)
        if (!exists(db, name))
            missing << sql;
    if (missing.isEmpty())
        return;
    StoreTransaction transaction(db);
    for (const char *sql : missing)
        executeSql(db.handle(), QString::fromLatin1(sql));
    transaction.commit();
}

std::optional<PinSecret> secretOf(Database &db, int cashierId)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Secret_hash\", \"Secret_salt\", \"Secret_iterations\", "
                                                   "\"Secret_must_change\" FROM \"cashier_secret\" "
                                                   "WHERE \"Cashier_id\" = ?"));
    st.start({cashierId});
    if (!st.step())
        return std::nullopt;
    PinSecret secret;
    secret.hash = st.bytes(0);
    secret.salt = st.bytes(1);
    secret.iterations = int(st.integer(2));
    secret.mustChange = st.integer(3) != 0;
    return secret;
}

void keepSecret(Database &db, int cashierId, const PinSecret &secret)
{
    upsert(db,
           // An update of a row held (not a replacement), so that a lane sees the change of it.
           QStringLiteral("INSERT INTO \"cashier_secret\" (\"Cashier_id\", \"Secret_hash\", \"Secret_salt\", "
                          "\"Secret_iterations\", \"Secret_must_change\") VALUES (?1, ?2, ?3, ?4, ?5) "
                          "ON CONFLICT (\"Cashier_id\") DO UPDATE SET \"Secret_hash\" = ?2, \"Secret_salt\" = ?3, "
                          "\"Secret_iterations\" = ?4, \"Secret_must_change\" = ?5"),
           {cashierId, secret.hash, secret.salt, secret.iterations, secret.mustChange});
}

bool secretCodesRequired(Database &db)
{
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Secret_codes_required\" FROM \"shop_options\""));
    st.start();
    return st.step() && st.integer(0) != 0;
}

void setSecretCodesRequired(Database &db, bool required)
{
    upsert(db,
           QStringLiteral("INSERT INTO \"shop_options\" (\"Options_id\", \"Secret_codes_required\") VALUES (1, ?1) "
                          "ON CONFLICT (\"Options_id\") DO UPDATE SET \"Secret_codes_required\" = ?1"),
           {required});
}

SignInTries tries(Database &db)
{
    SqliteStatement st(db.handle(),
                       QStringLiteral("SELECT \"Tries_wrong_in_row\", \"Tries_last_wrong\" FROM \"sign_in_tries\""));
    st.start();
    SignInTries tries;
    if (st.step()) {
        tries.wrongInRow = int(st.integer(0));
        tries.lastWrong = QDateTime::fromString(st.text(1), Qt::ISODateWithMs);
    }
    return tries;
}

void keepTries(Database &db, const SignInTries &tries)
{
    // In UTC, so that a change to or from summer time neither shortens nor lengthens the wait.
    const QVariant lastWrong = tries.lastWrong.isValid() ? QVariant(tries.lastWrong.toUTC().toString(Qt::ISODateWithMs))
                                                         : QVariant();
    upsert(db,
           QStringLiteral("INSERT INTO \"sign_in_tries\" (\"Tries_id\", \"Tries_wrong_in_row\", \"Tries_last_wrong\") "
                          "VALUES (1, ?1, ?2) ON CONFLICT (\"Tries_id\") DO UPDATE SET "
                          "\"Tries_wrong_in_row\" = ?1, \"Tries_last_wrong\" = ?2"),
           {tries.wrongInRow, lastWrong});
}

}
