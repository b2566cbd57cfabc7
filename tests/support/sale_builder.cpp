#include "sale_builder.h"

#include "store/data_module.h"

const QDate SaleDate(2026, 3, 9);
const QTime SaleTime(14, 5, 3);

namespace {

// Fills the new record of the work or the posted lines and posts it.
void writeLine(Table &t, const SaleLine &line)
{
    t.field("Trx_upc").setFloat(line.upc);
    t.field("Trx_short_desc").setString(line.desc.left(20));
    t.field("Trx_desc").setString(line.desc);
    t.field("Trx_qty").setFloat(line.qty);
    t.field("Trx_price").setFloat(line.price);
    t.field("Trx_dscamt").setFloat(line.dscAmt);
    t.field("Trx_total").setFloat(line.total);
    t.field("Trx_promo").setBoolean(false);
    t.field("Trx_cpn").setInteger(0);
    t.field("Trx_dsc").setFloat(0);
    t.field("Trx_cost").setFloat(line.cost);
    t.field("Trx_tx1").setBoolean(line.tx1);
    t.field("Trx_tx2").setBoolean(line.tx2);
    t.field("Trx_tx3").setBoolean(line.tx3);
    t.field("Trx_dsc_per").setFloat(line.dscPer);
    t.post();
}

}

void startWorkHeader(TDataModule2 &dm, int cashier, const QVariantMap &amounts)
{
    Table &h = dm.tmpmaster;
    h.append();
    h.field("Trxh_date").setDate(SaleDate);
    h.field("Trxh_time").setTime(SaleTime);
    h.field("Trxh_cashier").setInteger(cashier);
    for (const FieldDef &f : h.definition().fields)
        if (f.type == FieldType::Money)
            h.field(f.name).setFloat(0);
    h.post();
    setWorkHeaderAmounts(dm, amounts);
}

void setWorkHeaderAmounts(TDataModule2 &dm, const QVariantMap &amounts)
{
    Table &h = dm.tmpmaster;
    h.edit();
    for (auto it = amounts.cbegin(); it != amounts.cend(); ++it)
        h.field(it.key()).setValue(it.value());
    h.post();
}

void addWorkLine(TDataModule2 &dm, const SaleLine &line)
{
    dm.tmpdetail.append();
    writeLine(dm.tmpdetail, line);
}

void addPostedLine(TDataModule2 &dm, double saleNumber, const SaleLine &line)
{
    dm.trandetail.append();
    dm.trandetail.field("Trx_id").setFloat(saleNumber);
    writeLine(dm.trandetail, line);
}
