#include "printout_lines.h"

#include "common/formats.h"
#include "common/language.h"
#include "store/data_module.h"

double numberField(Table &table, const QString &field)
{
    return table.field(field).asFloat();
}

QString textField(Table &table, const QString &field)
{
    return table.field(field).asString();
}

QString dateTimeLine(TDataModule2 &dm)
{
    return shortDateText(dm.tmpmaster.field(QStringLiteral("Trxh_date")).asDate()) + QString(23, QLatin1Char(' '))
        + longTimeText(dm.tmpmaster.field(QStringLiteral("Trxh_time")).asTime());
}

QString terminalIdLine(TDataModule2 &dm)
{
    return formatLine(u"%-15s %-4d",
                      {QStringLiteral("Terminal ID"), numberField(dm.Control, QStringLiteral("Ctrl_terminal_id"))});
}

QStringList companyBlock(TDataModule2 &dm, int width)
{
    QStringList lines;
    for (const char *field : {"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2", "Ctrl_company_tel"})
        lines << centredLine(textField(dm.Control, QLatin1String(field)), width);
    return lines;
}

QStringList slipMessages(TDataModule2 &dm, int width)
{
    QStringList lines;
    for (const char *field : {"Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"}) {
        const QString message = textField(dm.Control, QLatin1String(field));
        if (!message.isEmpty())
            lines << centredLine(message, width);
    }
    return lines;
}

QStringList reportHeader(TDataModule2 &dm, int width, const QString &title)
{
    return QStringList{dateTimeLine(dm), terminalIdLine(dm)} + companyBlock(dm, width)
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

QString cashierNameLine(TDataModule2 &dm)
{
    return formatLine(u"%-10s %-4d %-20s", {cashierLabel(), numberField(dm.cashiertb, QStringLiteral("Cashier_id")),
                                            textField(dm.cashiertb, QStringLiteral("Cashier_name"))});
}

QString transactionLine(double transactionId)
{
    return formatLine(u"%-15s %-12d", {QStringLiteral("Transaction"), transactionId});
}

QString trainingTransactionLine()
{
    return formatLine(u"%-15s %-4d", {QStringLiteral("Transaction"), 0});
}

bool trainingMode(TDataModule2 &dm)
{
    return dm.cashiertb.field(QStringLiteral("Cashier_train")).asBoolean();
}
