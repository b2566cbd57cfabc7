#include "field_values.h"

#include "store_error.h"

#include "common/formats.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void refuse(const QString &table, const FieldDef &field, const QVariant &value, const QString &why)
{
    throw StoreError(QStringLiteral("'%1' is not a valid value for field %2 of table %3: %4")
                         .arg(value.toString(), field.name, table, why));
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QTime parseTime(const QString &text)
{
    for (const QString &format : {QStringLiteral("HH:mm:ss"), QStringLiteral("HH:mm"), longTimeFormat()}) {
        const QTime t = QLocale().toTime(text, format);
        if (t.isValid())
            return t;
    }
    return QLocale().toTime(text, QLocale::ShortFormat);
}

QVariant integerValue(const QString &table, const FieldDef &field, const QVariant &value)
{
    qint64 n = 0;
    if (isNumber(value)) {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            refuse(table, field, value, QStringLiteral("not a number"));
        n = static_cast<qint64>(std::trunc(d));
    } else {
        bool ok = false;
        n = QLocale().toLongLong(value.toString().trimmed(), &ok);
        if (!ok)
            n = value.toString().trimmed().toLongLong(&ok);
        if (!ok)
            refuse(table, field, value, QStringLiteral("not a whole number"));
    }
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        refuse(table, field, value, QStringLiteral("out of range"));
    return QVariant(n);
}

QVariant floatValue(const QString &table, const FieldDef &field, const QVariant &value)
{
    double d = 0;
    if (isNumber(value))
        d = value.toDouble();
    else if (!numberFromText(value.toString().trimmed(), d))
        refuse(table, field, value, QStringLiteral("not a number"));
    if (!std::isfinite(d))
        refuse(table, field, value, QStringLiteral("not a number"));
    return QVariant(d);
}

QVariant logicalValue(const QString &table, const FieldDef &field, const QVariant &value)
{
    if (isNumber(value))
        return QVariant(value.toDouble() != 0);
    const QString t = value.toString().trimmed().toUpper();
    if (t == QLatin1String("TRUE") || t == QLatin1String("T") || t == QLatin1String("Y")
        || t == QLatin1String("YES") || t == QLatin1String("1"))
        return QVariant(true);
    if (t == QLatin1String("FALSE") || t == QLatin1String("F") || t == QLatin1String("N")
        || t == QLatin1String("NO") || t == QLatin1String("0"))
        return QVariant(false);
    refuse(table, field, value, QStringLiteral("not True or False"));
}

QVariant dateValue(const QString &table, const FieldDef &field, const QVariant &value)
{
    QDate d;
    if (value.typeId() == QMetaType::QDate)
        d = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        d = value.toDateTime().date();
    else
        d = dateFromText(value.toString());
    if (!d.isValid())
        refuse(table, field, value, QStringLiteral("not a valid date"));
    return QVariant(d);
}

QVariant timeValue(const QString &table, const FieldDef &field, const QVariant &value)
{
    QTime t;
    if (value.typeId() == QMetaType::QTime)
        t = value.toTime();
    else if (value.typeId() == QMetaType::QDateTime)
        t = value.toDateTime().time();
    else
        t = parseTime(value.toString().trimmed());
    if (!t.isValid())
        refuse(table, field, value, QStringLiteral("not a valid time"));
    return QVariant(QTime(t.hour(), t.minute(), t.second()));
}

}

namespace FieldValues {

bool alreadyStored(const FieldDef &field, const QVariant &value)
{
    switch (field.type) {
    case FieldType::Float:
    case FieldType::Money:
        return value.typeId() == QMetaType::Double && std::isfinite(*static_cast<const double *>(value.constData()));
    case FieldType::Logical:
        return value.typeId() == QMetaType::Bool;
    case FieldType::Integer:
        return value.typeId() == QMetaType::LongLong
            && *static_cast<const qint64 *>(value.constData()) >= std::numeric_limits<qint32>::min()
            && *static_cast<const qint64 *>(value.constData()) <= std::numeric_limits<qint32>::max();
    case FieldType::Date:
        return value.typeId() == QMetaType::QDate && static_cast<const QDate *>(value.constData())->isValid();
    case FieldType::Text:
        return value.typeId() == QMetaType::QString && static_cast<const QString *>(value.constData())->size() <= field.size;
    case FieldType::Memo:
        return value.typeId() == QMetaType::QString;
    default:
        return false;
    }
}

QVariant canonical(const QString &table, const FieldDef &field, const QVariant &value)
{
    if (field.type == FieldType::AutoIncrement)
        throw StoreError(QStringLiteral("Field %1 of table %2 is numbered by the table and cannot be written")
                             .arg(field.name, table));
    if (value.isNull() || !value.isValid())
        return QVariant();
    if (alreadyStored(field, value))
        return value; // the usual case of a typed write, worth no conversion
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && value.toString().trimmed().isEmpty() && field.type != FieldType::Text
        && field.type != FieldType::Memo)
        return QVariant(); // an emptied entry field clears the value
    switch (field.type) {
    case FieldType::Integer:
        return integerValue(table, field, value);
    case FieldType::Float:
    case FieldType::Money:
        return floatValue(table, field, value);
    case FieldType::Logical:
        return logicalValue(table, field, value);
    case FieldType::Date:
        return dateValue(table, field, value);
    case FieldType::Time:
        return timeValue(table, field, value);
    case FieldType::Text:
        return QVariant(value.toString().left(field.size));
    default:
        return QVariant(value.toString());
    }
}

double asFloat(const QVariant &v)
{
    return v.isNull() ? 0.0 : v.toDouble();
}

qint64 asInteger(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return static_cast<qint64>(std::trunc(v.toDouble()));
    return v.toLongLong();
}

bool asBoolean(const QVariant &v)
{
    return !v.isNull() && v.toBool();
}

QDate asDate(const QVariant &v)
{
    return v.typeId() == QMetaType::QDate ? v.toDate() : QDate();
}

QTime asTime(const QVariant &v)
{
    return v.typeId() == QMetaType::QTime ? v.toTime() : QTime();
}

QString asString(const FieldDef &field, const QVariant &v)
{
    if (v.isNull())
        return QString();
    switch (field.type) {
    case FieldType::Float:
    case FieldType::Money:
        return generalNumberText(v.toDouble());
    case FieldType::Logical:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date:
        return shortDateText(v.toDate());
    case FieldType::Time:
        return longTimeText(v.toTime());
    default:
        return v.toString();
    }
}

QString displayText(const FieldDef &field, const QVariant &v)
{
    if (!v.isNull() && field.type == FieldType::Money)
        return currencyText(v.toDouble());
    return asString(field, v);
}

}
