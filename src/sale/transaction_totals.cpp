#include "transaction_totals.h"

#include "sale_modes.h"

#include "common/clock.h"
#include "common/money.h"
#include "store/data_module.h"
#include "store/store_error.h"

namespace {

const char *const AmountFields[] = {
    "Trxh_total", "Trxh_tx1",  "Trxh_tx2",  "Trxh_tx3",  "Trxh_dsc1", "Trxh_dsc2",        "Trxh_dsc3",
    "Trxh_pmt1",  "Trxh_pmt2", "Trxh_pmt3", "Trxh_pmt4", "Trxh_pmt5", "Trxh_fc1",         "Trxh_cpn1",
    "Trxh_cpn2",  "Trxh_cpn3", "Trxh_grand_total"};

// rate x base, rounded to four decimals, then to cents (ties to even),
// as the amount the header stores.
double taxAmount(double rate, long double base)
{
    const Money tax = Money::fromDouble(static_cast<long double>(rate) * base);
    return static_cast<double>(static_cast<long double>(tax.cents()) * 0.01L);
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

    Table &header = dm.tmpmaster;
    header.append();
    header.post();
    header.edit();
    setDateAndTimeNow(header);
    header.field(QStringLiteral("Trxh_cashier")).setInteger(dm.cashiertb.field(QStringLiteral("Cashier_id")).asInteger());
    for (const char *name : AmountFields)
        header.field(QLatin1String(name)).setFloat(0);
    header.post();
}

void RecomputeTotals(TDataModule2 &dm, bool computeTaxes)
{
    Table &header = dm.tmpmaster;
    Table &lines = dm.tmpdetail;
    try {
        header.edit();
    } catch (const StoreError &) {
        // The header may already be in edit; the figures are written all the same.
    }

    Field subtotal = header.field(QStringLiteral("Trxh_total"));
    Field tx1 = header.field(QStringLiteral("Trxh_tx1"));
    Field tx2 = header.field(QStringLiteral("Trxh_tx2"));
    Field tx3 = header.field(QStringLiteral("Trxh_tx3"));

    Money base[3];
    subtotal.setFloat(0);
    const Field lineTotal = lines.field(QStringLiteral("Trx_total"));
    const Field lineTax[3] = {lines.field(QStringLiteral("Trx_tx1")), lines.field(QStringLiteral("Trx_tx2")),
                              lines.field(QStringLiteral("Trx_tx3"))};
    for (lines.first(); !lines.eof(); lines.next()) {
        const double amount = lineTotal.asFloat();
        subtotal.setFloat(static_cast<double>(static_cast<long double>(subtotal.asFloat()) + amount));
        for (int n = 0; n < 3; ++n)
            if (lineTax[n].asBoolean())
                base[n] = Money::fromDouble(base[n].toLongDouble() + amount);
    }

    if (computeTaxes) {
        Table &control = dm.Control;
        const double rate1 = control.field(QStringLiteral("Ctrl_tx1_rate")).asFloat();
        const double rate2 = control.field(QStringLiteral("Ctrl_tx2_rate")).asFloat();
        const double rate3 = control.field(QStringLiteral("Ctrl_tx3_rate")).asFloat();

        tx1.setFloat(taxAmount(rate1, base[0].toLongDouble()));

        long double base2 = base[1].toLongDouble();
        if (control.field(QStringLiteral("Ctrl_tx2_txontx")).asBoolean())
            base2 += tx1.asFloat();
        tx2.setFloat(taxAmount(rate2, base2));

        long double base3 = base[2].toLongDouble();
        if (control.field(QStringLiteral("Ctrl_tx3_txontx")).asBoolean())
            base3 = static_cast<long double>(tx1.asFloat()) + base3 + tx2.asFloat();
        tx3.setFloat(taxAmount(rate3, base3));
    }

    const long double grand = static_cast<long double>(subtotal.asFloat()) + tx1.asFloat() + tx2.asFloat() + tx3.asFloat();
    header.field(QStringLiteral("Trxh_grand_total")).setFloat(static_cast<double>(grand));
    header.post();
}

void DateWorkHeader(TDataModule2 &dm)
{
    Table &header = dm.tmpmaster;
    header.edit();
    setDateAndTimeNow(header);
    header.post();
}
