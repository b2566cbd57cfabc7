#include "journal_records.h"

#include "common/amount_families.h"
#include "common/formats.h"
#include "common/money.h"
#include "store/record.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace {

QString joined(const QStringList &fields)
{
    QString out;
    out.reserve(16 * fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        out += JournalRecords::quoted(fields[i]);
    }
    return out;
}

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
    const int64_t units = Money::fromDouble(amount).units();
    const uint64_t magnitude = units < 0 ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    QString text = QString::number(magnitude / Money::Scale);
    const uint64_t fraction = magnitude % Money::Scale;
    if (fraction != 0) {
        // Four decimals, without the zeros that end them.
        char decimals[4];
        uint64_t rest = fraction;
        for (int i = 3; i >= 0; --i, rest /= 10)
            decimals[i] = char('0' + rest % 10);
        qsizetype length = 4;
        while (decimals[length - 1] == '0')
            --length;
        text += QLocale().decimalPoint() + QLatin1String(decimals, length);
    }
    return units < 0 ? QLatin1Char('-') + text : text;
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
    QStringList fields{QStringLiteral("0"),
                       wholeNumber(t.asFloat(QStringLiteral("Trxh_id"))),
                       shortDateText(t.asDate(QStringLiteral("Trxh_date"))),
                       longTimeText(t.asTime(QStringLiteral("Trxh_time"))),
                       QString::number(t.asInteger(QStringLiteral("Trxh_cashier"))),
                       money(t.asFloat(QStringLiteral("Trxh_total")))};
    for (const QString &amount : familyFields(QStringLiteral("Trxh_"), TotalledFamilies))
        fields.append(money(t.asFloat(amount)));
    fields.append(money(t.asFloat(QStringLiteral("Trxh_grand_total"))));
    fields.append(money(t.asFloat(QStringLiteral("Trxh_change"))));
    fields.append(QString::number(t.asInteger(QStringLiteral("Trxh_terminal_id"))));
    return joined(fields);
}

QString line(const Record &t, int account)
{
    QStringList fields{QStringLiteral("1"),
                       wholeNumber(t.asFloat(QStringLiteral("Trx_id"))),
                       wholeNumber(t.asFloat(QStringLiteral("Trx_upc"))),
                       t.asString(QStringLiteral("Trx_desc")),
                       number(t.asFloat(QStringLiteral("Trx_qty"))),
                       money(t.asFloat(QStringLiteral("Trx_price"))),
                       money(t.asFloat(QStringLiteral("Trx_dscamt"))),
                       money(t.asFloat(QStringLiteral("Trx_total"))),
                       number(t.asFloat(QStringLiteral("Trx_dsc_per"))),
                       money(t.asFloat(QStringLiteral("Trx_cost")))};
    for (const QString &taxed : taxedFields())
        fields.append(flag(t.value(taxed)));
    fields.append(QString::number(account));
    return joined(fields);
}

}
