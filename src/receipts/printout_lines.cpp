#include "printout_lines.h"

#include "common/formats.h"
#include "common/language.h"

QString dateTimeLine(const ShopRecords &shop)
{
    return shortDateText(shop.workHeader.asDate(QStringLiteral("Trxh_date"))) + QString(23, QLatin1Char(' '))
        + longTimeText(shop.workHeader.asTime(QStringLiteral("Trxh_time")));
}

QString terminalIdLine(const ShopRecords &shop)
{
    return formatLine(u"%-15s %-4d",
                      {QStringLiteral("Terminal ID"), shop.control.asFloat(QStringLiteral("Ctrl_terminal_id"))});
}

QStringList companyBlock(const ShopRecords &shop, int width)
{
    QStringList lines;
    for (const char *field : {"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_company_tel"})
        lines << centredLine(shop.control.asString(QLatin1String(field)), width);
    return lines;
}

QStringList slipMessages(const ShopRecords &shop, int width)
{
    QStringList lines;
    for (const char *field : {"Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"}) {
        const QString message = shop.control.asString(QLatin1String(field));
        if (!message.isEmpty())
            lines << centredLine(message, width);
    }
    return lines;
}

QStringList reportHeader(const ShopRecords &shop, bool columns30, const QString &title)
{
    const int width = columns30 ? Columns30 : Columns40;
    return QStringList{dateTimeLine(shop), terminalIdLine(shop)} + companyBlock(shop, width)
        + QStringList{centredLine(title, width)};
}

namespace {
QString cashierLabel()
{
    return chooseText(QStringLiteral("Cashier "), QStringLiteral("Caissier "));
}
}

QString cashierLine(double cashierId)
{
    return formatLine(u"%-10s %-4d", {cashierLabel(), cashierId});
}

QString cashierNameLine(const Record &cashier)
{
    return formatLine(u"%-10s %-4d %-20s", {cashierLabel(), cashier.asFloat(QStringLiteral("Cashier_id")),
                                            cashier.asString(QStringLiteral("Cashier_name"))});
}

QString transactionLine(double transactionId)
{
    return formatLine(u"%-15s %-12d", {QStringLiteral("Transaction"), transactionId});
}

QString trainingTransactionLine()
{
    return formatLine(u"%-15s %-4d", {QStringLiteral("Transaction"), 0});
}
