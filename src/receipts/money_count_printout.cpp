#include "money_count_printout.h"

#include "common/formats.h"
#include "common/language.h"
#include "receipts/printout_lines.h"
#include "store/data_module.h"

namespace {

// Label and amount widths: 15 and 10 on 40-column paper, 11 and 8 on 30.
// The float has a counted amount only, sales and change a system amount
// only; the blanks keep each amount under its heading.
class CountColumns {
public:
    explicit CountColumns(bool columns30) : labelWidth_(columns30 ? 11 : 15), amountWidth_(columns30 ? 8 : 10) {}

    QString counted(const QString &label, double count) const { return labelText(label) + amountText(count); }
    QString systemOnly(const QString &label, double system) const
    {
        return labelText(label) + QString(amountWidth_ + 1, QLatin1Char(' ')) + amountText(system);
    }
    QString both(const QString &label, double count, double system) const
    {
        return labelText(label) + amountText(count) + QLatin1Char(' ') + amountText(system);
    }

private:
    // The label padded to its width, then one blank.
    QString labelText(const QString &label) const
    {
        return formatLine(QStringLiteral("%-%1s ").arg(labelWidth_), {label});
    }
    QString amountText(double amount) const { return formatLine(QStringLiteral("%%1.2m").arg(amountWidth_), {amount}); }

    int labelWidth_;
    int amountWidth_;
};

}

QStringList moneyCountLines(TDataModule2 &dm, bool columns30)
{
    const int width = columns30 ? Columns30 : Columns40;
    const CountColumns columns(columns30);
    Table &money = dm.Moneytb;
    Table &cashier = dm.cashiertb;
    const auto counted = [&money](const QString &field) { return numberField(money, field); };
    const auto system = [&cashier](const QString &field) { return numberField(cashier, field); };

    QStringList lines = reportHeader(dm, width, chooseText(QStringLiteral("M O N E Y   C O U N T"),
                                                           QStringLiteral("D E C O M P T E")));
    lines << QString() << cashierNameLine(dm) << QString();
    if (columns30)
        lines << chooseText(QStringLiteral("Description    Count   System"),
                            QStringLiteral("Description       Compte   Systeme"));
    else
        lines << chooseText(QStringLiteral("Description          Count     System"),
                            QStringLiteral("Description         Compte     Systeme"));
    lines << columns.counted(chooseText(QStringLiteral("Float"), QStringLiteral("Depart")),
                             counted(QStringLiteral("Money_float")))
          << columns.systemOnly(chooseText(QStringLiteral("Sales"), QStringLiteral("Ventes")),
                                system(QStringLiteral("Cashier_mc_sales")));
    for (const AmountFamily &family : {Payments, Coupons}) {
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList counts = familyFields(QStringLiteral("Money_"), family);
        const QStringList totals = familyFields(QStringLiteral("Cashier_mc_"), family);
        for (int i = 0; i < family.count; ++i)
            lines << columns.both(textField(dm.Control, names[i]), counted(counts[i]), system(totals[i]));
    }
    lines << columns.both(chooseText(QStringLiteral("Foreign Curr."), QStringLiteral("Devise etrange")),
                          counted(QStringLiteral("Money_fc1")), system(QStringLiteral("Cashier_mc_fc1")))
          << columns.systemOnly(QStringLiteral("Change"), system(QStringLiteral("Cashier_mc_change")));
    return lines;
}
