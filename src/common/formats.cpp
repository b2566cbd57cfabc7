#include "formats.h"

#include "money.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

struct Conversion {
    bool leftAligned = false;
    int width = 0;
    int decimals = 2;
    QChar type;
};

QString aligned(const QString &text, const Conversion &c)
{
    return c.leftAligned ? text.leftJustified(c.width, QLatin1Char(' '))
                         : text.rightJustified(c.width, QLatin1Char(' '));
}

QString convert(const Conversion &c, const QVariant &value)
{
    switch (c.type.unicode()) {
    case 'd':
        return aligned(QString::number(truncatedInteger(value.toDouble())), c);
    case 'm':
        return aligned(currencyText(value.toDouble(), c.decimals), c);
    default:
        return aligned(value.toString(), c);
    }
}

}

QString formatLine(QStringView pattern, std::initializer_list<QVariant> args)
{
    QString out;
    auto arg = args.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern[i];
        if (ch != QLatin1Char('%')) {
            out += ch;
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == QLatin1Char('%')) {
            out += ch;
            ++i;
            continue;
        }
        Conversion c;
        qsizetype j = i + 1;
        if (j < pattern.size() && pattern[j] == QLatin1Char('-')) {
            c.leftAligned = true;
            ++j;
        }
        while (j < pattern.size() && pattern[j].isDigit())
            c.width = c.width * 10 + pattern[j++].digitValue();
        if (j < pattern.size() && pattern[j] == QLatin1Char('.')) {
            c.decimals = 0;
            ++j;
            while (j < pattern.size() && pattern[j].isDigit())
                c.decimals = c.decimals * 10 + pattern[j++].digitValue();
        }
        if (j >= pattern.size() || arg == args.end()) {
            out += pattern.mid(i);
            break;
        }
        c.type = pattern[j];
        out += convert(c, *arg++);
        i = j;
    }
    return out;
}

QString currencyText(double amount, int decimals)
{
    // An amount beyond the exact form (damaged totals) is shown as it is:
    // a double that large has no cents to round anyway.
    if (!Money::fits(amount))
        return QLocale().toCurrencyString(amount, QString(), decimals);
    // Round exactly first (ties to even), so the text never depends on how
    // the double happens to sit around a half cent.
    const Money exact = Money::fromDouble(amount);
    int64_t scale = 1;
    for (int d = decimals; d < 4; ++d)
        scale *= 10;
    const int64_t rounded = divideRoundHalfEven(exact.units(), scale);
    const long double value = static_cast<long double>(rounded) * scale / Money::Scale;
    return QLocale().toCurrencyString(static_cast<double>(value), QString(), decimals);
}

QString generalNumberText(double value)
{
    // Called for every quantity a report or the journal shows: the locale
    // without group separators is made again only when the regional
    // settings change, not at every number.
    thread_local std::optional<QLocale> regional;
    thread_local QLocale ungrouped;
    if (const QLocale current; current != regional) {
        regional = current;
        ungrouped = current;
        ungrouped.setNumberOptions(current.numberOptions() | QLocale::OmitGroupSeparator);
    }
    // A whole number of up to 15 digits reads the same in general form as
    // an integer, which formats far faster.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return ungrouped.toString(static_cast<qlonglong>(value));
    return ungrouped.toString(value, 'g', 15);
}

qint64 truncatedInteger(double value)
{
    return static_cast<qint64>(std::trunc(value));
}

QString centredLine(const QString &text, int paperWidth)
{
    const qsizetype length = text.size();
    const qsizetype indent = length >= paperWidth ? 0 : std::min<qsizetype>((paperWidth - length) / 2, 30);
    return QString(indent, QLatin1Char(' ')) + text;
}

QString shortDateText(const QDate &date)
{
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
}

QDate dateFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid() || trimmed.isEmpty())
        return date;
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (format.count(QLatin1Char('y')) != 2)
        return QLocale().toDate(trimmed, format);
    date = QLocale().toDate(trimmed, QString(format).replace(QStringLiteral("yy"), QStringLiteral("yyyy")));
    if (date.isValid())
        return date;
    // Qt reads "yy" as 1900 to 1999; a till means this century.
    date = QLocale().toDate(trimmed, format);
    return date.isValid() ? date.addYears(100) : date;
}

namespace {

// The plain forms "4000", "-3" and "19.99" mean the same under every
// locale: a full stop is the decimal point or no part of a number, except
// before exactly three digits, where it may separate thousands. They are
// read without the locale's parser, which costs a microsecond a number
// (an import reads hundreds of thousands).
bool plainNumber(QStringView text, double &number)
{
    char digits[32];
    if (text.isEmpty() || text.size() > qsizetype(sizeof digits))
        return false;
    qsizetype dot = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'.' && dot < 0 && i > 0 && text[i - 1] != u'-')
            dot = i;
        else if (!(ch >= u'0' && ch <= u'9') && !(ch == u'-' && i == 0))
            return false;
        digits[i] = char(ch);
    }
    if (dot >= 0 && (text.size() - dot - 1 == 3 || dot == text.size() - 1))
        return false;
    const char *end = digits + text.size();
    const auto result = std::from_chars(digits, end, number);
    return result.ec == std::errc() && result.ptr == end;
}

}

bool numberFromText(const QString &text, double &number)
{
    if (plainNumber(text, number))
        return true;
    bool ok = false;
    number = QLocale().toDouble(text, &ok);
    if (!ok)
        number = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(number);
}

QString longTimeFormat()
{
    // The regional long time format without its time-zone part: the
    // unquoted runs of "t" and the blanks around them go.
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar ch : format) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && ch == QLatin1Char('t'))
            continue;
        result += ch;
    }
    return result.trimmed();
}

QString longTimeText(const QTime &time)
{
    return time.isValid() ? QLocale().toString(time, longTimeFormat()) : QString();
}
