#include "transaction_totals.h"

#include "sale_modes.h"

#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "store/data_module.h"
#include "store/sale_records.h"

namespace {

// Every amount of the work header, zero when a transaction starts.
const QStringList &amountFields()
{
    static const QStringList names = QStringList{"Trxh_total"} + familyFields(QStringLiteral("Trxh_"), HeaderFamilies)
        + QStringList{"Trxh_grand_total"};
    return names;
}

// The clock is read once for each field.
void setDateAndTimeNow(Table &header)
{
    header.field(QStringLiteral("Trxh_date")).setDate(Clock::today());
    header.field(QStringLiteral("Trxh_time")).setTime(Clock::timeOfDay());
}

}

void ZeroMaster(TDataModule2 &dm, SaleModes &modes)
{
    modes = SaleModes(); // void item, return and receiving all off

    // One post: a failure leaves no half-reset header in the file.
    Table &header = dm.tmpmaster;
    header.append();
    setDateAndTimeNow(header);
    header.field(QStringLiteral("Trxh_cashier")).setInteger(dm.cashiertb.field(QStringLiteral("Cashier_id")).asInteger());
    for (const QString &name : amountFields())
        header.field(name).setFloat(0);
    header.post();
}

void RecomputeTotals(TDataModule2 &dm, bool computeTaxes)
{
    Table &header = dm.tmpmaster;
    Table &lines = dm.tmpdetail;
    if (lines.editing() && lines.modified())
        lines.post(); // a line counts as it shows

    const QList<LineAmount> amounts = lineAmountsOf(lines);
    const SaleTotals totals = computeTaxes ? saleTotals(amounts, taxRulesOf(dm.Control))
                                           : saleTotalsKeepingTaxes(amounts, saleFiguresOf(header, dm.Control).taxes);
    if (!withinAmountLimit(totals.subtotal) || !withinAmountLimit(totals.grandTotal))
        throw AmountLimitError(
            chooseText(QStringLiteral("The total of this sale cannot pass %1; nothing was changed."),
                       QStringLiteral("Le total de cette vente ne peut pas dépasser %1; rien n'a été modifié."))
                .arg(currencyText(AmountLimit)));
    lines.last();

    // The figures are written together or not at all.
    header.edit();
    try {
        header.field(QStringLiteral("Trxh_total")).setFloat(totals.subtotal);
        for (int n = 0; n < TaxCount; ++n)
            header.field(numbered("Trxh_tx", n + 1)).setFloat(totals.taxes[n]);
        header.field(QStringLiteral("Trxh_grand_total")).setFloat(totals.grandTotal);
        header.post();
    } catch (...) {
        header.cancel();
        throw;
    }
}

void ClearTenders(TDataModule2 &dm)
{
    Table &header = dm.tmpmaster;
    header.edit();
    for (const QString &name : TenderFieldNames())
        header.field(name).setFloat(0);
    header.post();
}

const QStringList &TenderFieldNames()
{
    static const QStringList names = familyFields(QStringLiteral("Trxh_"), TenderFamilies);
    return names;
}

void DateWorkHeader(TDataModule2 &dm)
{
    Table &header = dm.tmpmaster;
    header.edit();
    setDateAndTimeNow(header);
    header.post();
}
