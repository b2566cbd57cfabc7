#include "amount_families.h"

QString numbered(const QString &stem, int n, const QString &suffix)
{
    return stem + QString::number(n) + suffix;
}

QStringList familyFields(const QString &prefix, const AmountFamily &family, const QString &suffix)
{
    const QString stem = prefix + QLatin1String(family.stem);
    QStringList names;
    for (int n = 1; n <= family.count; ++n)
        names.append(numbered(stem, n, suffix));
    return names;
}

QStringList familyFields(const QString &prefix, std::span<const AmountFamily> families, const QString &suffix)
{
    QStringList names;
    for (const AmountFamily &family : families)
        names += familyFields(prefix, family, suffix);
    return names;
}
