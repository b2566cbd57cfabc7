#include "shop_tables.h"

#include "store/schema.h"
#include "store/sqlite_statement.h"

#include <QDate>

namespace {

QStringList numbered(const char *stem, int from, int to, const char *suffix = "")
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names.append(QLatin1String(stem) + QString::number(i) + QLatin1String(suffix));
    return names;
}

ShopTables::Kind kindOf(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return ShopTables::Kind::Integer;
    case FieldType::Float:
    case FieldType::Money:
        return ShopTables::Kind::Real;
    case FieldType::Logical:
        return ShopTables::Kind::Logical;
    case FieldType::Date:
        return ShopTables::Kind::Date;
    default:
        return ShopTables::Kind::Text;
    }
}

QVariant startingValue(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return qint64(0);
    case FieldType::Float:
    case FieldType::Money:
        return 0.0;
    case FieldType::Logical:
        return false;
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("");
    default:
        return {};
    }
}

// One of the ten tables: the shop's fields named, the rest the lane's own.
ShopTables::ShopTable fromSchema(const TableDef &def, const QString &key, const QStringList &shopFields)
{
    ShopTables::ShopTable table{def.name, key, {}, {}};
    for (const QString &name : shopFields)
        for (const FieldDef &f : def.fields)
            if (f.name == name)
                table.columns.append({name, kindOf(f.type)});
    for (const FieldDef &f : def.fields)
        if (!shopFields.contains(f.name))
            table.ownDefaults.append({f.name, startingValue(f.type)});
    return table;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

}

namespace ShopTables {

QString ShopTable::columnList(const QString &alias) const
{
    QStringList names;
    for (const Column &c : columns)
        names.append(alias + quoted(c.name));
    return names.join(QStringLiteral(", "));
}

QString ShopTable::literalRow(const QString &alias) const
{
    QStringList pairs;
    for (const Column &c : columns)
        pairs.append(QStringLiteral("'%1', quote(%2.%3)").arg(c.name, alias, quoted(c.name)));
    return QStringLiteral("json_object(%1)").arg(pairs.join(QStringLiteral(", ")));
}

const QList<ShopTable> &all()
{
    using K = Kind;
    static const QList<ShopTable> tables{
        fromSchema(Schema::control(), QString(),
                   QStringList{"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_company_tel",
                               "Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"}
                       + numbered("Ctrl_pmt", 1, 5) + numbered("Ctrl_pmt", 1, 5, "_type") + numbered("Ctrl_cpn", 1, 3)
                       + numbered("Ctrl_tx", 1, 3) + QStringList{"Ctrl_tx2_txontx", "Ctrl_tx3_txontx"}
                       + numbered("Ctrl_tx", 1, 3, "_rate") + QStringList{"Ctrl_fc_rate"}),
        {QStringLiteral("shop_options"), QString(), {{QStringLiteral("Secret_codes_required"), K::Logical}}, {}},
        fromSchema(Schema::dept(), QStringLiteral("Dept_code"),
                   QStringList{"Dept_code", "Dept_desc"} + numbered("Dept_tx", 1, 3) + QStringList{"Dept_sales_accnt"}),
        fromSchema(Schema::product(), QStringLiteral("Product_upc"),
                   QStringList{"Product_upc", "Product_desc", "Product_short_desc", "Product_dept", "Product_price",
                               "Product_promo", "Product_promo_start", "Product_promo_end", "Product_qty",
                               "Product_avg_cost"}
                       + numbered("Product_tx", 1, 3) + QStringList{"Product_accnt"}),
        fromSchema(Schema::cashier(), QStringLiteral("Cashier_id"),
                   {"Cashier_id", "Cashier_name", "Cashier_type", "Cashier_train"}),
        {QStringLiteral("cashier_secret"),
         QStringLiteral("Cashier_id"),
         {{QStringLiteral("Cashier_id"), K::Integer},
          {QStringLiteral("Secret_hash"), K::Bytes},
          {QStringLiteral("Secret_salt"), K::Bytes},
          {QStringLiteral("Secret_iterations"), K::Integer},
          {QStringLiteral("Secret_must_change"), K::Logical}},
         {}},
    };
    return tables;
}

const ShopTable &named(const QString &name)
{
    for (const ShopTable &t : all())
        if (t.name == name)
            return t;
    Q_UNREACHABLE();
}

QVariant fromLane(const SqliteStatement &st, int column, Kind kind)
{
    return fromServer(st.value(column), kind);
}

QVariant fromServer(const QVariant &value, Kind kind)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case Kind::Integer:
        return value.toLongLong();
    case Kind::Real:
        return value.toDouble();
    case Kind::Logical:
        return value.toBool();
    case Kind::Date:
        return value.toDate();
    case Kind::Bytes:
        return value.toByteArray();
    case Kind::Text:
        return value.toString();
    }
    return {};
}

QVariant fromLiteral(const QString &literal, Kind kind)
{
    if (literal == QLatin1String("NULL"))
        return {};
    if (literal.startsWith(QLatin1String("X'")))
        return QByteArray::fromHex(literal.mid(2, literal.size() - 3).toLatin1());
    if (literal.startsWith(QLatin1Char('\''))) {
        QString text = literal.mid(1, literal.size() - 2);
        text.replace(QStringLiteral("''"), QStringLiteral("'"));
        return kind == Kind::Date ? QVariant(QDate::fromString(text, Qt::ISODate)) : QVariant(text);
    }
    switch (kind) {
    case Kind::Integer:
        return literal.toLongLong();
    case Kind::Logical:
        return literal.toDouble() != 0;
    case Kind::Text:
        return literal;
    default:
        return literal.toDouble();
    }
}

QJsonValue toJson(const QVariant &value, Kind kind)
{
    const QVariant typed = fromServer(value, kind);
    if (typed.isNull())
        return QJsonValue::Null;
    if (kind == Kind::Bytes)
        return QStringLiteral("\\x") + QString::fromLatin1(typed.toByteArray().toHex());
    if (kind == Kind::Date)
        return typed.toDate().isValid() ? QJsonValue(typed.toDate().toString(Qt::ISODate)) : QJsonValue::Null;
    return QJsonValue::fromVariant(typed);
}

}
