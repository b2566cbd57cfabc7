#include "product_line.h"

#include "comma_text.h"

#include "common/formats.h"

#include <limits>

namespace {

// An integer field of the product: a whole number of 32 bits, 0 otherwise.
int integerOrZero(const QString &text)
{
    const std::optional<qint64> n = wholeNumberFromText(text);
    return n && *n >= std::numeric_limits<qint32>::min() && *n <= std::numeric_limits<qint32>::max() ? int(*n) : 0;
}

std::optional<double> decimal(const QString &text)
{
    double value = 0;
    return numberFromText(text, value) ? std::optional<double>(value) : std::nullopt;
}

// A tax applies when the field starts with Y or T, in either case.
bool taxFlag(const QString &text)
{
    const QChar first = text.isEmpty() ? QChar() : text.front().toUpper();
    return first == u'Y' || first == u'T';
}

int digitValue(QChar ch, int base)
{
    const int value = ch >= u'0' && ch <= u'9' ? ch.unicode() - u'0'
        : ch >= u'a' && ch <= u'f'            ? ch.unicode() - u'a' + 10
        : ch >= u'A' && ch <= u'F'            ? ch.unicode() - u'A' + 10
                                              : 99;
    return value < base ? value : -1;
}

}

std::optional<qint64> wholeNumberFromText(QStringView text)
{
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar ch : text) {
        const int digit = digitValue(ch, base);
        if (digit < 0 || value > (quint64(std::numeric_limits<qint64>::max()) - quint64(digit)) / quint64(base))
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
    }
    return negative ? -qint64(value) : qint64(value);
}

SkipReason readProductLine(QStringView text, ProductLine &line)
{
    // One field more than needed tells a wrong line; the rest is counted.
    QStringList fields;
    CommaText comma(text);
    for (line.fieldCount = 0; !comma.atEnd(); ++line.fieldCount) {
        if (fields.size() <= ImportFieldCount)
            fields.append(comma.nextField());
        else
            comma.skipField();
    }
    if (line.fieldCount != ImportFieldCount)
        return SkipReason::FieldCount;
    line.upcText = fields[0];
    const std::optional<qint64> upc = wholeNumberFromText(fields[0]);
    if (!upc || *upc < 1 || *upc > MaxImportUpc)
        return SkipReason::InvalidUpc;
    line.upc = double(*upc);
    line.desc = fields[1];
    line.shortDesc = fields[2];
    line.dept = integerOrZero(fields[3]);
    line.price = decimal(fields[4]);
    line.promo = decimal(fields[5]);
    line.promoStart = dateFromText(fields[6]);
    line.promoEnd = dateFromText(fields[7]);
    line.avgCost = decimal(fields[8]);
    line.tx1 = taxFlag(fields[9]);
    line.tx2 = taxFlag(fields[10]);
    line.tx3 = taxFlag(fields[11]);
    line.accnt = integerOrZero(fields[12]);
    return SkipReason::None;
}
