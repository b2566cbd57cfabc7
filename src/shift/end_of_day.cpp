#include "end_of_day.h"

#include "cashier_shift.h"

#include "posting/totals_reset.h"
#include "store/data_module.h"

void EndOfDay::BitBtn7Click()
{
    Table &control = p_.dm.Control;
    control.first();
    const auto wanted = [&control](const char *flag) { return control.field(QLatin1String(flag)).asBoolean(); };
    if (wanted("Ctrl_eod_cashier"))
        p_.previewCashierReport();
    if (wanted("Ctrl_eod_fin"))
        p_.previewFinancialReport();
    if (wanted("Ctrl_eod_product"))
        p_.previewProductReport();

    zeroDayTotals(p_.dm);
    // The cashier report walked the cashier table: the new header is the
    // signed-in cashier's.
    p_.shift.findSignedInCashier();
    p_.startWorkHeader();
    p_.signOutAndIn();
}
