#include "journal_records.h"

#include "common/amount_families.h"
#include "common/formats.h"
#include "common/money.h"
#include "store/record.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <charconv>

namespace {

// The shortest decimal form of the amount rounded to four decimals, with
// the decimal separator given.
QString moneyText(double amount, const QString &point)
{
    const int64_t units = Money::fromDouble(amount).units();
    const uint64_t magnitude = units < 0 ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    char whole[24];
    const auto end = std::to_chars(whole, whole + sizeof whole, magnitude / Money::Scale).ptr;
    QString text;
    text.reserve(24);
    if (units < 0)
        text += QLatin1Char('-');
    text += QLatin1StringView(whole, end - whole);
    if (const uint64_t fraction = magnitude % Money::Scale; fraction != 0) {
        // Four decimals, without the zeros that end them.
        char decimals[4];
        uint64_t rest = fraction;
        for (int i = 3; i >= 0; --i, rest /= 10)
            decimals[i] = char('0' + rest % 10);
        qsizetype length = 4;
        while (decimals[length - 1] == '0')
            --length;
        text += point;
        text += QLatin1StringView(decimals, length);
    }
    return text;
}

// A record's text, its fields joined by commas and quoted where needed as
// they are added. The regional decimal separator is read once a record.
class RecordText {
public:
    explicit RecordText(char type) : point_(QLocale().decimalPoint())
    {
        text_.reserve(192);
        text_ += QLatin1Char(type);
    }
    RecordText &operator<<(const QString &field)
    {
        text_ += QLatin1Char(',');
        text_ += JournalRecords::quoted(field);
        return *this;
    }
    RecordText &money(double amount) { return *this << moneyText(amount, point_); }
    QString take() { return std::move(text_); }

private:
    QString point_;
    QString text_;
};

// The tax flags of a line, named once.
const QStringList &taxedFields()
{
    static const QStringList names = familyFields(QStringLiteral("Trx_"), Taxes);
    return names;
}

}

namespace JournalRecords {

QString quoted(const QString &text)
{
    const bool needsQuotes = std::any_of(text.cbegin(), text.cend(), [](QChar ch) {
        return ch.unicode() <= 32 || ch == QLatin1Char('"') || ch == QLatin1Char(',');
    });
    if (!needsQuotes)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString wholeNumber(double value)
{
    return QString::number(truncatedInteger(value));
}

QString money(double amount)
{
    return moneyText(amount, QLocale().decimalPoint());
}

QString number(double value)
{
    return generalNumberText(value);
}

QString flag(const QVariant &value)
{
    if (value.isNull())
        return QString();
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

QString header(const Record &t)
{
    RecordText text('0');
    text << wholeNumber(t.asFloat(QStringLiteral("Trxh_id"))) << shortDateText(t.asDate(QStringLiteral("Trxh_date")))
         << longTimeText(t.asTime(QStringLiteral("Trxh_time")))
         << QString::number(t.asInteger(QStringLiteral("Trxh_cashier")));
    text.money(t.asFloat(QStringLiteral("Trxh_total")));
    static const QStringList amounts = familyFields(QStringLiteral("Trxh_"), TotalledFamilies);
    for (const QString &amount : amounts)
        text.money(t.asFloat(amount));
    text.money(t.asFloat(QStringLiteral("Trxh_grand_total")));
    text.money(t.asFloat(QStringLiteral("Trxh_change")));
    text << QString::number(t.asInteger(QStringLiteral("Trxh_terminal_id")));
    return text.take();
}

QString line(const Record &t, int account)
{
    RecordText text('1');
    text << wholeNumber(t.asFloat(QStringLiteral("Trx_id"))) << wholeNumber(t.asFloat(QStringLiteral("Trx_upc")))
         << t.asString(QStringLiteral("Trx_desc")) << number(t.asFloat(QStringLiteral("Trx_qty")));
    text.money(t.asFloat(QStringLiteral("Trx_price")))
        .money(t.asFloat(QStringLiteral("Trx_dscamt")))
        .money(t.asFloat(QStringLiteral("Trx_total")));
    text << number(t.asFloat(QStringLiteral("Trx_dsc_per")));
    text.money(t.asFloat(QStringLiteral("Trx_cost")));
    for (const QString &taxed : taxedFields())
        text << flag(t.value(taxed));
    text << QString::number(account);
    return text.take();
}

}
