#include "shop_data.h"

#include "lane_identity.h"
#include "server_connection.h"

#include "store/data_module.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QStringList numbered(const char *stem, int from, int to, const char *suffix = "")
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names.append(QLatin1String(stem) + QString::number(i) + QLatin1String(suffix));
    return names;
}

QStringList quotedList(const QStringList &columns)
{
    QStringList quoted;
    for (const QString &c : columns)
        quoted.append(QLatin1Char('"') + c + QLatin1Char('"'));
    return quoted;
}

Table &laneTable(TDataModule2 &dm, const char *name)
{
    for (Table *t : dm.tables())
        if (t->definition().name == QLatin1String(name))
            return *t;
    Q_UNREACHABLE();
}

QJsonValue jsonOf(Field field)
{
    if (field.isNull())
        return QJsonValue::Null;
    switch (field.type()) {
    case FieldType::Float:
    case FieldType::Money:
        return field.asFloat();
    case FieldType::Integer:
        return field.asInteger();
    case FieldType::Logical:
        return field.asBoolean();
    case FieldType::Date:
        return field.asDate().toString(Qt::ISODate);
    case FieldType::Time:
        return field.asTime().toString(Qt::ISODate);
    default:
        return field.asString();
    }
}

QJsonObject rowOf(Table &t, const QStringList &columns)
{
    QJsonObject row;
    for (const QString &c : columns)
        row.insert(c, jsonOf(t.field(c)));
    return row;
}

}

namespace ShopData {

const QList<ServerTable> &tables()
{
    static const QList<ServerTable> list{
        {"control", "control",
         QStringList{"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_company_tel",
                     "Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"}
             + numbered("Ctrl_pmt", 1, 5) + numbered("Ctrl_pmt", 1, 5, "_type") + numbered("Ctrl_cpn", 1, 3)
             + numbered("Ctrl_tx", 1, 3) + QStringList{"Ctrl_tx2_txontx", "Ctrl_tx3_txontx"}
             + numbered("Ctrl_tx", 1, 3, "_rate") + QStringList{"Ctrl_fc_rate"}},
        {"product", "product",
         QStringList{"Product_upc", "Product_desc", "Product_short_desc", "Product_dept", "Product_price",
                     "Product_promo", "Product_promo_start", "Product_promo_end", "Product_qty",
                     "Product_avg_cost"}
             + numbered("Product_tx", 1, 3) + QStringList{"Product_accnt"}},
        {"Dept", "Dept",
         QStringList{"Dept_code", "Dept_desc"} + numbered("Dept_tx", 1, 3) + QStringList{"Dept_sales_accnt"}},
        {"cashier", "cashier", QStringList{"Cashier_id", "Cashier_name", "Cashier_type", "Cashier_train"}},
    };
    return list;
}

bool onServer(ServerConnection &server, int store)
{
    return !server.query(QStringLiteral("SELECT 1 FROM tillano.control WHERE \"Store_id\" = ?"), {store}).isEmpty();
}

void copyFromServer(ServerConnection &server, int store, TDataModule2 &dm)
{
    StoreTransaction transaction(dm.database());
    for (const ServerTable &t : tables()) {
        const QList<QVariantList> rows = server.query(
            QStringLiteral("SELECT %1 FROM tillano.\"%2\" WHERE \"Store_id\" = ?")
                .arg(quotedList(t.columns).join(QStringLiteral(", ")), QLatin1String(t.serverTable)),
            {store});
        Table &lane = laneTable(dm, t.laneTable);
        lane.open();
        const bool singleRecord = lane.definition().orderColumns.isEmpty();
        for (const QVariantList &row : rows) {
            if (singleRecord) {
                lane.first();
                lane.edit();
            } else {
                lane.append();
            }
            for (int i = 0; i < t.columns.size(); ++i)
                lane.field(t.columns[i]).setValue(row[i]);
            lane.post();
        }
        lane.close();
    }
    transaction.commit();
}

bool sendUp(ServerConnection &server, const LaneIdentity &lane, TDataModule2 &dm)
{
    QJsonObject shop;
    for (const ServerTable &t : tables()) {
        Table &table = laneTable(dm, t.laneTable);
        table.open();
        if (table.definition().orderColumns.isEmpty()) {
            table.first();
            shop.insert(QLatin1String(t.serverTable), rowOf(table, t.columns));
        } else {
            QJsonArray rows;
            for (table.first(); !table.eof(); table.next())
                rows.append(rowOf(table, t.columns));
            shop.insert(QLatin1String(t.serverTable), rows);
        }
        table.close();
    }
    const QList<QVariantList> answer = server.query(
        QStringLiteral("SELECT tillano.lane_send_shop(?, ?, ?, ?::jsonb)"),
        {lane.store, lane.terminal, lane.key,
         QString::fromUtf8(QJsonDocument(shop).toJson(QJsonDocument::Compact))});
    return !answer.isEmpty() && answer.first().value(0).toBool();
}

}
