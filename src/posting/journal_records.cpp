#include "journal_records.h"

#include "common/amount_families.h"
#include "common/formats.h"
#include "common/money.h"
#include "store/table.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace {

QString joined(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(JournalRecords::quoted(f));
    return out.join(QLatin1Char(','));
}

QString moneyField(Table &table, const QString &name)
{
    return JournalRecords::money(table.field(name).asFloat());
}

QString integerField(Table &table, const QString &name)
{
    return QString::number(table.field(name).asInteger());
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
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLocale().decimalPoint() + decimals;
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

QString header(Table &t)
{
    QStringList fields{QStringLiteral("0"),
                       wholeNumber(t.field(QStringLiteral("Trxh_id")).asFloat()),
                       shortDateText(t.field(QStringLiteral("Trxh_date")).asDate()),
                       longTimeText(t.field(QStringLiteral("Trxh_time")).asTime()),
                       integerField(t, QStringLiteral("Trxh_cashier")),
                       moneyField(t, QStringLiteral("Trxh_total"))};
    for (const QString &amount : familyFields(QStringLiteral("Trxh_"), TotalledFamilies))
        fields.append(moneyField(t, amount));
    fields.append(moneyField(t, QStringLiteral("Trxh_grand_total")));
    fields.append(moneyField(t, QStringLiteral("Trxh_change")));
    fields.append(integerField(t, QStringLiteral("Trxh_terminal_id")));
    return joined(fields);
}

QString line(Table &t, int account)
{
    QStringList fields{QStringLiteral("1"),
                       wholeNumber(t.field(QStringLiteral("Trx_id")).asFloat()),
                       wholeNumber(t.field(QStringLiteral("Trx_upc")).asFloat()),
                       t.field(QStringLiteral("Trx_desc")).asString(),
                       number(t.field(QStringLiteral("Trx_qty")).asFloat()),
                       moneyField(t, QStringLiteral("Trx_price")),
                       moneyField(t, QStringLiteral("Trx_dscamt")),
                       moneyField(t, QStringLiteral("Trx_total")),
                       number(t.field(QStringLiteral("Trx_dsc_per")).asFloat()),
                       moneyField(t, QStringLiteral("Trx_cost"))};
    for (const QString &taxed : familyFields(QStringLiteral("Trx_"), Taxes))
        fields.append(flag(t.field(taxed).value()));
    fields.append(QString::number(account));
    return joined(fields);
}

}
