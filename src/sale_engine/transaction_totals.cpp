#include "transaction_totals.h"

#include "sale_modes.h"

#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "store/data_module.h"
#include "store/sale_record.h"
#include "store/sqlite_statement.h"
#include "store/store_error.h"

#include <vector>

namespace {

// Every amount of the work header, zero when a transaction starts.
const QStringList &amountFields()
{
    static const QStringList names = QStringList{"Trxh_total"} + familyFields(QStringLiteral("Trxh_"), HeaderFamilies)
        + QStringList{"Trxh_grand_total"};
    return names;
}

// Every tender field of the work header, each through a change of its value.
template <typename Change>
void changeTenders(Table &header, Change change)
{
    header.edit();
    for (const QString &name : familyFields(QStringLiteral("Trxh_"), TenderFamilies)) {
        Field amount = header.field(name);
        amount.setFloat(change(amount.asFloat()));
    }
    header.post();
}

// The amounts of the work lines in table order, read straight from the
// store with only the total and the tax flags: the totals are summed again
// at every line rung, and one statement kept for the connection does it
// without copying every line into a record. A missing value reads as zero
// or not taxed, as a field does.
QList<LineAmount> workLineAmounts(TDataModule2 &dm)
{
    static const QString sql = [&dm] {
        const TableDef &lines = dm.tmpdetail.definition();
        QStringList columns{QStringLiteral("Trx_total")};
        for (int n = 1; n <= TaxCount; ++n)
            columns.append(numbered("Trx_tx", n));
        const QString order = lines.orderColumns.isEmpty() ? QStringLiteral("rowid") : lines.orderColumns.join(u", ");
        return QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(columns.join(u", "), lines.name, order);
    }();
    if (!dm.tmpdetail.active()) // as a read through the table would refuse it
        throw StoreError(QStringLiteral("Table %1 is not open").arg(dm.tmpdetail.name()));
    SqliteStatement &read = dm.database().statement(sql);
    QList<LineAmount> amounts;
    read.start({});
    while (read.step()) {
        LineAmount &amount = amounts.emplace_back();
        amount.total = read.real(0);
        for (int n = 0; n < TaxCount; ++n)
            amount.taxed[n] = read.integer(n + 1) != 0;
    }
    read.reset();
    return amounts;
}

// The clock is read once for each field.
void setDateAndTimeNow(Table &header)
{
    header.field(QStringLiteral("Trxh_date")).setDate(Clock::today());
    header.field(QStringLiteral("Trxh_time")).setTime(Clock::timeOfDay());
}

}

void ZeroMaster(TDataModule2 &dm, SaleModes &modes, int cashierId)
{
    modes = SaleModes(); // void item, return and receiving all off

    // One post: a failure leaves no half-reset header in the file.
    Table &header = dm.tmpmaster;
    header.append();
    setDateAndTimeNow(header);
    header.field(QStringLiteral("Trxh_cashier")).setInteger(cashierId);
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

    const QList<LineAmount> amounts = workLineAmounts(dm);
    const Record control = currentRecord(dm.Control);
    const SaleTotals totals = computeTaxes
        ? saleTotals(amounts, taxRulesOf(control))
        : saleTotalsKeepingTaxes(amounts, saleFiguresOf(currentRecord(header), control).taxes);
    if (!withinAmountLimit(totals.subtotal) || !withinAmountLimit(totals.grandTotal))
        throw AmountLimitError(
            chooseText(QStringLiteral("The total of this sale cannot pass %1; nothing was changed."),
                       QStringLiteral("Le total de cette vente ne peut pas dépasser %1; rien n'a été modifié."))
                .arg(currencyText(AmountLimit)));

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

void DateWorkHeader(TDataModule2 &dm)
{
    Table &header = dm.tmpmaster;
    header.edit();
    setDateAndTimeNow(header);
    header.post();
}

// ---- tenders ----------------------------------------------------------------------------

SaleFigures workSaleFigures(TDataModule2 &dm)
{
    return saleFiguresOf(currentRecord(dm.tmpmaster), currentRecord(dm.Control));
}

bool addToCashModes(TDataModule2 &dm, Money amount)
{
    Table &header = dm.tmpmaster;
    std::vector<std::pair<Field, double>> added;
    for (int n = 1; n <= PaymentCount; ++n) {
        if (!dm.Control.field(numbered("Ctrl_pmt", n, "_type")).asBoolean())
            continue;
        const Field payment = header.field(numbered("Trxh_pmt", n));
        const double sum = paymentWithAdded(payment.asFloat(), amount);
        if (!withinAmountLimit(sum))
            return false;
        added.emplace_back(payment, sum);
    }
    for (auto [payment, sum] : added) {
        header.edit();
        payment.setFloat(sum);
    }
    if (header.editing())
        header.post();
    return true;
}

void turnTendersOut(TDataModule2 &dm)
{
    changeTenders(dm.tmpmaster, [](double amount) { return -amount; });
}

void ClearTenders(TDataModule2 &dm)
{
    changeTenders(dm.tmpmaster, [](double) { return 0.0; });
}
