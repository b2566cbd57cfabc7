#include "pin_secret.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace {

constexpr int SaltBytes = 16;
constexpr int HashBytes = 32; // one SHA-256 block: longer keys cost more for the till than for an attacker

QByteArray derive(const QString &pin, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, pin.toUtf8(), salt, iterations, HashBytes);
}

// Compares every byte, so the time taken says nothing of where two hashes differ.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}

bool PinSecret::isValidPin(const QString &pin)
{
    if (pin.size() < MinimumLength || pin.size() > MaximumLength)
        return false;
    for (const QChar c : pin)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

PinSecret PinSecret::forPin(const QString &pin, bool mustChange)
{
    quint32 salt[SaltBytes / sizeof(quint32)];
    QRandomGenerator::system()->fillRange(salt);
    PinSecret secret;
    secret.salt = QByteArray(reinterpret_cast<const char *>(salt), SaltBytes);
    secret.iterations = DefaultIterations;
    secret.hash = derive(pin, secret.salt, secret.iterations);
    secret.mustChange = mustChange;
    return secret;
}

void PinSecret::spendCheckTime()
{
    derive(QStringLiteral("0000"), QByteArray(SaltBytes, '\0'), DefaultIterations);
}

bool PinSecret::matches(const QString &pin) const
{
    if (iterations <= 0 || salt.isEmpty())
        return false; // a damaged row lets no one in
    return sameBytes(derive(pin, salt, iterations), hash);
}
