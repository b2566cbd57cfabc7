#include "report_printouts.h"

#include "common/formats.h"
#include "common/language.h"
#include "common/money.h"
#include "receipts/printout_lines.h"
#include "store/data_module.h"

#include <functional>

namespace {

int paperWidth(bool columns30)
{
    return columns30 ? Columns30 : Columns40;
}

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
QStringList totalsBlock(TDataModule2 &dm, Table &record, const QString &prefix)
{
    const auto value = [&](const char *stem) { return numberField(record, prefix + QLatin1String(stem)); };
    // One line per amount of the family, labelled with its name in the control record.
    const auto familyLines = [&](const AmountFamily &family) {
        QStringList lines;
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList amounts = familyFields(prefix, family);
        for (int i = 0; i < family.count; ++i)
            lines << moneyLine(textField(dm.Control, names[i]), numberField(record, amounts[i]));
        return lines;
    };

    QStringList lines{QStringLiteral("Description          Total"),
                      moneyLine(chooseText(QStringLiteral("Sales"), QStringLiteral("Ventes")), value("sales"))};
    double total = value("sales");
    for (const QString &tax : familyFields(prefix, Taxes))
        total += numberField(record, tax);
    lines << familyLines(Taxes) << moneyLine(QStringLiteral("Total"), total)
          << countLine(QStringLiteral("No. transaction"), value("no_trx")) << familyLines(Payments)
          << familyLines(Coupons);
    lines << moneyLine(chooseText(QStringLiteral("Foreign Curr."), QStringLiteral("Devise etrange")), value("fc1"))
          << moneyLine(QStringLiteral("Change"), value("change")) << moneyLine(QStringLiteral("Voids"), value("voids"))
          << countLine(QStringLiteral("No. Voids"), value("no_voids")) << QString() << QString();
    return lines;
}

// One line per record, in table order, and the total of the sales: a
// fixed-point sum of each record's value taken to four decimals, rounded
// to cents only when printed.
QStringList salesLines(Table &table, const QString &salesField, const std::function<QString(double)> &line,
                       Money &total)
{
    QStringList lines;
    for (table.first(); !table.eof(); table.next()) {
        const double sales = numberField(table, salesField);
        lines << line(sales);
        total += Money::fromDouble(sales);
    }
    return lines;
}

}

QStringList cashierReportLines(TDataModule2 &dm, bool columns30)
{
    QStringList lines =
        reportHeader(dm, paperWidth(columns30),
                     chooseText(QStringLiteral("C A S H I E R   R E P O R T"),
                                QStringLiteral("R A P P O R T   C A I S S I E R")));
    lines << QString();
    Table &cashiers = dm.cashiertb;
    const int signedIn = cashiers.field(QStringLiteral("Cashier_id")).asInteger();
    // Walking the table must not make bound views repaint every record.
    cashiers.disableControls();
    for (cashiers.first(); !cashiers.eof(); cashiers.next())
        lines << cashierNameLine(dm) << QString() << totalsBlock(dm, cashiers, QStringLiteral("Cashier_"));
    cashiers.findKey(signedIn);
    cashiers.enableControls();
    return lines;
}

QStringList financialReportLines(TDataModule2 &dm, bool columns30)
{
    QStringList lines =
        reportHeader(dm, paperWidth(columns30),
                     chooseText(QStringLiteral("F I N A N C I A L   R E P O R T"),
                                QStringLiteral("R A P P O R T   F I N A N C I E R")));
    lines << QString() << totalsBlock(dm, dm.fintb, QStringLiteral("Fin_"));
    return lines;
}

QStringList productReportLines(TDataModule2 &dm, bool columns30)
{
    QStringList lines =
        reportHeader(dm, paperWidth(columns30),
                     chooseText(QStringLiteral("S A L E S   R E P O R T"),
                                QStringLiteral("R A P P O R T   D E S   V E N T E S")));
    lines << QString()
          << chooseText(QStringLiteral("Description    Qty      Total"), QStringLiteral("Description    Qte      Total"));
    Table &products = dm.producttb;
    Money total;
    lines << salesLines(products, QStringLiteral("Product_sales"), [&products](double sales) {
        return formatLine(u"%-13s %4d %10.2m", {textField(products, QStringLiteral("Product_desc")),
                                                numberField(products, QStringLiteral("Product_qty_sales")), sales});
    }, total);
    lines << QString() << formatLine(u"%-13s      %10.2m", {QStringLiteral("Total"), total.toDouble()});
    return lines;
}

QStringList departmentReportLines(TDataModule2 &dm, bool columns30)
{
    QStringList lines = reportHeader(dm, paperWidth(columns30),
                                     chooseText(QStringLiteral("D E P T   R E P O R T"),
                                                QStringLiteral("R A P P O R T   D E P T.")));
    lines << QString() << QStringLiteral("Description          Total");
    Table &departments = dm.DeptTb;
    Money total;
    lines << salesLines(departments, QStringLiteral("Dept_sales"), [&departments](double sales) {
        return moneyLine(textField(departments, QStringLiteral("Dept_desc")), sales);
    }, total);
    lines << QString() << moneyLine(QStringLiteral("Total"), total.toDouble());
    return lines;
}
