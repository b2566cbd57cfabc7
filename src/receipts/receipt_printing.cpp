#include "receipt_printing.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/device_operations.h"
#include "receipts/money_count_printout.h"
#include "receipts/report_printouts.h"
#include "receipts/sale_receipt.h"
#include "receipts/stock_receipt.h"

ReceiptPrinting::ReceiptPrinting(TDataModule2 &dm, DeviceOperations &devices, const AppSettings &settings,
                                 const DeviceNames &names)
    : dm_(dm), devices_(devices), settings_(settings), names_(names)
{
}

bool ReceiptPrinting::columns30() const
{
    return settings_.columns30Layout();
}

void ReceiptPrinting::send(const QStringList &lines, const QString &stopNote)
{
    devices_.BeginPrintout(stopNote);
    for (const QString &line : lines)
        if (!devices_.PrintLine(line))
            return; // stopped by the cashier: no feed, no cut
    devices_.EndPrintout();
}

void ReceiptPrinting::print_receipt_sale()
{
    if (!names_.printer.isEmpty())
        send(saleReceiptLines(dm_, columns30()),
             chooseText(QStringLiteral("The sale is posted: if this receipt is stopped now, it can be printed again "
                                       "with Re-Print <F11>."),
                        QStringLiteral("La vente est enregistrée : si ce reçu est arrêté maintenant, il peut être "
                                       "imprimé de nouveau avec Re-Print <F11>.")));
}

void ReceiptPrinting::print_receipt_stock()
{
    if (!names_.printer.isEmpty())
        send(stockReceiptLines(dm_, columns30()));
}

void ReceiptPrinting::PrintMoneyCount() { send(moneyCountLines(dm_, columns30())); }
void ReceiptPrinting::PrintCashierReport() { send(cashierReportLines(dm_, columns30())); }
void ReceiptPrinting::PrintFinancialReport() { send(financialReportLines(dm_, columns30())); }
void ReceiptPrinting::PrintProductReport() { send(productReportLines(dm_, columns30())); }
void ReceiptPrinting::PrintDepartmentReport() { send(departmentReportLines(dm_, columns30())); }
