#include "report_csv.h"

#include "lanes/store_report_data.h"

#include <QDateTime>

namespace {

QString quoted(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString field(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.userType()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime:
        return value.toDateTime().toOffsetFromUtc(value.toDateTime().toLocalTime().offsetFromUtc()).toString(Qt::ISODate);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return quoted(value.toString());
    }
}

}

QByteArray storeReportCsv(const StoreReportTable &table)
{
    QStringList lines;
    QStringList heading;
    for (const QString &column : table.columns())
        heading.append(quoted(column));
    lines.append(heading.join(QLatin1Char(',')));
    for (const QVariantList &row : table.rows()) {
        QStringList fields;
        for (const QVariant &value : row)
            fields.append(field(value));
        lines.append(fields.join(QLatin1Char(',')));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
