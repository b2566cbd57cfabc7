#pragma once

#include "common/pin_secret.h"

#include <QString>
#include <optional>

class TDataModule2;

// What a cashier code and a PIN come to in a shop that requires secret
// codes. A code without a cashier and a PIN that is not the cashier's are
// one and the same refusal, which takes as long either way.
struct SecretCodeCheck {
    enum Verdict {
        Refused,
        SignedIn,
        // The cashier has no PIN yet (any PIN typed is ignored), or was
        // given one by a manager to be replaced: a new one comes first.
        ChoosePin,
    };
    Verdict verdict = Refused;
    // The secret to be replaced, for ChoosePin after a given PIN.
    std::optional<PinSecret> given;

    // Looks the code up in cashier.DB, which then stands on the cashier,
    // and checks the PIN. A PIN kept with fewer iterations than new ones
    // get is hashed again, with the same PIN, as it is found right.
    static SecretCodeCheck run(TDataModule2 &dm, int code, const QString &pin);
};
