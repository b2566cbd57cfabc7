#include "outbox_messages.h"

#include "common/clock.h"
#include "store/database.h"
#include "store/sale_record.h"
#include "store/schema.h"
#include "store/sqlite_statement.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue jsonOf(const QVariant &value, FieldType type)
{
    if (value.isNull())
        return QJsonValue::Null;
    switch (type) {
    case FieldType::Float:
    case FieldType::Money:
        return value.toDouble();
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return value.toLongLong();
    case FieldType::Logical:
        return value.toLongLong() != 0;
    case FieldType::Date: // as the register keeps it
        return value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate) : value.toString();
    case FieldType::Time:
        return value.typeId() == QMetaType::QTime ? value.toTime().toString(QStringLiteral("HH:mm:ss"))
                                                 : value.toString();
    default:
        return value.toString();
    }
}

QString columnList(const QList<FieldDef> &fields)
{
    QStringList quoted;
    for (const FieldDef &f : fields)
        quoted.append(QLatin1Char('"') + f.name + QLatin1Char('"'));
    return quoted.join(QStringLiteral(", "));
}

QJsonObject rowOf(const SqliteStatement &st, const QList<FieldDef> &fields)
{
    QJsonObject row;
    for (int i = 0; i < fields.size(); ++i)
        row.insert(fields[i].name, jsonOf(st.value(i), fields[i].type));
    return row;
}

QJsonObject rowOf(const Record &record)
{
    const QList<FieldDef> &fields = record.definition().fields;
    QJsonObject row;
    for (int i = 0; i < fields.size(); ++i)
        row.insert(fields[i].name, jsonOf(record.values()[i], fields[i].type));
    return row;
}

QByteArray message(const QJsonObject &header, const QJsonArray &lines)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("header"), header}, {QStringLiteral("lines"), lines}})
        .toJson(QJsonDocument::Compact);
}

}

namespace OutboxMessages {

QByteArray saleFromRegister(Database &db, double transactionNumber)
{
    const QList<FieldDef> &headerFields = Schema::tranmaster().fields;
    static const QString headerSql =
        QStringLiteral("SELECT %1 FROM \"tranmaster\" WHERE \"Trxh_id\" = ?").arg(columnList(headerFields));
    SqliteStatement &header = db.statement(headerSql);
    header.start({transactionNumber});
    if (!header.step())
        return {};
    const QJsonObject headerRow = rowOf(header, headerFields);
    header.reset();

    const QList<FieldDef> &lineFields = Schema::trandetail().fields;
    static const QString linesSql =
        QStringLiteral("SELECT %1 FROM \"trandetail\" WHERE \"Trx_id\" = ? ORDER BY \"Trx_seq\"")
            .arg(columnList(lineFields));
    SqliteStatement &lines = db.statement(linesSql);
    lines.start({transactionNumber});
    QJsonArray lineRows;
    while (lines.step())
        lineRows.append(rowOf(lines, lineFields));
    lines.reset();
    return message(headerRow, lineRows);
}

QByteArray sale(const SaleRecord &posted)
{
    QJsonArray lineRows;
    for (const Record &line : posted.lines)
        lineRows.append(rowOf(line));
    return message(rowOf(posted.header), lineRows);
}

QByteArray stockReceipt(Database &db, const SaleRecord &received)
{
    const QDateTime now = Clock::now();
    const QJsonObject header{
        {QStringLiteral("Receipt_date"), now.date().toString(Qt::ISODate)},
        {QStringLiteral("Receipt_time"), now.time().toString(Qt::ISODate)},
        {QStringLiteral("Cashier_id"), jsonOf(received.header.value(QStringLiteral("Trxh_cashier")), FieldType::Integer)}};

    const QList<FieldDef> lineFields{{QStringLiteral("Trx_upc"), FieldType::Float},
                                     {QStringLiteral("Trx_desc"), FieldType::Text},
                                     {QStringLiteral("Trx_qty"), FieldType::Float},
                                     {QStringLiteral("Trx_price"), FieldType::Money},
                                     {QStringLiteral("Trx_total"), FieldType::Money}};
    SqliteStatement &product =
        db.statement(QStringLiteral("SELECT 1 FROM \"product\" WHERE \"Product_upc\" = ?"));
    QJsonArray lineRows;
    for (const Record &line : received.lines) {
        product.start({line.value(QStringLiteral("Trx_upc"))});
        const bool moved = product.step();
        product.reset();
        if (!moved)
            continue;
        QJsonObject row;
        for (const FieldDef &f : lineFields)
            row.insert(f.name, jsonOf(line.value(f.name), f.type));
        row.insert(QStringLiteral("Line_no"), lineRows.size() + 1);
        lineRows.append(row);
    }
    return message(header, lineRows);
}

}
