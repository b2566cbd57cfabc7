#include "display_mask.h"

#include "common/money.h"

#include <QLocale>
#include <QStringList>
#include <optional>

namespace {

struct MaskSection {
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouped = false;
};

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// Splits on ";" outside quoted text.
QStringList sections(const QString &mask)
{
    QStringList result(QString{});
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            result.append(QString());
            continue;
        }
        result.last().append(c);
    }
    return result;
}

MaskSection parseSection(const QString &text)
{
    MaskSection s;
    bool seenPlaceholder = false;
    bool afterPoint = false;
    QChar quote;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (seenPlaceholder ? s.suffix : s.prefix).append(c);
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (!isPlaceholder(c)) {
            (seenPlaceholder ? s.suffix : s.prefix).append(c);
            continue;
        }
        seenPlaceholder = true;
        if (c == QLatin1Char(',')) {
            s.grouped = true;
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (afterPoint) {
            ++s.maxDecimals;
            if (c == QLatin1Char('0'))
                s.minDecimals = s.maxDecimals;
        } else if (c == QLatin1Char('0')) {
            ++s.minIntegerDigits;
        }
    }
    return s;
}

// |value| in units of 10^-decimals, rounded with ties to even. Up to four
// decimals the value goes through the exact money form first, like every
// amount the program prints.
std::optional<qint64> scaledMagnitude(double value, int decimals)
{
    if (decimals <= 4) {
        if (!Money::fits(value))
            return std::nullopt;
        qint64 divisor = 1;
        for (int d = decimals; d < 4; ++d)
            divisor *= 10;
        const qint64 units = Money::fromDouble(value).units();
        return divideRoundHalfEven(units < 0 ? -units : units, divisor);
    }
    long double scaled = value < 0 ? -static_cast<long double>(value) : value;
    for (int d = 0; d < decimals; ++d)
        scaled *= 10;
    if (!(scaled < 9e18L)) // also NaN
        return std::nullopt;
    return roundHalfEven(scaled);
}

QString digits(qint64 magnitude, const MaskSection &s)
{
    const QLocale locale;
    qint64 divisor = 1;
    for (int d = 0; d < s.maxDecimals; ++d)
        divisor *= 10;
    QString integer = magnitude / divisor == 0 && s.minIntegerDigits == 0 ? QString()
                                                                         : QString::number(magnitude / divisor);
    while (integer.size() < s.minIntegerDigits)
        integer.prepend(QLatin1Char('0'));
    if (s.grouped)
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3)
            integer.insert(at, locale.groupSeparator());

    QString fraction = QString::number(magnitude % divisor).rightJustified(s.maxDecimals, QLatin1Char('0'));
    if (s.maxDecimals == 0)
        fraction.clear();
    while (fraction.size() > s.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction.isEmpty() ? integer : integer + locale.decimalPoint() + fraction;
}

}

QString formatWithMask(double value, const QString &mask)
{
    const QStringList parts = sections(mask);
    const MaskSection positive = parseSection(parts.value(0));
    const bool negative = value < 0;

    const MaskSection chosen = negative && parts.size() > 1 ? parseSection(parts[1]) : positive;
    const std::optional<qint64> scaled = scaledMagnitude(value, chosen.maxDecimals);
    if (!scaled) // a damaged figure beyond any till's amounts: shown as stored
        return QLocale().toString(value, 'g', 15);
    const qint64 magnitude = *scaled;
    if (magnitude == 0) {
        const MaskSection zero = parts.size() > 2 ? parseSection(parts[2]) : positive;
        return zero.prefix + digits(0, zero) + zero.suffix;
    }
    const QString sign = negative && parts.size() < 2 ? QStringLiteral("-") : QString();
    return sign + chosen.prefix + digits(magnitude, chosen) + chosen.suffix;
}
