#include "report_printouts.h"

#include "common/formats.h"
#include "common/language.h"
#include "common/money.h"
#include "receipts/printout_lines.h"

#include <functional>

namespace {

QString moneyLine(const QString &label, double amount)
{
    return formatLine(u"%-15s %10.2m", {label, amount});
}

QString countLine(const QString &label, double count)
{
    return formatLine(u"%-15s %10d", {label, count});
}

// The totals block of a cashier record ("Cashier_") or the financial
// record ("Fin_"), from "Description          Total" to the two empty
// lines that close it.
QStringList totalsBlock(const ShopRecords &shop, const Record &record, const QString &prefix)
{
    const auto value = [&](const char *stem) { return record.asFloat(prefix + QLatin1String(stem)); };
    // One line per amount of the family, labelled with its name in the control record.
    const auto familyLines = [&](const AmountFamily &family) {
        QStringList lines;
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList amounts = familyFields(prefix, family);
        for (int i = 0; i < family.count; ++i)
            lines << moneyLine(shop.control.asString(names[i]), record.asFloat(amounts[i]));
        return lines;
    };

    QStringList lines{QStringLiteral("Description          Total"),
                      moneyLine(chooseText(QStringLiteral("Sales"), QStringLiteral("Ventes")), value("sales"))};
    double total = value("sales");
    for (const QString &tax : familyFields(prefix, Taxes))
        total += record.asFloat(tax);
    lines << familyLines(Taxes) << moneyLine(QStringLiteral("Total"), total)
          << countLine(QStringLiteral("No. transaction"), value("no_trx")) << familyLines(Payments)
          << familyLines(Coupons);
    lines << moneyLine(chooseText(QStringLiteral("Foreign Curr."), QStringLiteral("Devise etrange")), value("fc1"))
          << moneyLine(QStringLiteral("Change"), value("change")) << moneyLine(QStringLiteral("Voids"), value("voids"))
          << countLine(QStringLiteral("No. Voids"), value("no_voids")) << QString() << QString();
    return lines;
}

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

// One line per record and the total of the sales: a fixed-point sum of
// each record's value taken to four decimals, rounded to cents only when
// printed.
QStringList salesLines(const QList<Record> &records, const QString &salesField,
                       const std::function<QString(const Record &, double)> &line, Money &total)
{
    QStringList lines;
    for (const Record &record : records) {
        const double sales = record.asFloat(salesField);
        lines << line(record, sales);
        total += Money::fromDouble(sales);
    }
    return lines;
}

}

QStringList cashierReportLines(const ShopRecords &shop, const QList<Record> &cashiers, bool columns30)
{
    QStringList lines = reportHeader(shop, columns30, chooseText(QStringLiteral("C A S H I E R   R E P O R T"),
                                                                 QStringLiteral("R A P P O R T   C A I S S I E R")));
    lines << QString();
    for (const Record &cashier : cashiers)
        lines << cashierNameLine(cashier) << QString() << totalsBlock(shop, cashier, QStringLiteral("Cashier_"));
    return lines;
}

QStringList financialReportLines(const ShopRecords &shop, const Record &fin, bool columns30)
{
    QStringList lines = reportHeader(shop, columns30, chooseText(QStringLiteral("F I N A N C I A L   R E P O R T"),
                                                                 QStringLiteral("R A P P O R T   F I N A N C I E R")));
    lines << QString() << totalsBlock(shop, fin, QStringLiteral("Fin_"));
    return lines;
}

QStringList productReportLines(const ShopRecords &shop, const QList<Record> &products, bool columns30)
{
    QStringList lines =
        reportHeader(shop, columns30, chooseText(QStringLiteral("S A L E S   R E P O R T"),
                                                 QStringLiteral("R A P P O R T   D E S   V E N T E S")));
    lines << QString()
          << chooseText(QStringLiteral("Description    Qty      Total"), QStringLiteral("Description    Qte      Total"));
    Money total;
    lines << salesLines(products, QStringLiteral("Product_sales"), [](const Record &product, double sales) {
        return formatLine(u"%-13s %4d %10.2m", {product.asString(QStringLiteral("Product_desc")),
                                                product.asFloat(QStringLiteral("Product_qty_sales")), sales});
    }, total);
    lines << QString() << formatLine(u"%-13s      %10.2m", {QStringLiteral("Total"), total.toDouble()});
    return lines;
}

QStringList departmentReportLines(const ShopRecords &shop, const QList<Record> &departments, bool columns30)
{
    QStringList lines = reportHeader(shop, columns30, chooseText(QStringLiteral("D E P T   R E P O R T"),
                                                                 QStringLiteral("R A P P O R T   D E P T.")));
    lines << QString() << QStringLiteral("Description          Total");
    Money total;
    lines << salesLines(departments, QStringLiteral("Dept_sales"), [](const Record &department, double sales) {
        return moneyLine(department.asString(QStringLiteral("Dept_desc")), sales);
    }, total);
    lines << QString() << moneyLine(QStringLiteral("Total"), total.toDouble());
    return lines;
}

QStringList moneyCountLines(const ShopRecords &shop, const Record &money, const Record &cashier, bool columns30)
{
    const CountColumns columns(columns30);
    const auto counted = [&money](const QString &field) { return money.asFloat(field); };
    const auto system = [&cashier](const QString &field) { return cashier.asFloat(field); };

    QStringList lines = reportHeader(shop, columns30, chooseText(QStringLiteral("M O N E Y   C O U N T"),
                                                                 QStringLiteral("D E C O M P T E")));
    lines << QString() << cashierNameLine(cashier) << QString();
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
            lines << columns.both(shop.control.asString(names[i]), counted(counts[i]), system(totals[i]));
    }
    lines << columns.both(chooseText(QStringLiteral("Foreign Curr."), QStringLiteral("Devise etrange")),
                          counted(QStringLiteral("Money_fc1")), system(QStringLiteral("Cashier_mc_fc1")))
          << columns.systemOnly(QStringLiteral("Change"), system(QStringLiteral("Cashier_mc_change")));
    return lines;
}
