#include "running_totals.h"

#include "posting_checkpoints.h"

#include "common/money.h"
#include "common/sale_figures.h"
#include "store/data_module.h"
#include "store/record.h"
#include "store/store_error.h"

namespace {

// X += v, added in extended precision and stored back into the field.
void addTo(Table &table, const QString &field, long double amount)
{
    Field f = table.field(field);
    f.setFloat(static_cast<double>(static_cast<long double>(f.asFloat()) + amount));
}

void countOne(Table &table, const QString &field)
{
    Field f = table.field(field);
    f.setInteger(qint64(f.asInteger()) + 1);
}

// The amounts every family of sale totals shares: subtotal, taxes,
// payments, foreign currency (in its own units) and coupons. The field
// names are prefix + stem + suffix ("Fin_tx1_pdt", "Cashier_mc_pmt3").
void addSaleAmounts(Table &table, const QString &prefix, const QString &suffix, const SaleFigures &sale)
{
    addTo(table, prefix + QStringLiteral("sales") + suffix, sale.subtotal);
    for (const AmountFamily &family : TotalledFamilies) {
        const QStringList fields = familyFields(prefix, family, suffix);
        const std::span<const double> amounts = sale.amounts(family.kind);
        for (int n = 0; n < family.count; ++n)
            addTo(table, fields[n], amounts[n]);
    }
}

// Count of sales, change, and the voids of a sale whose subtotal is
// negative.
void addSaleCounts(Table &table, const QString &prefix, const QString &suffix, const SaleFigures &sale,
                   long double change)
{
    countOne(table, prefix + QStringLiteral("no_trx") + suffix);
    addTo(table, prefix + QStringLiteral("change") + suffix, change);
    if (sale.subtotal < 0) {
        addTo(table, prefix + QStringLiteral("voids") + suffix, sale.subtotal);
        countOne(table, prefix + QStringLiteral("no_voids") + suffix);
    }
}

void sellLine(Table &product, double quantity, double lineTotal)
{
    addTo(product, QStringLiteral("Product_qty"), -static_cast<long double>(quantity));
    addTo(product, QStringLiteral("Product_qty_sales"), quantity);
    addTo(product, QStringLiteral("Product_qty_sales_pdt"), quantity);
    addTo(product, QStringLiteral("Product_sales"), lineTotal);
    addTo(product, QStringLiteral("Product_sales_ptd"), lineTotal);
}

void addToDepartment(Table &dept, int code, double quantity, double lineTotal)
{
    if (!dept.findKey(code))
        return;
    dept.edit();
    addTo(dept, QStringLiteral("Dept_qty_sales"), quantity);
    addTo(dept, QStringLiteral("Dept_qty_sales_pdt"), quantity);
    addTo(dept, QStringLiteral("Dept_sales"), lineTotal);
    addTo(dept, QStringLiteral("Dept_sales_ptd"), lineTotal);
    dept.post();
}

// Moving weighted average: (stock value before + cost received) / new
// quantity on hand, both values exact to four decimals.
void receiveLine(Table &product, double quantity, double lineTotal)
{
    Field onHand = product.field(QStringLiteral("Product_qty"));
    Field averageCost = product.field(QStringLiteral("Product_avg_cost"));
    const Money valueBefore = Money::fromDouble(static_cast<long double>(averageCost.asFloat()) * onHand.asFloat());
    const Money received = Money::fromDouble(lineTotal);
    addTo(product, onHand.name(), quantity);
    // Stock brought to exactly zero has no average to compute: the
    // previous average cost stays, rather than a division by zero.
    const double newQuantity = onHand.asFloat();
    if (newQuantity != 0)
        averageCost.setFloat(static_cast<double>((valueBefore + received).toLongDouble() / newQuantity));
}

}

void Update_financial(TDataModule2 &dm, const SaleFigures &sale)
{
    Table &fin = dm.fintb;
    fin.first();
    fin.edit(); // creates the single record when it is missing
    for (const QString &suffix : {QString(), QStringLiteral("_pdt")}) {
        addSaleAmounts(fin, QStringLiteral("Fin_"), suffix, sale);
        addSaleCounts(fin, QStringLiteral("Fin_"), suffix, sale, sale.storeChange());
    }
    fin.post();
}

void Update_Cashier(TDataModule2 &dm, const SaleFigures &sale, int cashierId)
{
    const long double change = sale.cashierChange();

    Table &cashier = dm.cashiertb;
    if (!cashier.findKey(cashierId))
        throw StoreError(QStringLiteral("The signed-in cashier %1 is not in table %2; the sale was not posted.")
                             .arg(cashierId)
                             .arg(cashier.name()));
    cashier.edit();
    addSaleAmounts(cashier, QStringLiteral("Cashier_"), QString(), sale);
    addSaleCounts(cashier, QStringLiteral("Cashier_"), QString(), sale, change);
    addSaleAmounts(cashier, QStringLiteral("Cashier_mc_"), QString(), sale);
    addTo(cashier, QStringLiteral("Cashier_mc_change"), change);
    cashier.post();
}

ProductAccounts Update_Products(TDataModule2 &dm, const QList<Record> &lines, bool receiving)
{
    Table &product = dm.producttb;
    ProductAccounts accounts;
    for (const Record &line : lines) {
        const double upc = line.asFloat(QStringLiteral("Trx_upc"));
        if (!product.findKey(upc))
            continue;
        accounts.insert(upc, product.field(QStringLiteral("Product_accnt")).asInteger());
        const double quantity = line.asFloat(QStringLiteral("Trx_qty"));
        const double lineTotal = line.asFloat(QStringLiteral("Trx_total"));
        product.edit();
        if (receiving)
            receiveLine(product, quantity, lineTotal);
        else
            sellLine(product, quantity, lineTotal);
        product.post();
        // The department after its product: the product's record is then
        // written just after it was read, and need not be read back.
        if (!receiving)
            addToDepartment(dm.DeptTb, product.field(QStringLiteral("Product_dept")).asInteger(), quantity, lineTotal);
        PostingCheckpoints::reach(PostingCheckpoint::ProductPosted);
    }
    return accounts;
}
