#include "secret_code_check.h"

#include "store/data_module.h"
#include "store/sign_in_tables.h"

SecretCodeCheck SecretCodeCheck::run(TDataModule2 &dm, int code, const QString &pin)
{
    SecretCodeCheck check;
    if (!dm.cashiertb.findKey(code)) {
        PinSecret::spendCheckTime();
        return check;
    }
    Database &db = dm.database();
    const std::optional<PinSecret> secret = SignInTables::secretOf(db, code);
    if (!secret) {
        check.verdict = ChoosePin;
        return check;
    }
    if (!secret->matches(pin))
        return check;
    if (secret->mustChange) {
        check.verdict = ChoosePin;
        check.given = secret;
        return check;
    }
    if (secret->outdated())
        SignInTables::keepSecret(db, code, PinSecret::forPin(pin));
    check.verdict = SignedIn;
    return check;
}
