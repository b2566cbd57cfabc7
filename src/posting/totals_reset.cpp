#include "totals_reset.h"

#include "posting_checkpoints.h"

#include "common/amount_families.h"
#include "store/data_module.h"
#include "store/set_operations.h"

namespace {

QStringList saleAmountFields(const QString &prefix, const QString &suffix)
{
    return QStringList{prefix + QStringLiteral("sales") + suffix} + familyFields(prefix, TotalledFamilies, suffix);
}

struct Reset {
    Table &table;
    QStringList fields;
    PostingCheckpoint done;
};

void zeroInOneTransaction(TDataModule2 &dm, const QList<Reset> &resets)
{
    Database &db = dm.database();
    StoreTransaction transaction(db);
    for (const Reset &reset : resets) {
        SetOperations::zeroFields(db, reset.table, reset.fields);
        PostingCheckpoints::reach(reset.done);
    }
    transaction.commit();
    PostingCheckpoints::reach(PostingCheckpoint::Committed);
}

}

QStringList saleTotalsFields(const QString &prefix, const QString &suffix)
{
    QStringList fields = saleAmountFields(prefix, suffix);
    for (const char *stem : {"no_trx", "change", "voids", "no_voids"})
        fields.append(prefix + QLatin1String(stem) + suffix);
    return fields;
}

QStringList moneyCountTotalsFields()
{
    return saleAmountFields(QStringLiteral("Cashier_mc_"), QString()) << QStringLiteral("Cashier_mc_change");
}

void zeroDayTotals(TDataModule2 &dm)
{
    zeroInOneTransaction(
        dm, {{dm.fintb, saleTotalsFields(QStringLiteral("Fin_")), PostingCheckpoint::StoreTotalsZeroed},
             {dm.cashiertb, saleTotalsFields(QStringLiteral("Cashier_")) + moneyCountTotalsFields(),
              PostingCheckpoint::CashierTotalsZeroed},
             {dm.producttb, {QStringLiteral("Product_qty_sales"), QStringLiteral("Product_sales")},
              PostingCheckpoint::ProductTotalsZeroed},
             {dm.DeptTb, {QStringLiteral("Dept_qty_sales"), QStringLiteral("Dept_sales")},
              PostingCheckpoint::DepartmentTotalsZeroed}});
}

void zeroPeriodTotals(TDataModule2 &dm)
{
    // Products and departments spell their period sales "_ptd".
    zeroInOneTransaction(
        dm, {{dm.fintb, saleTotalsFields(QStringLiteral("Fin_"), QStringLiteral("_pdt")),
              PostingCheckpoint::StoreTotalsZeroed},
             {dm.producttb, {QStringLiteral("Product_qty_sales_pdt"), QStringLiteral("Product_sales_ptd")},
              PostingCheckpoint::ProductTotalsZeroed},
             {dm.DeptTb, {QStringLiteral("Dept_qty_sales_pdt"), QStringLiteral("Dept_sales_ptd")},
              PostingCheckpoint::DepartmentTotalsZeroed}});
}
