#include "money_count.h"

#include "posting/totals_reset.h"
#include "store/data_module.h"
#include "widgets/dialogs.h"

#include <QDialog>

MoneyCount::MoneyCount(TDataModule2 &dm, QDialog &countWindow, std::function<void()> printReport)
    : dm_(dm), countWindow_(countWindow), printReport_(std::move(printReport))
{
}

bool MoneyCount::run(int cashierId)
{
    Table &money = dm_.Moneytb;
    money.cancel();
    for (money.first(); money.hasCurrent(); money.first())
        money.deleteRecord();
    money.append(); // every amount starts without a value: it reads as zero

    if (dialogs().exec(countWindow_) != QDialog::Accepted) {
        money.cancel();
        return false;
    }
    money.post();
    printReport_();

    Table &cashiers = dm_.cashiertb;
    if (cashiers.findKey(cashierId)) {
        cashiers.edit();
        for (const QString &field : moneyCountTotalsFields())
            cashiers.field(field).setFloat(0);
        cashiers.post();
    }
    return true;
}
