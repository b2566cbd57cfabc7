#include "schema.h"

#include "common/amount_families.h"

namespace {

// Builds a field list in record order.
class Fields {
public:
    Fields &add(const QString &name, FieldType type, int size = 0)
    {
        list.append({name, type, size});
        return *this;
    }
    // name1 .. nameN, with an optional suffix after the number.
    Fields &range(const QString &stem, int from, int to, FieldType type, const QString &suffix = QString(),
                  int size = 0)
    {
        for (int i = from; i <= to; ++i)
            add(numbered(stem, i, suffix), type, size);
        return *this;
    }
    // Every field of one family ("Ctrl_" Payments "_type": Ctrl_pmt1_type ..).
    Fields &family(const QString &prefix, const AmountFamily &family, FieldType type,
                   const QString &suffix = QString(), int size = 0)
    {
        return range(prefix + QLatin1String(family.stem), 1, family.count, type, suffix, size);
    }
    // The amounts of several families, in order ("Fin_" .. "_pdt").
    Fields &amounts(const QString &prefix, std::span<const AmountFamily> families, const QString &suffix = QString())
    {
        for (const AmountFamily &f : families)
            family(prefix, f, FieldType::Money, suffix);
        return *this;
    }
    // One family of sale totals: sales, every amount, the number of sales
    // and the voids, the drawer's float, money in and pickups when asked,
    // and the change.
    Fields &saleTotals(const QString &prefix, const QString &suffix, bool drawerMoney)
    {
        const auto name = [&](const char *stem) { return prefix + QLatin1String(stem) + suffix; };
        money(name("sales")).amounts(prefix, HeaderFamilies, suffix).integer(name("no_trx"));
        money(name("voids")).integer(name("no_voids"));
        if (drawerMoney)
            money(name("float")).money(name("moneyin")).money(name("pickup"));
        return money(name("change"));
    }
    Fields &money(const QString &name) { return add(name, FieldType::Money); }
    Fields &integer(const QString &name) { return add(name, FieldType::Integer); }
    Fields &real(const QString &name) { return add(name, FieldType::Float); }
    Fields &logical(const QString &name) { return add(name, FieldType::Logical); }
    Fields &text(const QString &name, int size) { return add(name, FieldType::Text, size); }

    QList<FieldDef> list;
};

constexpr auto M = FieldType::Money;
constexpr auto L = FieldType::Logical;
constexpr auto T = FieldType::Text;

// The fifteen fields of a sale line, shared by the work lines and the
// posted lines.
Fields &addLineFields(Fields &f)
{
    return f.real("Trx_upc")
        .text("Trx_short_desc", 20)
        .text("Trx_desc", 60)
        .real("Trx_qty")
        .money("Trx_price")
        .money("Trx_dscamt")
        .money("Trx_total")
        .logical("Trx_promo")
        .integer("Trx_cpn")
        .money("Trx_dsc")
        .money("Trx_cost")
        .family("Trx_", Taxes, L)
        .real("Trx_dsc_per");
}

// The header fields shared by the sales register and the work header,
// from Trxh_id to Trxh_grand_total.
Fields &addHeaderFields(Fields &f)
{
    return f.real("Trxh_id")
        .add("Trxh_date", FieldType::Date)
        .add("Trxh_time", FieldType::Time)
        .integer("Trxh_cashier")
        .money("Trxh_total")
        .amounts("Trxh_", HeaderFamilies)
        .money("Trxh_grand_total");
}

TableDef makeCashier()
{
    Fields f;
    f.integer("Cashier_id")
        .text("Cashier_name", 60)
        .logical("Cashier_type")
        .logical("Cashier_train")
        .saleTotals("Cashier_", QString(), true)
        .money("Cashier_mc_sales")
        .amounts("Cashier_mc_", TotalledFamilies)
        .money("Cashier_mc_change");
    return {"cashier", f.list, {"Cashier_id"}, "Cashier_id"};
}

TableDef makeProduct()
{
    Fields f;
    f.real("Product_upc")
        .text("Product_desc", 60)
        .text("Product_short_desc", 20)
        .integer("Product_dept")
        .money("Product_price")
        .money("Product_promo")
        .add("Product_promo_start", FieldType::Date)
        .add("Product_promo_end", FieldType::Date)
        .real("Product_qty")
        .money("Product_avg_cost")
        .money("Product_sales")
        .money("Product_sales_ptd")
        .add("Product_sales_by_week", FieldType::Memo)
        .family("Product_", Taxes, L)
        .real("Product_qty_sales")
        .real("Product_qty_sales_pdt")
        .integer("Product_accnt");
    return {"product", f.list, {"Product_upc"}, "Product_upc"};
}

TableDef makeDept()
{
    Fields f;
    f.integer("Dept_code")
        .text("Dept_desc", 60)
        .money("Dept_sales")
        .money("Dept_sales_ptd")
        .add("Dept_sales_by_week", FieldType::Memo)
        .family("Dept_", Taxes, L)
        .real("Dept_qty_sales")
        .real("Dept_qty_sales_pdt")
        .integer("Dept_sales_accnt");
    return {"Dept", f.list, {"Dept_code"}, "Dept_code"};
}

TableDef makeControl()
{
    Fields f;
    f.text("Ctrl_company_name", 30)
        .text("Ctrl_company_adr1", 30)
        .text("Ctrl_company_adr2", 30)
        .text("Ctrl_company_tel", 30)
        .text("Ctrl_slip_mess", 30)
        .text("Ctrl_slip_mess2", 30)
        .text("Ctrl_slip_mess3", 30)
        .family("Ctrl_", Payments, T, QString(), 10)
        .family("Ctrl_", Payments, L, "_type")
        .family("Ctrl_", Coupons, T, QString(), 10)
        .family("Ctrl_", Taxes, T, QString(), 10)
        .range("Ctrl_tx", 2, TaxCount, L, "_txontx") // the first tax is on the sale only
        .family("Ctrl_", Taxes, FieldType::Float, "_rate")
        .logical("Ctrl_slip")
        .logical("Ctrl_invoice")
        .logical("Ctrl_eod_cashier")
        .logical("Ctrl_eod_fin")
        .logical("Ctrl_eod_product")
        .logical("Ctrl_export")
        .real("Ctrl_fc_rate")
        .logical("Ctrl_cashdrawer")
        .logical("Ctrl_linedisp")
        .real("Ctrl_invoice_no")
        .integer("Ctrl_terminal_id");
    return {"control", f.list, {}, {}};
}

TableDef makeFin()
{
    Fields f;
    f.saleTotals("Fin_", QString(), true).saleTotals("Fin_", "_pdt", false);
    return {"fin", f.list, {}, {}};
}

TableDef makeTranmaster()
{
    Fields f;
    addHeaderFields(f).money("Trxh_change").integer("Trxh_terminal_id");
    return {"tranmaster", f.list, {"Trxh_id"}, "Trxh_id"};
}

TableDef makeTrandetail()
{
    Fields f;
    f.real("Trx_id").add("Trx_seq", FieldType::AutoIncrement);
    addLineFields(f);
    return {"trandetail", f.list, {"Trx_id", "Trx_seq"}, {}};
}

TableDef makeTmpmaster()
{
    Fields f;
    addHeaderFields(f).integer("Trxh_terminal_id");
    return {"tmpmaster", f.list, {}, {}, false};
}

TableDef makeTmpdetail()
{
    Fields f;
    f.add("Trx_id", FieldType::AutoIncrement);
    addLineFields(f);
    return {"tmpdetail", f.list, {"Trx_id"}, {}, false};
}

TableDef makeMoney()
{
    Fields f;
    // The count of a drawer: the tenders, the foreign currency last.
    constexpr AmountFamily counted[] = {Payments, Coupons, ForeignCurrency};
    f.money("Money_float").amounts("Money_", counted);
    return {"money", f.list, {}, {}};
}


}

namespace Schema {

const TableDef &cashier() { static const TableDef d = makeCashier(); return d; }
const TableDef &product() { static const TableDef d = makeProduct(); return d; }
const TableDef &dept() { static const TableDef d = makeDept(); return d; }
const TableDef &control() { static const TableDef d = makeControl(); return d; }
const TableDef &fin() { static const TableDef d = makeFin(); return d; }
const TableDef &tranmaster() { static const TableDef d = makeTranmaster(); return d; }
const TableDef &trandetail() { static const TableDef d = makeTrandetail(); return d; }
const TableDef &tmpmaster() { static const TableDef d = makeTmpmaster(); return d; }
const TableDef &tmpdetail() { static const TableDef d = makeTmpdetail(); return d; }
const TableDef &money() { static const TableDef d = makeMoney(); return d; }

QString columnType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Logical:
    case FieldType::AutoIncrement:
        return QStringLiteral("INTEGER");
    case FieldType::Float:
    case FieldType::Money:
        return QStringLiteral("REAL");
    default:
        return QStringLiteral("TEXT");
    }
}

QList<const TableDef *> all()
{
    return {&cashier(), &product(), &dept(), &control(), &fin(),
            &tranmaster(), &trandetail(), &tmpmaster(), &tmpdetail(), &money()};
}

QStringList createStatements(const TableDef &def)
{
    QStringList columns;
    for (const FieldDef &field : def.fields) {
        QString column = QStringLiteral("\"%1\" %2").arg(field.name, columnType(field.type));
        const bool soleKey = def.orderColumns.size() == 1 && def.orderColumns.first() == field.name;
        if (field.type == FieldType::AutoIncrement)
            column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        else if (soleKey)
            column += QStringLiteral(" NOT NULL PRIMARY KEY");
        else if (def.orderColumns.contains(field.name))
            column += QStringLiteral(" NOT NULL");
        columns.append(column);
    }
    QStringList statements{QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(def.name, columns.join(QStringLiteral(", ")))};
    if (def.orderColumns.size() > 1) {
        QStringList quoted;
        for (const QString &c : def.orderColumns)
            quoted.append(QLatin1Char('"') + c + QLatin1Char('"'));
        statements.append(QStringLiteral("CREATE UNIQUE INDEX \"%1_order\" ON \"%1\" (%2)")
                              .arg(def.name, quoted.join(QStringLiteral(", "))));
    }
    return statements;
}

QString journalQueueStatement()
{
    return QStringLiteral("CREATE TABLE \"%1\" (\"Queue_id\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "\"Queue_trxh_id\" REAL, \"Queue_records\" TEXT)")
        .arg(QLatin1String(JournalQueueTable));
}

}
