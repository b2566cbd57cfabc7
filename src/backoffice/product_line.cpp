#include "product_line.h"

#include "common/formats.h"

#include <limits>

namespace {

// Tells whether every value of a line read as one.
class ValueCheck {
public:
    bool allRead() const { return allRead_; }

    int integer(const QString &text)
    {
        const std::optional<qint64> n = wholeNumberFromText(text);
        const bool fits = n && *n >= std::numeric_limits<qint32>::min() && *n <= std::numeric_limits<qint32>::max();
        note(text, fits);
        return fits ? int(*n) : 0;
    }
    std::optional<double> decimal(const QString &text)
    {
        double value = 0;
        const bool read = numberFromText(text, value);
        note(text, read);
        return read ? std::optional<double>(value) : std::nullopt;
    }
    QDate date(const QString &text)
    {
        const QDate value = dateFromText(text);
        note(text, value.isValid());
        return value;
    }
    // A tax applies when the field starts with Y or T, in either case; N,
    // F, 0 and 1 are read as the words of a flag too.
    bool taxFlag(const QString &text)
    {
        const QChar first = text.isEmpty() ? QChar() : text.front().toUpper();
        note(text, QStringLiteral("YTNF01").contains(first));
        return first == u'Y' || first == u'T';
    }

private:
    void note(const QString &text, bool read) { allRead_ = allRead_ && (read || text.trimmed().isEmpty()); }
    bool allRead_ = true;
};

QString withoutTabs(const QString &field)
{
    return ownCopy(field).replace(QLatin1Char('\t'), QLatin1Char(' '));
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

ProductLine readProductLine(const ImportFields &fields, int lineNumber)
{
    ProductLine line;
    line.lineNumber = lineNumber;
    line.fieldCount = fields.count;
    if (fields.count != ImportFieldCount) {
        line.skipped = SkipReason::FieldCount;
        return line;
    }
    const QStringList &f = fields.kept;
    const std::optional<qint64> upc = wholeNumberFromText(f[0]);
    if (!upc || *upc < 1 || *upc > MaxImportUpc) {
        line.upcText = ownCopy(f[0]);
        line.skipped = SkipReason::InvalidUpc;
        return line;
    }
    ValueCheck check;
    line.upc = double(*upc);
    line.desc = withoutTabs(f[1]);
    line.shortDesc = withoutTabs(f[2]);
    line.dept = check.integer(f[3]);
    line.price = check.decimal(f[4]);
    line.promo = check.decimal(f[5]);
    line.promoStart = check.date(f[6]);
    line.promoEnd = check.date(f[7]);
    line.avgCost = check.decimal(f[8]);
    line.tx1 = check.taxFlag(f[9]);
    line.tx2 = check.taxFlag(f[10]);
    line.tx3 = check.taxFlag(f[11]);
    line.accnt = check.integer(f[12]);
    line.allValuesRead = check.allRead();
    return line;
}
