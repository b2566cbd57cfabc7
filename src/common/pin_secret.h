#pragma once

#include <QByteArray>
#include <QString>

// A cashier's secret code as it is kept: never the PIN itself, only a
// PBKDF2-SHA256 hash of it with a random salt of its own and the number of
// iterations it took, so that the count can be raised for new PINs while
// the ones kept still check. Plain values, copied as they are from one
// database to another.
struct PinSecret {
    // About 50 ms of one core for one check (measured with bench_pin_secret).
    static constexpr int DefaultIterations = 27000;
    static constexpr int MinimumLength = 4;
    static constexpr int MaximumLength = 8;

    QByteArray hash;
    QByteArray salt;
    int iterations = 0;
    // Given by a manager: the cashier chooses a new PIN at the next sign-in.
    bool mustChange = false;

    // 4 to 8 digits.
    static bool isValidPin(const QString &pin);
    // A new secret for a PIN, with a new salt and the current iteration count.
    static PinSecret forPin(const QString &pin, bool mustChange = false);
    // The work of one check, for a code that has no secret to check: a
    // refusal then takes as long as that of a wrong PIN.
    static void spendCheckTime();

    bool matches(const QString &pin) const;
    // Kept with fewer iterations than a new one gets.
    bool outdated() const { return iterations < DefaultIterations; }
};
